#pragma once

#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/platform/Subscription.h"

#include <functional>
#include <utility>

namespace lumenscroll {

// A published field with one writer: set() and modify() take a `Key`, a type whose constructor
// only that writer can reach, so that "only X writes this field" is kept by the compiler rather
// than by a comment. Everything else is Published's: anyone reads and sinks, and every write is
// announced to the owner once, before the change.
template <class T, class Key> class KeyedPublished {
public:
    KeyedPublished(ObservableObject& owner, T initial)
        : field_(owner, std::move(initial)) {}

    const T& get() const { return field_.get(); }
    const T& operator()() const { return field_.get(); }
    const T* operator->() const { return &field_.get(); }

    void set(const Key&, T value) { field_.set(std::move(value)); }
    template <class Change> auto modify(const Key&, Change&& change) {
        return field_.modify(std::forward<Change>(change));
    }

    [[nodiscard]] Subscription sink(std::function<void(const T&)> handler) {
        return field_.sink(std::move(handler));
    }

private:
    Published<T> field_;
};

} // namespace lumenscroll
