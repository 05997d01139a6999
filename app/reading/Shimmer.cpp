#include "app/reading/Shimmer.h"

#include "app/platform/NamedColor.h"

#include <utility>

namespace lumenscroll {

const Shimmer::Animation& Shimmer::defaultAnimation() {
    static const Animation animation{
        .curve = Animation::Curve::linear,
        .duration = std::chrono::milliseconds{1500},
        .delay = std::chrono::milliseconds{250},
        .repeatsForever = true,
        .autoreverses = true,
    };
    return animation;
}

const std::vector<Shimmer::Color>& Shimmer::defaultGradient() {
    static const std::vector<Color> gradient{
        Color::named(NamedColor::black, 0.3),
        Color::named(NamedColor::black),
        Color::named(NamedColor::black, 0.3),
    };
    return gradient;
}

Shimmer::Animation Shimmer::makeAnimation(bool bounce, std::chrono::milliseconds duration,
                                          std::chrono::milliseconds delay) {
    return Animation{
        .curve = Animation::Curve::linear,
        .duration = duration,
        .delay = delay,
        .repeatsForever = true,
        .autoreverses = bounce,
    };
}

const Shimmer::Animation& Shimmer::sweepAnimation() {
    static const Animation animation{
        .curve = Animation::Curve::easeIn,
        .duration = std::chrono::milliseconds{2000},
        .delay = std::chrono::milliseconds{0},
        .repeatsForever = true,
        .autoreverses = true,
    };
    return animation;
}

Shimmer::Shimmer(Animation animation, std::vector<Color> gradient, double bandSize,
                 LayoutDirection layoutDirection)
    : animation_(animation)
    , gradient_(std::move(gradient))
    , min_(0.0 - bandSize)
    , max_(bandSize + 1.0)
    , layoutDirection_(layoutDirection) {}

// The band starts just outside the leading top corner and ends just outside the trailing
// bottom corner.
Shimmer::UnitPoint Shimmer::startPoint(bool initialState) const {
    if (layoutDirection_ == LayoutDirection::leftToRight) {
        return initialState ? UnitPoint{min_, min_} : UnitPoint{1.0, 1.0};
    }
    return initialState ? UnitPoint{max_, min_} : UnitPoint{0.0, 1.0};
}

Shimmer::UnitPoint Shimmer::endPoint(bool initialState) const {
    if (layoutDirection_ == LayoutDirection::leftToRight) {
        return initialState ? UnitPoint{0.0, 0.0} : UnitPoint{max_, max_};
    }
    return initialState ? UnitPoint{1.0, 0.0} : UnitPoint{min_, max_};
}

} // namespace lumenscroll
