#pragma once

#include <QEasingCurve>

#include <chrono>

namespace lumenscroll {

// The animation curves the views use, with the one switch that turns every animation off
// (tests, or a user who wants none): switched off, every curve lasts zero time, so the
// drawing jumps straight to its end state.
class Animations {
public:
    struct Curve {
        std::chrono::milliseconds duration;
        QEasingCurve easing;
    };

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // The default animation: 350 ms ease-in-out.
    Curve standard() const;
    // The spring: about 300 ms with a slight overshoot.
    Curve spring() const;
    // Any other curve a view needs, under the same switch.
    Curve timed(std::chrono::milliseconds duration, QEasingCurve easing) const;

private:
    bool enabled_ = true;
};

} // namespace lumenscroll
