// UserSettings' save of the open pages, which calls the page-state persistence and tells a
// failure with the notice of the page on screen: both stand above the shared state, so the save
// is defined here, above them, rather than beside the state (see the layers in CMakeLists.txt).

#include "app/reading/UserSettings.h"

#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageNotices.h"
#include "app/reading/PageStatePersistence.h"

#include <algorithm>
#include <cstdint>

namespace lumenscroll {

void UserSettings::savePageState(const AppContext& context) {
    PageStatePersistence::savePageState(*this, context, [this](bool saved) { pageStateSaved(saved); });
}

void UserSettings::pageStateSaved(bool saved) {
    if (saved != pageStateSaveFailed()) {
        return;
    }
    pageStateSaveFailed.set(!saved);
    if (saved || roles->empty()) {
        return;
    }
    // Every save fails alike until the folder is writable again: one notice says it.
    const auto last = static_cast<std::int64_t>(roles->size()) - 1;
    const BibleView shown =
        roles.get()[static_cast<std::size_t>(std::clamp<std::int64_t>(selectedTab(), 0, last))];
    const PageHandle page = PageHandle::of(shown);
    showNotice(page, shown.userSettings.context().scheduler(),
               noticeText(page, BibleView::Notice::saveFailed));
}

} // namespace lumenscroll
