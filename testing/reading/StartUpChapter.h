#pragma once

namespace lumenscroll {
class AppContext;
class UserSettings;
} // namespace lumenscroll

namespace lumenscroll::testing {

// What the start-up screen leaves behind: Genesis 1 of the Korean text, as its loader records
// it, the only chapter of book 0 in BibleWordsContainer (no verses without the text).
void loadStartUpChapter(UserSettings& settings, const AppContext& context);

} // namespace lumenscroll::testing
