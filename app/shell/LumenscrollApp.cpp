#include "app/shell/LumenscrollApp.h"

#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/shell/MediaSoundPlayer.h"

namespace lumenscroll {

LumenscrollApp::LumenscrollApp()
    : ownedContext_(AppContext::production(std::make_unique<MediaSoundPlayer>()))
    , context_(*ownedContext_)
    , userSettings_(std::make_unique<UserSettings>()) {}

LumenscrollApp::LumenscrollApp(AppContext& context)
    : context_(context)
    , userSettings_(std::make_unique<UserSettings>()) {}

LumenscrollApp::~LumenscrollApp() = default;

bool LumenscrollApp::savesAtQuit() const {
    return pagesRestored_ && !userSettings_->selectedBibleArray().empty();
}

void LumenscrollApp::windowWillClose() {
    saveBeforeQuitting();
}

void LumenscrollApp::applicationWillQuit() {
    saveBeforeQuitting();
}

void LumenscrollApp::saveBeforeQuitting() {
    if (savedAtQuit_ || !savesAtQuit()) {
        return;
    }
    savedAtQuit_ = true;
    userSettings_->savePageState(context_);
}

} // namespace lumenscroll
