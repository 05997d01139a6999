#include "app/platform/Subscription.h"

#include <utility>

namespace lumenscroll {

Subscription::Subscription(Subscription&& other) noexcept
    : cancel_(std::exchange(other.cancel_, nullptr)) {}

Subscription& Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        cancel();
        cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
}

void Subscription::cancel() {
    // Taken out first: the cancel function may end up destroying what owns this subscription.
    if (auto cancel = std::exchange(cancel_, nullptr)) {
        cancel();
    }
}

} // namespace lumenscroll
