#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleSelectionView.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QAbstractButton;
class QListWidget;

namespace lumenscroll {

class AppContext;

// Draws the book, chapter and verse chooser, a sheet 400 by 600 points: "성경 선택" centred
// across the top with "이동" at its right end and the close button in the top-left corner, then
// the columns of books, chapters and verses side by side, the marked row of each in green. A
// click on a row taps it. The page shows it while its showBibleSectionSelectionWindow is up and
// destroys it, after the action that lowered the flag, when the flag falls; its first showing
// is the sheet's appearance.
class BibleSelectionViewWidget : public QWidget {
    Q_OBJECT

public:
    BibleSelectionViewWidget(BibleSelectionView view, AppContext& context, QWidget* parent = nullptr);
    ~BibleSelectionViewWidget() override;

    const BibleSelectionView& view() const { return view_; }
    QAbstractButton* closeButton() const { return closeButton_; }
    QAbstractButton* moveButton() const { return moveButton_; }
    QListWidget* bookList() const { return bookList_; }
    QListWidget* chapterList() const { return chapterList_; }
    QListWidget* verseList() const { return verseList_; }

    static constexpr int width = 400;
    static constexpr int height = 600;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the rows show besides the sheet's own state: the book names' language, the verse
    // marked through the page, the number of books.
    struct Rows {
        std::string firstBook;
        std::int64_t verse = 0;
        std::int64_t books = 0;

        bool operator==(const Rows&) const = default;
    };

    Rows rows() const;
    // Lists the rows anew where their number or labels changed, and marks the picked ones.
    void refresh();

    BibleSelectionView view_;
    ChangeWatchers watchers_;
    QAbstractButton* closeButton_;
    QAbstractButton* moveButton_;
    QListWidget* bookList_;
    QListWidget* chapterList_;
    QListWidget* verseList_;
    bool appeared_ = false;
};

} // namespace lumenscroll
