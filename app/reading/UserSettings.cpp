#include "app/reading/UserSettings.h"

#include "app/model/BibleBook.h"
#include "app/reading/BibleView.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/SavedPageState.h"

#include <algorithm>

namespace lumenscroll {

// roles is initialised here, where its element type is complete.
UserSettings::UserSettings()
    : roles(*this, {})
    , savedPageState_(std::make_unique<SavedPageState>()) {}

UserSettings::~UserSettings() = default;

std::vector<std::vector<BibleStructure>> UserSettings::placeholderBooks() {
    return std::vector<std::vector<BibleStructure>>(static_cast<std::size_t>(bibleBookCount),
                                                    std::vector<BibleStructure>(1));
}

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
    const BibleView page = roles.get()[static_cast<std::size_t>(std::clamp<std::int64_t>(selectedTab(), 0, last))];
    page.showNotice(page.noticeText(BibleView::Notice::saveFailed));
}

} // namespace lumenscroll
