#pragma once

#include "app/model/BibleKind.h"
#include "app/platform/Binding.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace lumenscroll {

// What the two translation choosers share, the reading page's and the search page's: their
// title, their close action and the number of rows they list. Both sheets are built from these
// so that they cannot drift apart.

// The title row's text.
inline constexpr std::string_view translationChoiceTitleText = "성경 번역본 선택";

// The close button: clears the flag that presents the sheet and changes nothing else. The sheet
// goes at the next refresh, so a second close may come before it (Escape twice in quick
// succession, a double click on the cross): it must close too, never open the sheet again.
inline void translationChoiceClose(const Binding<bool>& sheetShown) {
    sheetShown.set(false);
}

// The rows a chooser lists for UserSettings.currentlyProvidedBibleNumber: the kinds with raw
// values 0 up to that number - 1, and never a row that names no kind.
constexpr std::int64_t translationChoiceRowCount(std::int64_t currentlyProvidedBibleNumber) {
    return std::clamp<std::int64_t>(currentlyProvidedBibleNumber, 0, bibleKindCount);
}

} // namespace lumenscroll
