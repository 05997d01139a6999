#pragma once

#include "app/reading/ScrollViewProxy.h"

#include <cstdint>
#include <memory>

namespace lumenscroll {

class PageHandle;

// Where a page's verse list is sent: through the list's scroll reader, which the page keeps
// from the moment the list is on screen, by the up and down buttons, and to the verse chosen
// last (in a chooser, or by a search hit), which the list shows after a chapter step or choice.
// Nothing scrolls without a reader or verses.

// Keeps the verse list's scroll reader once the list is on screen; none before.
void keepScrollReader(const PageHandle& page, std::shared_ptr<ScrollViewProxy> reader);
std::shared_ptr<ScrollViewProxy> scrollReader(const PageHandle& page);

// The up and down buttons: the first verse to the top, the last one to the centre, both
// animated.
void scrollToFirstVerse(const PageHandle& page);
void scrollToLastVerse(const PageHandle& page);

// The row that shows the verse chosen last: the page's praiseIndex (`ownChoice`, the page
// value's own, for a page without one in roles), or 0 when the chapter has no such verse (a
// verse tapped in the chooser before a shorter chapter was picked).
std::int64_t chosenVerseRow(const PageHandle& page, std::int64_t ownChoice);

// userSelectBibleSection changed (after a chapter step or a chapter choice, and back): the row
// of the verse chosen (chosenVerseRow) goes into the first verse's index, where the up button
// finds it, and is returned: the list scrolls to it a little later.
std::int64_t userSelectBibleSectionChanged(const PageHandle& page, std::int64_t ownChoice);

} // namespace lumenscroll
