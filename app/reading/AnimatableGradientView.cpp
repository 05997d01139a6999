#include "app/reading/AnimatableGradientView.h"

#include "app/platform/NamedColor.h"

#include <utility>

namespace lumenscroll {

AnimatableGradientView::AnimatableGradientView(AppContext& context, Binding<bool> colored)
    : context_(context)
    , colored_(std::move(colored))
    , gradientA_(randomGradient())
    , gradientB_(randomGradient())
    , color1_(Color::named(NamedColor::white))
    , color2_(Color::named(NamedColor::red)) {}

AnimatableGradientView::~AnimatableGradientView() {
    timer_.cancel();
}

AnimatableGradientView::Color AnimatableGradientView::randomColor() {
    // Drawn one after the other, red first, so a seeded source gives the same colours.
    const auto component = [this] {
        return static_cast<double>(context_.random().below(componentSteps + 1)) / componentSteps;
    };
    Color color;
    color.red = component();
    color.green = component();
    color.blue = component();
    color.opacity = 1.0;
    return color;
}

std::vector<AnimatableGradientView::Color> AnimatableGradientView::randomGradient() {
    Color first = randomColor();
    Color second = randomColor();
    return {first, second};
}

void AnimatableGradientView::startTimer() {
    if (timer_.isActive()) {
        return;
    }
    timer_ = context_.scheduler().repeatEvery(&timerContext_, tickInterval,
                                              [this] { swapGradient(randomGradient(), Fade::linear); });
}

void AnimatableGradientView::stopTimer() {
    timer_.cancel();
}

void AnimatableGradientView::swapGradient(std::vector<Color> colors, Fade fade) {
    if (firstPlane_) {
        gradientB_ = std::move(colors);
    } else {
        gradientA_ = std::move(colors);
    }
    firstPlane_ = !firstPlane_;
    listeners_.send(fade);
}

void AnimatableGradientView::pressButton() {
    swapGradient(randomGradient(), Fade::easeIn);
}

} // namespace lumenscroll
