#pragma once

#include "app/platform/Binding.h"

#include <memory>

namespace lumenscroll {

class AppContext;
class UserSettings;

// The application: the one shared state of the run and the platform services every view is
// given, for the life of the process. LumenscrollAppWidget is its window.
//
// Quitting saves the open pages, but only once the carousel has restored the saved pages at
// launch and while at least one page is open: a quit during the start-up screen, before
// anything was restored, must never overwrite what the last run saved.
class LumenscrollApp {
public:
    // The running application (needs a QApplication): the platform's own services, with
    // sounds played through Qt Multimedia.
    LumenscrollApp();
    // Over services given by the caller (tests), which must outlive the application.
    explicit LumenscrollApp(AppContext& context);
    ~LumenscrollApp();
    LumenscrollApp(const LumenscrollApp&) = delete;
    LumenscrollApp& operator=(const LumenscrollApp&) = delete;

    UserSettings& userSettings() const { return *userSettings_; }
    AppContext& context() const { return context_; }

    // Handed down to the page carousel, which sets it once the saved pages are restored.
    Binding<bool> pagesRestored() { return Binding<bool>::to(pagesRestored_); }
    bool hasRestoredPages() const { return pagesRestored_; }

    // Whether quitting now would save the pages.
    bool savesAtQuit() const;
    // The window is about to close.
    void windowWillClose();
    // The application is about to quit, by whatever way.
    void applicationWillQuit();

private:
    void saveBeforeQuitting();

    std::unique_ptr<AppContext> ownedContext_;
    AppContext& context_;
    std::unique_ptr<UserSettings> userSettings_;
    bool pagesRestored_ = false;
    // Closing the window and quitting come one after the other: one save serves both.
    bool savedAtQuit_ = false;
};

} // namespace lumenscroll
