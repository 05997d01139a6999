#pragma once

#include "app/reading/BibleView.h"

namespace lumenscroll {

class PageHandle;

// What stands in front of a page's verses, and Escape, which closes it one layer a press,
// frontmost first: a chooser sheet over the whole page, then the About view, the preferences
// and the search page in the order the top area stacks them. Each closes as its own close
// button closes it, or by lowering the flag its panel already follows, so that the key works
// whatever draws the panels. A page that is not open has nothing in front.

BibleView::Front frontmost(const PageHandle& page);

// Closes the frontmost layer; false when nothing stood in front.
bool closeFrontmost(const PageHandle& page);

} // namespace lumenscroll
