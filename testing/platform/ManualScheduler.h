#pragma once

#include "app/platform/Scheduler.h"

#include <QPointer>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace lumenscroll {

// A scheduler for tests: nothing runs until the test says so, and time is a virtual clock
// that only moves through advance(), so a three-second delay takes no time at all. Work runs
// in the order of its due time, and work due at the same moment in the order it was posted.
class ManualScheduler final : public Scheduler {
public:
    ManualScheduler() = default;
    ManualScheduler(const ManualScheduler&) = delete;
    ManualScheduler& operator=(const ManualScheduler&) = delete;

    void post(QObject* context, Task task) override;
    void postAfter(QObject* context, std::chrono::milliseconds delay, Task task) override;
    [[nodiscard]] Subscription repeatEvery(QObject* context, std::chrono::milliseconds interval,
                                           Task task) override;

    std::chrono::milliseconds now() const override { return now_; }

    // One turn of the event loop: runs the work due now that was posted before this call,
    // not what that work posts. Returns how many tasks ran.
    std::size_t runTurn();
    // Turns until nothing is due now, so work posted by work runs too. Throws
    // std::runtime_error when work keeps posting work for the same moment without end.
    std::size_t runReady();
    // Moves the clock forward by `duration`, running every task that falls due on the way at
    // its own due time (a task reading now() sees the time it was due), then what is ready at
    // the end. Same guard as runReady().
    std::size_t advance(std::chrono::milliseconds duration);

    // Tasks still waiting whose context is alive (a repeating timer counts once).
    std::size_t pendingCount() const;
    // Due time of the next live task, if any.
    std::optional<std::chrono::milliseconds> nextDue() const;

private:
    struct Item {
        QPointer<QObject> context;
        Task task;
        std::chrono::milliseconds interval; // zero: runs once
        std::shared_ptr<bool> cancelled;
    };
    using Key = std::pair<std::chrono::milliseconds, std::uint64_t>; // due time, order posted

    void schedule(QObject* context, std::chrono::milliseconds due, Task task,
                  std::chrono::milliseconds interval, std::shared_ptr<bool> cancelled);
    static bool isLive(const Item& item);
    // Takes the item out and runs it; false when it was dead and only dropped.
    bool run(std::map<Key, Item>::iterator position);
    void countRunAt(std::chrono::milliseconds moment);

    std::map<Key, Item> queue_;
    std::chrono::milliseconds now_{0};
    std::uint64_t nextOrder_ = 0;
    std::chrono::milliseconds guardMoment_{-1};
    std::size_t runsAtGuardMoment_ = 0;
};

} // namespace lumenscroll
