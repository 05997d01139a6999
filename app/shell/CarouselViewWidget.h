#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleView.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;
class QLabel;

namespace lumenscroll {

class BibleViewWidget;
class CarouselView;
class CarouselViewPageCell;
class MoviePlayer;
class NoticeCapsule;
class PagingCarouselViewModel;
class PagingCarouselWidget;
class SymbolButton;
class TopAreaPanels;

// Draws the carousel of reading pages in the main view's carousel area, 1200 by 680, back to
// front: a faint gray; the paging carousel of the pages (spacing 10, headspace 10, no wrapping,
// no automatic turning), whose frame reaches 36 points above the area, while the current page
// is one of them; in the overview mode the close button at the right and the page counter; and
// the carousel's notice. The carousel appears with the widget's first showing.
//
// The keys no widget takes on their way to the window go to what the reader sees, whichever page
// holds the focus: the page on screen (BibleViewWidget::handleKey), or its search page's hits
// while the search page stands in front of it. In the overview, which shows the pages as
// pictures to pick one from, no key acts on a page, and no page's text field holds the focus.
class CarouselViewWidget : public QWidget {
    Q_OBJECT

public:
    // Builds the widget that draws one page from the value of its cell.
    using PageFactory = std::function<QWidget*(BibleView page)>;

    // Pages are drawn by BibleViewWidget, with the panels below, unless `pageFactory` says
    // otherwise. The About panel's movie plays in `aboutMovie` (see TopAreaPanels).
    explicit CarouselViewWidget(CarouselView& view, QWidget* parent = nullptr, PageFactory pageFactory = {},
                                MoviePlayer* aboutMovie = nullptr);
    ~CarouselViewWidget() override;

    CarouselView& view() const { return view_; }
    // Null while no page is drawn.
    PagingCarouselWidget* carousel() const { return carousel_; }
    PagingCarouselViewModel* carouselModel() const { return model_.get(); }
    // The cell of page `index`; null when it is not drawn.
    CarouselViewPageCell* cell(int index) const;
    // The panels of the pages' top areas.
    TopAreaPanels& panels() const { return *panels_; }
    SymbolButton* closeButton() const { return closeButton_; }
    QLabel* pageCounter() const { return pageCounter_; }
    NoticeCapsule* toast() const { return toast_; }
    // The page the carousel shows now; null while it shows none.
    BibleViewWidget* pageOnScreen() const;

    static constexpr int width = 1200;
    static constexpr int height = 680;
    static constexpr int carouselTop = -36;
    static constexpr int carouselHeight = 728;
    static constexpr double spacing = 10.0;
    static constexpr double headspace = 10.0;
    static constexpr double sidesScaling = 0.8;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Builds, moves or removes the paging carousel to match the pages and the current page.
    void syncCarousel();
    // The close button: the current page closes, and the other pages keep their widgets.
    void closeCurrentPage();
    void refreshOverlay();
    void refreshToast();
    void placeToast();
    bool handleKey(QKeyEvent& key);
    void overviewChanged(bool shown);

    CarouselView& view_;
    // Before the pages, which show them, and gone after them.
    std::unique_ptr<TopAreaPanels> panels_;
    PageFactory pageFactory_;
    std::unique_ptr<PagingCarouselViewModel> model_;
    PagingCarouselWidget* carousel_ = nullptr;
    SymbolButton* closeButton_;
    QLabel* pageCounter_;
    NoticeCapsule* toast_;
    // What held the focus on a page when the overview came.
    QPointer<QWidget> focusBeforeOverview_;
    ChangeWatchers watchers_;
    bool appeared_ = false;
};

} // namespace lumenscroll
