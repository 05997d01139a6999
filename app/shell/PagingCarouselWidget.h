#pragma once

#include "app/platform/Animations.h"
#include "app/shell/PagingCarouselViewModel.h"

#include <QPoint>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <vector>

namespace lumenscroll {

// Draws a paging carousel: one page widget per displayed item, placed by hand in a row that
// the model shifts, and every left-button drag that starts on the carousel or on any page
// handed to the model. Pages keep working as usual: a drag is seen, not taken from them. The
// pointer a chooser sheet holds, and a press on the sheet itself (SheetBackdrop::claims), drag
// nothing.
//
// A page widget stays as long as its item: when the items change, the pages at positions that
// remain are kept, and only pages for new positions are built (items are known by position,
// so a caller that removes an item from the middle says which, with removePage). With
// wrapping, whose copies of the end items move with every change, all pages are built anew.
class PagingCarouselWidget : public QWidget {
    Q_OBJECT

public:
    // Builds the page for one of the caller's items; the carousel owns what it returns. With
    // wrapping, the first and the last item are asked for twice (for their copies).
    using PageFactory = std::function<QWidget*(int item)>;

    PagingCarouselWidget(PagingCarouselViewModel& model, const Animations& animations,
                         PageFactory pageFactory, QWidget* parent = nullptr);
    ~PagingCarouselWidget() override;

    PagingCarouselViewModel& model() const { return model_; }

    // Builds every page afresh (their content changed).
    void reloadPages();
    // Takes out the page of item `item`, before the model hears that the item has gone: the
    // pages after it move down a position, kept as they are. Without wrapping only.
    void removePage(int item);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* pageAt(int displayedPosition) const;
    // The row's offset as drawn now (it trails the model's while sliding).
    double shownOffset() const { return shownOffset_; }

    // A pointer movement becomes a drag after this distance.
    static constexpr double minimumDragDistance = 10.0;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Keeps the pages whose positions remain and builds the missing ones.
    void syncPages();
    QWidget* buildPage(int item);
    void dropPage(QWidget* page);
    void moveRow(bool animated);
    void placePages();
    bool isOnCarousel(QObject* object) const;

    PagingCarouselViewModel& model_;
    // A host may tear the model down first; the destructor then has nothing to stop.
    QPointer<PagingCarouselViewModel> modelAlive_;
    const Animations& animations_;
    PageFactory pageFactory_;
    std::vector<QPointer<QWidget>> pages_;
    // Whether the pages were built with wrap-around copies.
    bool pagesWrap_ = false;
    double shownOffset_ = 0.0;
    QVariantAnimation slide_;

    bool pressed_ = false;
    bool dragging_ = false;
    QPoint pressPosition_;
};

} // namespace lumenscroll
