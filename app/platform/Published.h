#pragma once

#include "app/platform/ListenerList.h"
#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Subscription.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace lumenscroll {

// One published field of an observable object. It can only be written through set() or
// modify(), and every write - equal value or not, however deep an in-place change goes -
// announces itself to the owner exactly once, before the value changes. Reads announce
// nothing. There is deliberately no mutable accessor: a write that nobody hears about
// cannot be written.
template <class T> class Published {
public:
    Published(ObjectWillChangePublisher& owner, T initial)
        : owner_(owner)
        , value_(std::move(initial)) {}
    Published(ObservableObject& owner, T initial)
        : Published(owner.publisher(), std::move(initial)) {}

    // A field belongs to one owner at one address: sinks and bindings refer to it there.
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const T& get() const { return value_; }
    const T& operator()() const { return value_; }
    const T* operator->() const { return &value_; }

    void set(T value) {
        owner_.send();
        value_ = std::move(value);
        didSet();
    }

    // An in-place change of any depth (one element of a list, one field of a record in a
    // list): one announcement for the whole change. Returns a copy of what the change function
    // returns, never a reference into the value, which would be a way to write unannounced.
    template <class Change> auto modify(Change&& change) {
        owner_.send();
        using Result = std::invoke_result_t<Change&&, T&>;
        if constexpr (std::is_void_v<Result>) {
            std::forward<Change>(change)(value_);
            didSet();
        } else {
            std::decay_t<Result> result = std::forward<Change>(change)(value_);
            didSet();
            return result;
        }
    }

    // Receives every value published: at once the current value, then the new value after
    // every write, once it is stored.
    [[nodiscard]] Subscription sink(std::function<void(const T&)> handler) {
        handler(value_);
        return sinks_.add(std::move(handler));
    }

private:
    // Every sink receives the value that was published, even when an earlier sink writes the
    // field again; the copy is made only when someone listens.
    void didSet() {
        if (sinks_.empty())
            return;
        const T published = value_;
        sinks_.send(published);
    }

    ObjectWillChangePublisher& owner_;
    T value_;
    ListenerList<T> sinks_;
};

} // namespace lumenscroll
