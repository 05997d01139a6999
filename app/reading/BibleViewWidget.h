#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleView.h"
#include "app/reading/BibleViewReactions.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QLabel;

namespace lumenscroll {

class CapsuleButton;
class SearchButtonWidget;
class SymbolButton;
class VerseListWidget;

// Draws one reading page, 1200 by 670 points, front to back: white; the title block (the
// title photo behind the translation capsule and the search, deselect and copy buttons) over
// the verse list; the chapter title capsule at the top centre; the chapter and scroll buttons
// in the bottom corners; and the host area at the top for the search page and the preferences
// and About views. The host is an empty widget for now, placed and shown by the flags of those
// views. A chapter without text to show has a notice in place of its verses, and the page's
// notice stands in a dark capsule near the bottom while it is up. Every input goes to the
// page's handlers; the page comes on screen with the widget's first showing.
class BibleViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit BibleViewWidget(BibleView page, QWidget* parent = nullptr);
    ~BibleViewWidget() override;

    const BibleView& page() const { return reactions_.page(); }
    BibleViewReactions& reactions() { return reactions_; }
    VerseListWidget* verseList() const { return verseList_; }
    CapsuleButton* translationCapsule() const { return translationCapsule_; }
    CapsuleButton* titleCapsule() const { return titleCapsule_; }
    SymbolButton* deselectButton() const { return deselectButton_; }
    QWidget* panelHost() const { return panelHost_; }
    QLabel* missingTextNotice() const { return missingText_; }
    QLabel* notice() const { return notice_; }

    static constexpr int pageWidth = 1200;
    static constexpr int pageHeight = 670;
    // The title block: its button row, its padding below, and the photo behind it, centred on
    // the row and clipped to the page.
    static constexpr int titleRowHeight = 60;
    static constexpr int titleBottomPadding = 20;
    static constexpr int titlePhotoHeight = 100;
    static constexpr int verseListTopPadding = 10;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the page's frame shows, apart from the verses.
    struct PageLook {
        bool titleBlock = false;
        std::string photo;
        std::string translation;
        std::string title;
        std::int64_t selectedVerses = 0;
        bool search = false;
        bool settings = false;
        bool about = false;
        std::string missingText;
        std::string notice;

        bool operator==(const PageLook&) const = default;
    };

    PageLook pageLook() const;
    bool isOnTitlePhoto(const QPointF& position) const;
    void refresh();
    void placeChildren();
    void placeNotices();

    BibleViewReactions reactions_;
    ChangeWatchers watchers_;
    CapsuleButton* translationCapsule_;
    SearchButtonWidget* searchButton_;
    SymbolButton* deselectButton_;
    SymbolButton* copyButton_;
    VerseListWidget* verseList_;
    CapsuleButton* titleCapsule_;
    std::array<SymbolButton*, 4> navigationButtons_{};
    QWidget* panelHost_;
    QLabel* missingText_;
    QLabel* notice_;
    PageLook shown_;
    // The title photo, scaled to fill its frame.
    QPixmap photo_;
    bool appeared_ = false;
    // Where a press on the title photo went down: a drag is no tap.
    std::optional<QPointF> photoPress_;
};

} // namespace lumenscroll
