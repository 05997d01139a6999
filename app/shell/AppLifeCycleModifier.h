#pragma once

#include "app/platform/Subscription.h"

#include <functional>

namespace lumenscroll {

class AppActivity;

// Tells a view when the application becomes active (true) and when it is about to stop being
// active (false), while the view is shown: the view appears, the modifier listens; it leaves,
// the modifier stops. Every notification calls the action, in the order they come, repeated
// ones included; showing the view calls nothing by itself. Whatever follows the application's
// activity while it is shown (the paging carousel's turning, for one) listens through this.
class AppLifeCycleModifier {
public:
    using Action = std::function<void(bool active)>;

    // `activity` must outlive the modifier.
    AppLifeCycleModifier(AppActivity& activity, Action action);
    AppLifeCycleModifier(const AppLifeCycleModifier&) = delete;
    AppLifeCycleModifier& operator=(const AppLifeCycleModifier&) = delete;

    // The modified view came on screen. Appearing again while shown changes nothing.
    void appear();
    // It left the screen.
    void disappear();

    bool isShown() const { return subscription_.isActive(); }

private:
    AppActivity& activity_;
    Action action_;
    Subscription subscription_;
};

} // namespace lumenscroll
