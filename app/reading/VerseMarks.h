#pragma once

#include <cstddef>
#include <cstdint>

namespace lumenscroll {

class AppContext;
class PageHandle;

// The marks a reader puts on a page's verses from the selection bar: the bookmark and the
// highlight. Each goes into the mark book with the page (PageMarks.h), and every mark is saved
// at once, so that it survives a crash as well as a quit.

// Flips the bookmark of verse `verse`, and its entry in bookmarkArray where there is one, and
// saves the page state.
void toggleBookmark(const PageHandle& page, const AppContext& context, std::int64_t verse);

// Highlights verse `verse` in colour `color` (an index of the page's bgColorArray, whose size is
// `ownColorCount`, the page value's own, for a page without one in roles); the colour it already
// has clears it to 0. Saves the page state like a bookmark.
void highlight(const PageHandle& page, const AppContext& context, std::int64_t verse, std::int64_t color,
               std::size_t ownColorCount);

} // namespace lumenscroll
