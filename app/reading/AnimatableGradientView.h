#pragma once

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/ListenerList.h"
#include "app/platform/Subscription.h"
#include "app/reading/GradientColor.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <vector>

namespace lumenscroll {

// A background of two diagonal two-colour gradients, one over the other, that cross-fades to
// a new random gradient every 2.0 seconds while it is on screen: the hidden plane takes the new
// colours and the upper plane fades in or out over them. `Colored` true shows nothing at all
// (the background of an unselected button), though the timer goes on.
class AnimatableGradientView {
public:
    using Color = GradientColor;

    // How a change of planes reaches the screen.
    enum class Fade {
        none,
        linear, // the timer's cross-fade, 2.0 s
        easeIn, // the button's cross-fade, 2.0 s
    };

    // Random colours come from the context's random source, the timer from its scheduler.
    AnimatableGradientView(AppContext& context, Binding<bool> colored);
    AnimatableGradientView(const AnimatableGradientView&) = delete;
    AnimatableGradientView& operator=(const AnimatableGradientView&) = delete;
    ~AnimatableGradientView();

    bool colored() const { return colored_.get(); }
    const std::vector<Color>& gradientA() const { return gradientA_; }
    const std::vector<Color>& gradientB() const { return gradientB_; }
    // True while gradient A shows: the upper plane (B) is then fully transparent.
    bool firstPlane() const { return firstPlane_; }
    double upperPlaneOpacity() const { return firstPlane_ ? 0.0 : 1.0; }
    const Color& color1() const { return color1_; }
    const Color& color2() const { return color2_; }
    bool hasTimer() const { return timer_.isActive(); }

    // An opaque colour whose red, green and blue are each drawn from 0 to 1, both included.
    Color randomColor();

    // The view came on screen: a new gradient every 2.0 seconds from now on. A view that
    // already has its timer keeps it, so there is never a second one.
    void startTimer();
    // The view left the screen: no more ticks.
    void stopTimer();

    // The cross-fade step: the plane hidden now takes `colors`, then the planes swap.
    void swapGradient(std::vector<Color> colors, Fade fade = Fade::none);
    // The background's own (label-less) button: a new gradient, easing in.
    void pressButton();

    // Told after every swap, with the fade it asks for.
    [[nodiscard]] Subscription onChange(std::function<void(Fade)> listener) {
        return listeners_.add(std::move(listener));
    }

    static constexpr std::chrono::milliseconds tickInterval{2000};
    static constexpr std::chrono::milliseconds fadeDuration{2000};
    // Steps between 0 and 1 in a drawn component: as fine as a colour is stored.
    static constexpr int componentSteps = 65535;

private:
    std::vector<Color> randomGradient();

    AppContext& context_;
    Binding<bool> colored_;
    std::vector<Color> gradientA_;
    std::vector<Color> gradientB_;
    bool firstPlane_ = true;
    Color color1_;
    Color color2_;
    Subscription timer_;
    // What the timer's work is tied to: it dies with the view.
    QObject timerContext_;
    ListenerList<Fade> listeners_;
};

} // namespace lumenscroll
