#include "app/reading/UserSettings.h"

#include "app/model/BibleBook.h"
#include "app/reading/BibleView.h"
#include "app/reading/SavedPageState.h"

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

} // namespace lumenscroll
