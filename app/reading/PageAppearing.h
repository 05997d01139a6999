#pragma once

namespace lumenscroll {

class AppContext;
class PageHandle;
class UserSettings;
struct BibleView;

// What happens as a reading page and its parts come on screen: the page itself (once, when the
// host first shows it), its verse area, and the panels of its top area.

// Page `page` came on screen: every page's title is refreshed. While some page has no page value
// yet (or some value no record), every page's verses are read again, each in its own translation
// and keeping its marks, and this page's selection, bookmark rows and note switches are made to
// fit its chapter; the saved pages are checked once per run (PageStatePersistence::loadSavedState,
// which appends to roles: `page` is not read after it, so it may be an element of roles).
void appear(const BibleView& page);

// The verse area came on screen: a page whose chapter has no verses reads them, in its own
// translation, into its record (nothing else of the record changes); the selection flags are made
// one per verse.
void verseAreaAppeared(const PageHandle& page, const AppContext& context);

// The preferences and the About view never stand together: whichever comes on screen clears the
// other's flag (written only when it is set).
void settingsViewAppeared(UserSettings& settings);
void aboutViewAppeared(UserSettings& settings);

} // namespace lumenscroll
