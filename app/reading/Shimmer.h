#pragma once

#include "app/reading/GradientColor.h"

#include <chrono>
#include <vector>

namespace lumenscroll {

// A bright diagonal band that sweeps back and forth across a view: the view is masked by a
// gradient (by default faint, full, faint) whose ends move from before the top-left corner to
// beyond the bottom-right corner (top-right to bottom-left in a right-to-left layout) and
// back. This is the effect's state and geometry; ShimmerEffect draws it on a widget.
class Shimmer {
public:
    using Color = GradientColor;

    struct Animation {
        enum class Curve { linear, easeIn };

        Curve curve = Curve::linear;
        std::chrono::milliseconds duration{0};
        std::chrono::milliseconds delay{0};
        bool repeatsForever = false;
        bool autoreverses = false;

        bool operator==(const Animation&) const = default;
    };

    // A point in the view's bounds: (0, 0) top-left, (1, 1) bottom-right.
    struct UnitPoint {
        double x = 0.0;
        double y = 0.0;

        bool operator==(const UnitPoint&) const = default;
    };

    enum class LayoutDirection { leftToRight, rightToLeft };

    // Linear, 1.5 s after a 0.25 s delay, forever, back and forth.
    static const Animation& defaultAnimation();
    // Black at 0.3, black, black at 0.3: the view shows faintly outside the band.
    static const std::vector<Color>& defaultGradient();
    static constexpr double defaultBandSize = 0.3;
    // Linear over `duration` after `delay`, forever; back and forth when `bounce`.
    static Animation makeAnimation(bool bounce, std::chrono::milliseconds duration,
                                   std::chrono::milliseconds delay);
    // How the band actually moves, whatever animation the effect was given: ease-in over
    // 2 s each way, forever.
    static const Animation& sweepAnimation();

    Shimmer(Animation animation, std::vector<Color> gradient, double bandSize,
            LayoutDirection layoutDirection = LayoutDirection::leftToRight);

    const Animation& animation() const { return animation_; }
    const std::vector<Color>& gradient() const { return gradient_; }
    double min() const { return min_; }
    double max() const { return max_; }
    bool isInitialState() const { return isInitialState_; }
    LayoutDirection layoutDirection() const { return layoutDirection_; }

    // The mask's ends now, and in either state (the drawing moves between the two).
    UnitPoint startPoint() const { return startPoint(isInitialState_); }
    UnitPoint endPoint() const { return endPoint(isInitialState_); }
    UnitPoint startPoint(bool initialState) const;
    UnitPoint endPoint(bool initialState) const;

    // The view came on screen: the sweep begins.
    void appear() { isInitialState_ = false; }

private:
    Animation animation_;
    std::vector<Color> gradient_;
    double min_;
    double max_;
    bool isInitialState_ = true;
    LayoutDirection layoutDirection_;
};

} // namespace lumenscroll
