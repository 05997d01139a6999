#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/ColorScheme.h"
#include "app/platform/NamedColor.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lumenscroll {

class UserSettings;

// The sheet in which the user of a reading page picks a book, a chapter and a verse: three
// columns of rows, "이동" to go there, "xmark" to close. It owns only the book and chapter being
// picked; everything it decides goes back to the page through its bindings. Drawn by
// BibleSelectionViewWidget.
//
// The page builds it as its chapter sheet:
//
//     BibleSelectionView(page.binding(&BibleView::showBibleSectionSelectionWindow),
//                        page.binding(&BibleView::selectedPraise), 0, 0,
//                        page.binding(&BibleView::praiseIndex),
//                        page.binding(&BibleView::userSelectedBiblePraise), userSettings,
//                        [] {}, ColorScheme::light, true, pageIndex)
class BibleSelectionView {
public:
    BibleSelectionView(Binding<bool> showBibleSectionSelectionWindow, Binding<BibleStructure> selectedBibleObject,
                       std::int64_t selectedBibleSection, std::int64_t selectedVerse,
                       Binding<std::int64_t> selectedPraise, Binding<bool> userSelectedBiblePraise,
                       UserSettings& userSettings, std::function<void()> dismiss, ColorScheme scheme,
                       bool wholeBibleSelected, Binding<std::int64_t> pageIndex);

    // The page's flag that presents the sheet; the sheet lowers it to close itself.
    Binding<bool> showBibleSectionSelectionWindow;
    // The page's chapter record being edited: "이동" writes the book, chapter and translation.
    Binding<BibleStructure> selectedBibleObject;
    // The book and the chapter (from 0) being picked.
    std::int64_t selectedBibleSection;
    std::int64_t selectedVerse;
    // The page's verse index (from 0), written as soon as a verse row is tapped.
    Binding<std::int64_t> selectedPraise;
    // Raised by "이동", lowered by the close button: whether the page is to go to the choice.
    Binding<bool> userSelectedBiblePraise;
    UserSettings& userSettings;
    // The opening page's dismiss action: held, not called (the sheet closes through its flag).
    std::function<void()> dismiss;
    ColorScheme scheme;
    // Lowered by any tap on a row.
    bool wholeBibleSelected;
    // The opening page's index into selectedBibleArray.
    Binding<std::int64_t> pageIndex;

    // The sheet came on screen: the record takes the opening page's translation, when that
    // page is open.
    void appear() const;

    // The translation whose book names are listed and which "이동" writes: the shared state's
    // kind, or the opening page's own when the shared state names none.
    BibleKind chosenKind() const;

    // The three columns. Counts never exceed what the tables hold: the books of
    // bibleSectionCount (at most 66), the chapters of the picked book, the verses of the picked
    // chapter.
    std::int64_t bookCount() const;
    std::int64_t chapterCount() const;
    std::int64_t verseCount() const;
    // "창세기" or "Genesis", by chosenKind; "3장"; "5절".
    std::string bookLabel(std::int64_t book) const;
    static std::string chapterLabel(std::int64_t chapter);
    static std::string verseLabel(std::int64_t verse);
    bool isBookMarked(std::int64_t book) const { return book == selectedBibleSection; }
    bool isChapterMarked(std::int64_t chapter) const { return chapter == selectedVerse; }
    bool isVerseMarked(std::int64_t verse) const { return verse == selectedPraise.get(); }

    // A row's colours: green text when marked, else the scheme's text on its background.
    struct RowColors {
        NamedColor text;
        NamedColor background;
        double backgroundOpacity;

        bool operator==(const RowColors&) const = default;
    };
    RowColors rowColors(bool marked) const;

    // Taps on rows. A row that is not listed does nothing. A new book starts at its first
    // chapter, so the chapter picked is always one of the book's.
    void tapBook(std::int64_t book);
    void tapChapter(std::int64_t chapter);
    void tapVerse(std::int64_t verse);

    // "이동": the book, chapter and translation into the record, then the confirmation raised
    // and the sheet closed; each step one write of the record or flag.
    void confirm() const;
    // The close button: no confirmation, and the sheet closes.
    void close() const;
};

} // namespace lumenscroll
