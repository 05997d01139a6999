#pragma once

#include "app/platform/AnimationTime.h"
#include "app/platform/Animations.h"

#include <QEasingCurve>

#include <chrono>
#include <optional>
#include <utility>

namespace lumenscroll {

class FrameClock;

// How far in sight a panel of the page's top area stands while its flag turns. A turn made
// inside an animation (the search button's toggle) fades the panel in or out over the animation's
// curve; any other turn shows or hides it at once. A turn during a fade turns it back from the
// opacity it has reached, in the share of the curve's time that is left of the way.
//
// Coming in, the panel takes clicks as it does once in: what it will cover is no longer the
// user's to click. Going out, it takes none: a press meant for what stands under it gets there.
// A second press on the toggle (which stands above the panel) turns the fade back either way. A
// panel going out is still drawn, and takes no key either, until it is gone. Time runs on the
// frame clock, so a test moves it with the scheduler's.
class PanelFade {
public:
    explicit PanelFade(const FrameClock& clock);

    // The flag is about to turn to `shown` inside `curve`: that turn, once followed, fades.
    void animateTurn(bool shown, Animations::Curve curve);
    // The flag reads `shown` now. Returns whether that is a turn: a fade when it was asked for
    // that turn and the curve takes time, at once otherwise.
    bool follow(bool shown);

    // Whether the panel's flag is set, as last followed.
    bool isShown() const { return shown_; }
    // How opaque the panel is drawn now: 0 to 1.
    double opacity() const;
    bool isFading() const;
    // Whether the panel is drawn: shown, or fading out.
    bool isPresent() const { return shown_ || isFading(); }
    // Whether the panel takes clicks: in, or coming in.
    bool takesClicks() const { return shown_; }

private:
    AnimationTime time_;
    bool shown_ = false;
    double from_ = 0.0;
    std::chrono::milliseconds duration_{0};
    QEasingCurve easing_;
    // The turn asked to fade, until it is followed.
    std::optional<std::pair<bool, Animations::Curve>> asked_;
};

} // namespace lumenscroll
