#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleView.h"
#include "app/reading/ScrollViewProxy.h"

#include <QMargins>
#include <QScrollArea>
#include <QVariantAnimation>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;

namespace lumenscroll {

class BibleContentCellWidget;
class QTViewForAPraiseWidget;
class QTViewWidget;
class SelectionBarWidget;

// The middle of a reading page: the chapter's verses as rows, top to bottom, scrolling without
// scroll bars, with the selection bar under the one selected verse, a verse's note editor under
// its row while the page shows one there, and the chapter note after the last verse. Rows are built once per
// chapter and page, and only measured again when their text or font changes, so a long chapter scrolls and
// selects smoothly. Taps and the bar's buttons go to the page's handlers.
//
// The keys of a scroll view move the list: Up and Down a line, Page Up and Page Down, Space and
// Shift+Space a page, Home and End to either end. The list never holds the focus itself: its
// page hands it the keys while the page is on screen and nothing stands in front of it.
//
// The rows stay with their page when its index moves (a page before it closed), and so does
// the scroll position. Buttons that float over the list's edges are given as room: no row
// runs under the side room, and a raised bar scrolls into view above the bottom room.
class VerseListWidget : public QScrollArea {
    Q_OBJECT

public:
    explicit VerseListWidget(BibleView page, QWidget* parent = nullptr);
    ~VerseListWidget() override;

    // The reader the page keeps to scroll this list; it does nothing once the list is gone.
    std::shared_ptr<ScrollViewProxy> scrollReader();
    // Scrolls so that the row of `identity` (a verse position, or the chapter note's identity)
    // stands at the top or the centre; an identity without a row scrolls nowhere.
    void scrollToIdentity(std::int64_t identity, ScrollAnchor anchor, bool animated);
    // Scrolls as the key of a scroll view does; false, and nothing moves, for any other key.
    bool scrollForKey(const QKeyEvent& key);
    // Where the row of `identity` starts in the list's content; none without such a row.
    std::optional<int> positionOf(std::int64_t identity) const;

    int rowCount() const { return static_cast<int>(rows_.size()); }
    BibleContentCellWidget* row(int index) const;
    SelectionBarWidget* selectionBar() const { return bar_; }
    // The chapter note after the last verse; null without verses.
    QTViewWidget* chapterNote() const { return chapterNote_; }
    // The note editor under row `row`; null where there is none.
    QTViewForAPraiseWidget* verseNote(std::int64_t row) const;
    // The row the bar stands under, or -1.
    std::int64_t selectionBarRow() const { return barRow_; }
    // Lays the rows out now rather than after the current update.
    void layoutNow();
    // What the buttons floating over the list take at its left, right and bottom edges.
    void setButtonRoom(const QMargins& room);
    QMargins buttonRoom() const { return buttonRoom_; }

    // Paddings and spacings, in points.
    static constexpr int topPadding = 10;
    static constexpr int leadingPadding = 10;
    static constexpr int rowHorizontalPadding = 10;
    static constexpr int spacing = 5;
    static constexpr int noteSectionSpacer = 40;
    static constexpr int endSpacer = 60;
    // A line of the arrow keys; a page of the page keys keeps this much of the last one in sight.
    static constexpr int lineStep = 40;

signals:
    // The list came on screen for the first time.
    void appeared();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What makes the rows of a chapter: the page they belong to and its verses.
    struct ChapterKey {
        std::int64_t page = -1;
        std::int64_t book = 0;
        std::int64_t chapter = 0;
        BibleKind kind = BibleKind::kr01;
        std::size_t verses = 0;
        std::string firstWord;
        std::string lastWord;

        bool operator==(const ChapterKey&) const = default;
    };
    // What the selection looks like: the selected rows, the bar's row and its verse's marks.
    struct SelectionLook {
        std::vector<bool> selected;
        std::int64_t barRow = -1;
        bool bookmarked = false;
        std::int64_t bgColor = 0;

        bool operator==(const SelectionLook&) const = default;
    };

    ChapterKey chapterKey() const;
    SelectionLook selectionLook() const;
    void chapterChanged(const ChapterKey& key);
    void rebuildRows();
    // Which rows have a note editor under them.
    std::vector<bool> noteRows() const;
    void rebuildVerseNotes();
    void refreshSelection();
    void scheduleLayout();
    void scrollToPosition(int target, bool animated);
    // Scrolls, if need be, so that the whole bar stands above the bottom room.
    void revealSelectionBar();

    BibleView page_;
    QWidget* content_;
    SelectionBarWidget* bar_;
    std::vector<BibleContentCellWidget*> rows_;
    QTViewWidget* chapterNote_ = nullptr;
    // One entry per row: its note editor, or null.
    std::vector<QTViewForAPraiseWidget*> verseNotes_;
    // The rows' own reactions; replaced, before the rows, whenever the rows are.
    std::unique_ptr<ChangeWatchers> rowReactions_;
    ChangeWatchers watchers_;
    ChapterKey builtFor_;
    std::int64_t barRow_ = -1;
    int noteSectionTop_ = -1;
    bool layoutPending_ = false;
    // The bar was raised under another row: once laid out, it is brought into view.
    bool revealBar_ = false;
    QMargins buttonRoom_;
    bool appeared_ = false;
    QVariantAnimation scrolling_;
};

} // namespace lumenscroll
