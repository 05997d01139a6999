#pragma once

#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Scheduler.h"
#include "app/platform/Subscription.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace lumenscroll {

// A view's "when X changes, with its new value" reactions. They never run inside the write
// that caused them: a write to an observed object schedules one pass, after the current
// action, in which every watcher whose value now differs from the last value it saw is
// called with the new value, in the order the watchers were attached. So a value set and
// reset within one action triggers nothing, a list emptied and refilled within one action
// is seen once, and a change made by a handler starts another pass.
class ChangeWatchers {
public:
    explicit ChangeWatchers(Scheduler& scheduler)
        : scheduler_(scheduler) {}
    ChangeWatchers(const ChangeWatchers&) = delete;
    ChangeWatchers& operator=(const ChangeWatchers&) = delete;
    ~ChangeWatchers() { *alive_ = false; }

    // Writes to `object` schedule a pass. The object must outlive these watchers.
    void observe(ObjectWillChangePublisher& object) {
        observed_.push_back(object.sink([this] { schedulePass(); }));
    }
    void observe(ObservableObject& object) { observe(object.publisher()); }

    // Calls `handler(newValue)` in a pass where `value()` differs from what it gave last;
    // the first value is taken now and triggers nothing. The value must be equality-comparable,
    // and `value` must be safe to call whenever a pass runs.
    template <class Value, class Handler> void watch(Value value, Handler handler) {
        using T = std::decay_t<std::invoke_result_t<Value&>>;
        watchers_.push_back(std::make_unique<ValueWatcher<T>>(std::move(value), std::move(handler)));
    }

    // For changes the observed objects cannot announce (a view's plain fields).
    void schedulePass() {
        if (pending_) {
            return;
        }
        pending_ = true;
        scheduler_.post(&context_, [this] { runPass(); });
    }

    bool isPassPending() const { return pending_; }
    std::size_t size() const { return watchers_.size(); }

private:
    struct Watcher {
        virtual ~Watcher() = default;
        virtual void check() = 0;
    };

    template <class T> struct ValueWatcher final : Watcher {
        ValueWatcher(std::function<T()> value, std::function<void(const T&)> handler)
            : value_(std::move(value))
            , handler_(std::move(handler))
            , last_(value_()) {}

        void check() override {
            T current = value_();
            if (current == last_) {
                return;
            }
            last_ = current;
            // Copies: the handler may destroy the view, and these watchers with it.
            auto handler = handler_;
            handler(current);
        }

        std::function<T()> value_;
        std::function<void(const T&)> handler_;
        T last_;
    };

    void runPass() {
        pending_ = false;
        const std::shared_ptr<bool> alive = alive_;
        // By index: a handler may attach watchers, which join this pass at the end.
        for (std::size_t i = 0; i < watchers_.size(); ++i) {
            watchers_[i]->check();
            if (!*alive) {
                return;
            }
        }
    }

    Scheduler& scheduler_;
    // The context of the scheduled pass: destroying the watchers cancels it.
    QObject context_;
    std::vector<std::unique_ptr<Watcher>> watchers_;
    std::vector<Subscription> observed_;
    bool pending_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace lumenscroll
