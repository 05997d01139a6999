#include "app/reading/SavedPageState.h"

namespace lumenscroll {

void SavedPageState::useStorage(const QString& folder, const QString& settingsFile) {
    if (folder == folder_ && settingsFile == settingsFile_) {
        return;
    }
    *this = SavedPageState();
    folder_ = folder;
    settingsFile_ = settingsFile;
}

} // namespace lumenscroll
