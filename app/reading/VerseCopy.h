#pragma once

#include "app/model/BibleStructure.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// What copying the selected verses of a page does: the text for the clipboard, or the notice
// that asks for a selection, or (a page without verses) nothing at all.
struct VerseCopy {
    // "[레3:5-9] <verse 5> <verse 9>": the Korean abbreviation of the book in every
    // translation, the chapter, the first and last verse selected (one verse: no range), then
    // each selected verse's text after a blank. Empty: the clipboard is left alone.
    std::string text;
    // Empty: no notice.
    std::string notice;

    static constexpr std::string_view nothingSelectedNotice = "복사할 구절을 선택해 주세요.";

    // The copy of the verses of `page` whose flags in `selection` (one per verse) are up.
    // A record without a book (order -1) takes its book from sectionIndex; flags beyond the
    // verses are skipped.
    static VerseCopy of(const BibleStructure& page, const std::vector<bool>& selection);

    bool operator==(const VerseCopy&) const = default;
};

} // namespace lumenscroll
