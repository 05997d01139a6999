#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"

#include <cstdint>
#include <string>

namespace lumenscroll {

class UserSettings;

// The sheet in which the user picks the translation the search page searches: one row per
// translation the program provides, a click writes the kind back through kindOfBible2 and
// closes the sheet. It has the fields of the reading page's translation chooser, in the same
// order, and shares its title and close action (TranslationChoice.h). Drawn by
// KindOfBibleSearchViewWidget.
class KindOfBibleSearchView {
public:
    KindOfBibleSearchView(Binding<bool> showBibleTranslateSelectionWindow2,
                          Binding<BibleStructure> selectedPraiseObject2, std::int64_t selectedBibleSection2,
                          std::int64_t selectedKindOfBible2, std::int64_t selectedVerse2,
                          Binding<std::int64_t> selectedPraise2, Binding<bool> userSelectedBiblePraise2,
                          Binding<BibleKind> kindOfBible2, UserSettings& userSettings);

    // The sheet's open flag.
    Binding<bool> showBibleTranslateSelectionWindow2;
    // A choice writes selectedBibleSection2 into its order.
    Binding<BibleStructure> selectedPraiseObject2;
    std::int64_t selectedBibleSection2;
    // Kept, not read.
    std::int64_t selectedKindOfBible2;
    std::int64_t selectedVerse2;
    Binding<std::int64_t> selectedPraise2;
    Binding<bool> userSelectedBiblePraise2;
    // Receives the chosen kind.
    Binding<BibleKind> kindOfBible2;
    UserSettings& userSettings;

    // The rows listed: the kinds with raw values 0 up to UserSettings.currentlyProvidedBibleNumber
    // - 1, never more than there are kinds.
    std::int64_t rowCount() const;
    // Row `row`'s label: the translation's display name.
    static std::string rowLabel(std::int64_t row);

    // The close button.
    void close() const;
    // A click on row `row`: the kind, the open flag, then the record's order. A row that is
    // not listed does nothing.
    void choose(std::int64_t row) const;
};

} // namespace lumenscroll
