#include "testing/platform/ManualScheduler.h"

#include <QObject>

#include <algorithm>
#include <stdexcept>

namespace lumenscroll {

namespace {

// Far more turns at one virtual moment than any real flow takes; past it, work is feeding
// itself and a test would otherwise hang.
constexpr std::size_t runsAtOneMomentLimit = 100000;

QObject* requireContext(QObject* context, const char* operation) {
    if (context == nullptr) {
        qFatal("ManualScheduler::%s: work must be tied to a context object", operation);
    }
    return context;
}

} // namespace

void ManualScheduler::post(QObject* context, Task task) {
    schedule(requireContext(context, "post"), now_, std::move(task), std::chrono::milliseconds{0}, nullptr);
}

void ManualScheduler::postAfter(QObject* context, std::chrono::milliseconds delay, Task task) {
    schedule(requireContext(context, "postAfter"), now_ + std::max(delay, std::chrono::milliseconds{0}),
             std::move(task), std::chrono::milliseconds{0}, nullptr);
}

Subscription ManualScheduler::repeatEvery(QObject* context, std::chrono::milliseconds interval, Task task) {
    // A zero interval would pin the clock; Qt treats it as "as often as possible", one
    // millisecond is the closest a virtual clock gets.
    interval = std::max(interval, std::chrono::milliseconds{1});
    auto cancelled = std::make_shared<bool>(false);
    schedule(requireContext(context, "repeatEvery"), now_ + interval, std::move(task), interval, cancelled);
    return Subscription([cancelled] { *cancelled = true; });
}

void ManualScheduler::schedule(QObject* context, std::chrono::milliseconds due, Task task,
                               std::chrono::milliseconds interval, std::shared_ptr<bool> cancelled) {
    queue_.emplace(Key{due, nextOrder_++},
                   Item{QPointer<QObject>(context), std::move(task), interval, std::move(cancelled)});
}

bool ManualScheduler::isLive(const Item& item) {
    return item.context && !(item.cancelled && *item.cancelled);
}

bool ManualScheduler::run(std::map<Key, Item>::iterator position) {
    const std::chrono::milliseconds due = position->first.first;
    Item item = std::move(position->second);
    queue_.erase(position);
    if (!isLive(item)) {
        return false;
    }
    now_ = std::max(now_, due);
    countRunAt(now_);
    if (item.interval.count() > 0) {
        // Rescheduled before it runs, so that the task may still cancel its own timer.
        schedule(item.context.data(), due + item.interval, item.task, item.interval, item.cancelled);
    }
    item.task();
    return true;
}

void ManualScheduler::countRunAt(std::chrono::milliseconds moment) {
    if (moment != guardMoment_) {
        guardMoment_ = moment;
        runsAtGuardMoment_ = 0;
    }
    if (++runsAtGuardMoment_ > runsAtOneMomentLimit) {
        throw std::runtime_error("ManualScheduler: work keeps posting work for the same moment");
    }
}

std::size_t ManualScheduler::runTurn() {
    const std::uint64_t postedBefore = nextOrder_;
    guardMoment_ = std::chrono::milliseconds{-1};
    std::size_t ran = 0;
    for (;;) {
        auto position = std::find_if(queue_.begin(), queue_.end(), [&](const auto& entry) {
            return entry.first.first <= now_ && entry.first.second < postedBefore;
        });
        if (position == queue_.end()) {
            return ran;
        }
        ran += run(position) ? 1 : 0;
    }
}

std::size_t ManualScheduler::runReady() {
    return advance(std::chrono::milliseconds{0});
}

std::size_t ManualScheduler::advance(std::chrono::milliseconds duration) {
    const std::chrono::milliseconds target = now_ + std::max(duration, std::chrono::milliseconds{0});
    guardMoment_ = std::chrono::milliseconds{-1};
    std::size_t ran = 0;
    while (!queue_.empty() && queue_.begin()->first.first <= target) {
        ran += run(queue_.begin()) ? 1 : 0;
    }
    now_ = target;
    return ran;
}

std::size_t ManualScheduler::pendingCount() const {
    return static_cast<std::size_t>(
        std::count_if(queue_.begin(), queue_.end(), [](const auto& entry) { return isLive(entry.second); }));
}

std::optional<std::chrono::milliseconds> ManualScheduler::nextDue() const {
    for (const auto& [key, item] : queue_) {
        if (isLive(item)) {
            return key.first;
        }
    }
    return std::nullopt;
}

} // namespace lumenscroll
