#pragma once

#include "app/platform/Subscription.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace lumenscroll {

// The listeners of one event, called in the order they were added. A listener may add or
// cancel listeners (itself included) while it is being called: one added then waits for the
// next send, one cancelled is not called again, and nothing is freed under a running call.
template <class... Args> class ListenerList {
public:
    using Listener = std::function<void(const Args&...)>;

    ListenerList() = default;
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    [[nodiscard]] Subscription add(Listener listener) {
        auto entry = std::make_shared<Entry>(Entry{std::move(listener), false});
        state_->entries.push_back(entry);
        std::weak_ptr<State> weakState = state_;
        std::weak_ptr<Entry> weakEntry = entry;
        return Subscription([weakState, weakEntry] {
            auto state = weakState.lock();
            auto entry = weakEntry.lock();
            if (state && entry) {
                state->remove(entry.get());
            }
        });
    }

    void send(const Args&... args) const {
        // Held here so that a listener that destroys the list's owner does not pull the
        // state out from under this loop.
        std::shared_ptr<State> state = state_;
        ++state->sending;
        const std::size_t count = state->entries.size();
        for (std::size_t i = 0; i < count; ++i) {
            std::shared_ptr<Entry> entry = state->entries[i];
            if (!entry->removed) {
                entry->listener(args...);
            }
        }
        if (--state->sending == 0) {
            state->compact();
        }
    }

    std::size_t size() const {
        std::size_t live = 0;
        for (const auto& entry : state_->entries) {
            live += entry->removed ? 0 : 1;
        }
        return live;
    }
    bool empty() const { return size() == 0; }

private:
    struct Entry {
        Listener listener;
        bool removed;
    };
    struct State {
        std::vector<std::shared_ptr<Entry>> entries;
        int sending = 0;

        void remove(Entry* target) {
            target->removed = true;
            if (sending == 0) {
                compact();
            }
        }
        void compact() {
            std::erase_if(entries, [](const std::shared_ptr<Entry>& entry) { return entry->removed; });
        }
    };

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace lumenscroll
