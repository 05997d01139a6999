#pragma once

#include <cstdint>

namespace lumenscroll {

class AppContext;
class PageHandle;

// The flags a page keeps per verse row (selected, note mode), the selection bar that stands
// under a lone selected verse, and what the page's buttons do with the selection: deselect it,
// copy it.

// The number of selected verses.
std::int64_t selectedVerseCount(const PageHandle& page);

// A tap on verse row `row`: the selection flags are first made one per verse, then the row's
// flag flips and it becomes the row tapped last. It also raises the selection bar, which shows
// only where isSelectionBarShown says so.
void tapVerse(const PageHandle& page, std::int64_t row);

// Whether the bar with the bookmark button and the highlighter stands under row `row`: raised,
// and `row` the only selected row and the one tapped last.
bool isSelectionBarShown(const PageHandle& page, std::int64_t row);

// Clears the selection and hides the selection bar; highlights and bookmarks stay.
void deselectVerses(const PageHandle& page);

// One cleared selection flag and one note switch (QTOnOff) per verse of the page, and one empty
// chapter note per open page.
void resetVerseFlags(const PageHandle& page);

// The copy button: the selected verses with their reference go to the clipboard; with none
// selected the page's notice asks for a selection and the clipboard is left alone.
void copySelectedVerses(const PageHandle& page, const AppContext& context);

} // namespace lumenscroll
