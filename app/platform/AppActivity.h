#pragma once

#include "app/platform/ListenerList.h"
#include "app/platform/Subscription.h"

#include <QMetaObject>

#include <functional>

namespace lumenscroll {

// Tells its listeners when the application becomes active (true) and when it stops being
// active (false), and says which it is now. Tests call notify() themselves, from an active
// start; the application calls followApplication().
class AppActivity {
public:
    AppActivity() = default;
    ~AppActivity();
    AppActivity(const AppActivity&) = delete;
    AppActivity& operator=(const AppActivity&) = delete;

    [[nodiscard]] Subscription onChange(std::function<void(bool active)> listener) {
        return listeners_.add(std::move(listener));
    }
    void notify(bool active) {
        active_ = active;
        listeners_.send(active);
    }
    // What was last notified, or found when following the application began.
    bool isActive() const { return active_; }

    // Follows QGuiApplication's state (needs a QGuiApplication): entering the active state
    // notifies true, leaving it for any other state notifies false.
    void followApplication();

private:
    ListenerList<bool> listeners_;
    QMetaObject::Connection connection_;
    bool active_ = true;
};

} // namespace lumenscroll
