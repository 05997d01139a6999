#pragma once

#include <functional>

namespace lumenscroll {

// Ownership of one registration (a sink on a published field, a repeating timer, a listener):
// while the subscription lives the registration stays, and dropping the subscription ends it.
// Move-only, so that exactly one owner decides when it ends.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel)
        : cancel_(std::move(cancel)) {}

    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    ~Subscription() { cancel(); }

    // Ends the registration now; later calls do nothing.
    void cancel();
    bool isActive() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

} // namespace lumenscroll
