#pragma once

#include <cstdint>

namespace lumenscroll {

class PageHandle;

// The verse note editors of a page's rows: which rows have one, and the note texts they show.

// Whether row `row` has its verse note editor under it: the row is in note mode, or its verse
// has a note and the page holds note texts.
bool isVerseNoteShown(const PageHandle& page, std::int64_t row);

// selectedTab published, for a row with its note editor: the verse's note becomes the row's note
// text.
void copyVerseNote(const PageHandle& page, std::int64_t row);

} // namespace lumenscroll
