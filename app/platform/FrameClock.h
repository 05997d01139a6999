#pragma once

#include "app/platform/ListenerList.h"
#include "app/platform/Scheduler.h"
#include "app/platform/Subscription.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

namespace lumenscroll {

// The one beat every animation drawn frame by frame takes its frames from. Each repaint costs
// the platform far more than the few pixels an animation changes, and Qt folds the repaints
// asked for in one pass of the event loop into one: animations that each kept a timer of their
// own asked for one repaint apiece, at times of their own; on one beat they share it.
//
// The beat runs only while someone listens. An animation reads how far it is along from now(),
// not from how many beats it saw, so a late beat never slows it down.
class FrameClock {
public:
    explicit FrameClock(Scheduler& scheduler);
    FrameClock(const FrameClock&) = delete;
    FrameClock& operator=(const FrameClock&) = delete;
    ~FrameClock();

    // Thirty beats a second. Each repaint of the window costs a round trip to the display and a
    // walk of its widgets, whatever it draws; at thirty a second the shimmer's soft band still
    // glides, and a fade, whose steps are at least 40 ms apart, still shows each one.
    static constexpr std::chrono::milliseconds interval{33};

    // Calls `frame` on every beat from the next one on, until the subscription is dropped.
    [[nodiscard]] Subscription onFrame(std::function<void()> frame);
    // Where the time stands, on the scheduler's clock.
    std::chrono::milliseconds now() const { return scheduler_.now(); }
    bool isRunning() const { return beat_->timer.isActive(); }

private:
    struct Beat {
        ListenerList<> frames;
        Subscription timer;
    };

    Scheduler& scheduler_;
    // Shared with the subscriptions, which may outlive the clock.
    std::shared_ptr<Beat> beat_ = std::make_shared<Beat>();
    // What the beat is tied to: it ends with the clock.
    QObject beatContext_;
};

} // namespace lumenscroll
