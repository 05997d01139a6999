#pragma once

#include "app/model/BiblePraise.h"

#include <cstdint>
#include <functional>

namespace lumenscroll {

class PageHandle;

// The marks on a page's verses and the mark book they belong to (UserSettings::markBook): a page
// that loads a chapter shows that chapter's marks from the book, and a mark made on a page goes
// into the book at once, and onto the other open pages on the same chapter. A page whose record
// names no chapter of the tables keeps its marks in its record alone. Nothing here saves.

// The page's verses show the marks the book holds for its chapter, in place of those they carry.
// Nothing is written when they show them already.
void showChapterMarks(const PageHandle& page);

// One announced write to the marks of the page's verse `verse` (`change`: a highlight, a
// bookmark, a note). The book takes the verse's marks, and every other open page on the chapter
// shows them, its bookmark row with them. False, and nothing written, without that verse.
bool changeVerseMarks(const PageHandle& page, std::int64_t verse, const std::function<void(BiblePraise&)>& change);

} // namespace lumenscroll
