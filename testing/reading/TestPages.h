#pragma once

#include "app/model/BibleStructure.h"
#include "app/reading/BibleView.h"

#include <cstdint>
#include <vector>

namespace lumenscroll::testing {

// A page as the carousel builds one, for page `index`, with bindings of its own.
BibleView makePage(UserSettings& settings, AppContext& context, std::int64_t index);

// Opens `records.size()` pages: their records in selectedBibleArray, their page values in roles,
// and their marks in the mark book where it has none of their chapters, as a launch leaves them.
void openPages(UserSettings& settings, AppContext& context, const std::vector<BibleStructure>& records);

} // namespace lumenscroll::testing
