#pragma once

#include <cstdint>

namespace lumenscroll {

class AppContext;
class PageHandle;
class UserSettings;

// A reading page's part in adding a page: "New Page" (plusBible2) copies the page on screen,
// and a search hit opens its verse as a new page. The carousel builds the new page; the pages
// take it in, and the newest one shows and selects the verse the search chose.

// plusBible2 changed: a page was added. The newest page clears the page-adding flags (so the next
// "New Page" works), takes its translation and title, and saves. `previousPageIndex` is traced.
void plusBible2Changed(const PageHandle& page, const AppContext& context, std::int64_t previousPageIndex,
                       bool added);

// searchBtnPressed changed: the search closing with hits adds the slot for the new page
// (appendDefaultPage), and saves.
void searchBtnPressedChanged(UserSettings& settings, const AppContext& context, bool pressed);

// Appends the default page record: the slot a pending search hit fills as a new page.
void appendDefaultPage(UserSettings& settings);

// A value received from newBibleViewPageCreating: a true one, before executedOnce, is taken and
// the verse selection reset for the searched verse. Returns whether it was taken: the flag is then
// to be lowered, after the current action (see BibleViewReactions).
bool receiveNewBibleViewPageCreating(const PageHandle& page, bool creating);

// The selection flags one false per verse, then praiseIndexChanged flipped, unless executedOnce
// says the searched verse was shown already.
void resetVerseSelection(const PageHandle& page);

// praiseIndexChanged changed: when raised, the newest page (the one built at `fixedIndex`) shows
// and selects the verse the search chose (praiseSelected) and raises executedOnce; every page
// lowers the flag.
void praiseIndexChangedTo(const PageHandle& page, std::int64_t fixedIndex, bool changed);

} // namespace lumenscroll
