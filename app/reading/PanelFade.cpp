#include "app/reading/PanelFade.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace lumenscroll {

PanelFade::PanelFade(const FrameClock& clock)
    : time_(clock) {}

void PanelFade::animateTurn(bool shown, Animations::Curve curve) {
    asked_.emplace(shown, std::move(curve));
}

bool PanelFade::follow(bool shown) {
    const std::optional<std::pair<bool, Animations::Curve>> asked = std::exchange(asked_, std::nullopt);
    if (shown == shown_) {
        return false;
    }
    const double from = opacity();
    shown_ = shown;
    from_ = from;
    duration_ = std::chrono::milliseconds{0};
    time_.reset();
    if (asked && asked->first == shown) {
        // Turned back half-way, it has half the way to go.
        const double way = std::abs((shown ? 1.0 : 0.0) - from);
        duration_ = std::chrono::milliseconds{static_cast<std::int64_t>(
            std::lround(static_cast<double>(asked->second.duration.count()) * way))};
        easing_ = asked->second.easing;
        time_.start();
    }
    return true;
}

double PanelFade::opacity() const {
    const double to = shown_ ? 1.0 : 0.0;
    if (!isFading()) {
        return to;
    }
    const double progress =
        static_cast<double>(time_.elapsed().count()) / static_cast<double>(duration_.count());
    return from_ + (to - from_) * easing_.valueForProgress(progress);
}

bool PanelFade::isFading() const {
    return duration_.count() > 0 && time_.elapsed() < duration_;
}

} // namespace lumenscroll
