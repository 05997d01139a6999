#pragma once

namespace lumenscroll {

class AppContext;
class PageHandle;

// The page's left and right buttons: one chapter back or forward, across books; Genesis 1 and
// Revelation 22 are the ends. The chapter is loaded in the record's translation, the page's
// flags, label and title follow it, the pages are saved and userSelectBibleSection rises, so
// that the list shows the chosen verse a little later. A record on a negative chapter counts as
// on the first; one on a book outside 0-65 does not step.
void goToPreviousChapter(const PageHandle& page, const AppContext& context);
void goToNextChapter(const PageHandle& page, const AppContext& context);

} // namespace lumenscroll
