#pragma once

#include "app/platform/ListenerList.h"
#include "app/platform/Subscription.h"

#include <functional>

namespace lumenscroll {

// The "this object is about to change" announcement of an object holding published fields.
// Every write to one of its fields sends it once, before the value changes; reading sends
// nothing. Change watchers and views subscribe to it to learn that a re-render or a pass of
// change reactions is due.
class ObjectWillChangePublisher {
public:
    ObjectWillChangePublisher() = default;
    ObjectWillChangePublisher(const ObjectWillChangePublisher&) = delete;
    ObjectWillChangePublisher& operator=(const ObjectWillChangePublisher&) = delete;

    void send() const { listeners_.send(); }
    [[nodiscard]] Subscription sink(std::function<void()> listener) {
        return listeners_.add(std::move(listener));
    }

private:
    ListenerList<> listeners_;
};

} // namespace lumenscroll
