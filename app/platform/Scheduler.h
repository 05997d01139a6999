#pragma once

#include "app/platform/Subscription.h"

#include <chrono>
#include <functional>

class QObject;

namespace lumenscroll {

// Where posted and delayed work goes. Every piece of work is tied to a context object: once
// the context is destroyed (a closed page, a dismissed view) its work that has not run yet
// never runs. The context must not be null.
class Scheduler {
public:
    using Task = std::function<void()>;

    virtual ~Scheduler() = default;

    // After the current update: once control is back in the event loop.
    virtual void post(QObject* context, Task task) = 0;
    // After `delay`.
    virtual void postAfter(QObject* context, std::chrono::milliseconds delay, Task task) = 0;
    // Every `interval` until the subscription is dropped or the context is destroyed; the
    // first run is one interval from now.
    [[nodiscard]] virtual Subscription repeatEvery(QObject* context, std::chrono::milliseconds interval,
                                                   Task task) = 0;
    // The time on this scheduler's own clock, which only moves forward: for work that must know
    // how far along it is however late it runs.
    virtual std::chrono::milliseconds now() const = 0;
};

} // namespace lumenscroll
