#pragma once

namespace lumenscroll {

class AppContext;
class UserSettings;

// What a reading page takes from its surroundings: the shared state of the run, read and
// written like the shared object itself (`userSettings->roles`), and the platform services
// (resources, files, settings, scheduler) it loads and saves through. Both outlive every page.
// A plain pair of pointers, so that page values stay copyable and assignable.
class PageEnvironment {
public:
    PageEnvironment(UserSettings& userSettings, AppContext& context)
        : userSettings_(&userSettings)
        , context_(&context) {}

    UserSettings& operator*() const { return *userSettings_; }
    UserSettings* operator->() const { return userSettings_; }
    AppContext& context() const { return *context_; }

    friend bool operator==(const PageEnvironment&, const PageEnvironment&) = default;

private:
    UserSettings* userSettings_;
    AppContext* context_;
};

} // namespace lumenscroll
