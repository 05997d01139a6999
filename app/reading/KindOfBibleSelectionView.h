#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"

#include <cstdint>
#include <string>

namespace lumenscroll {

class UserSettings;

// The sheet in which the user of a reading page switches the page's translation: one row per
// translation the program provides. A choice prepares the page's chapter record for the new
// text (one blank verse per verse of its chapter), raises the confirmation, hands the kind to
// the page and closes the sheet; loading the text is the page's work. It has the fields of the
// search page's translation chooser, in the same order, and shares its title, close action and
// rows (TranslationChoice.h). Drawn by KindOfBibleSelectionViewWidget.
//
// The page builds it as its translation sheet:
//
//     KindOfBibleSelectionView(page.binding(&BibleView::showBibleTranslateSelectionWindow),
//                              page.binding(&BibleView::selectedPraise), 0, 0, 0,
//                              page.binding(&BibleView::praiseIndex),
//                              page.binding(&BibleView::userSelectedBiblePraise),
//                              page.binding(&BibleView::kindOfBible), userSettings)
//
// When the sheet closes, the page goes to the new translation only when userSelectedBiblePraise
// is up: a sheet closed without a choice lowers it and leaves the record alone.
class KindOfBibleSelectionView {
public:
    KindOfBibleSelectionView(Binding<bool> showBibleTranslateSelectionWindow,
                             Binding<BibleStructure> selectedPraiseObject, std::int64_t selectedBibleSection,
                             std::int64_t selectedKindOfBible, std::int64_t selectedVerse,
                             Binding<std::int64_t> selectedPraise, Binding<bool> userSelectedBiblePraise,
                             Binding<BibleKind> kindOfBible, UserSettings& userSettings);

    // The sheet's open flag.
    Binding<bool> showBibleTranslateSelectionWindow;
    // The page's copy of its chapter record: a choice rebuilds its verses.
    Binding<BibleStructure> selectedPraiseObject;
    // Kept, not read.
    std::int64_t selectedBibleSection;
    // The raw value of the translation chosen last.
    std::int64_t selectedKindOfBible;
    // Kept, not read.
    std::int64_t selectedVerse;
    Binding<std::int64_t> selectedPraise;
    // Raised by a choice, lowered by the close button.
    Binding<bool> userSelectedBiblePraise;
    // The page's translation kind: receives the choice.
    Binding<BibleKind> kindOfBible;
    UserSettings& userSettings;

    // The rows listed: the kinds with raw values 0 up to currentlyProvidedBibleNumber - 1,
    // never more than there are kinds.
    std::int64_t rowCount() const;
    static std::string rowLabel(std::int64_t row);

    // The close button: no confirmation, and the sheet closes; the record stays as it is.
    void close() const;
    // A tap on row `row`: the record's verses become one blank verse per verse of its chapter
    // (one write each), the confirmation rises, the kind is handed to the page, the sheet
    // closes, whichever translation the page shows now. A row that is not listed does nothing.
    void choose(std::int64_t row);
};

} // namespace lumenscroll
