#pragma once

#include "app/platform/AnimationTime.h"
#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/FrameClock.h"
#include "app/platform/Subscription.h"
#include "app/reading/AnimatableGradientView.h"

#include <QEasingCurve>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QWidget>

#include <chrono>
#include <optional>

namespace lumenscroll {

// Draws an AnimatableGradientView inside its outline (the whole area, rounded corners or a
// capsule), fading the upper plane as the view swaps; transparent while `Colored` is true (its
// host repaints when that changes).
//
// The beat and the fade run only while someone can see them: the widget shown, its window not
// minimised, the application active. A fade repaints the widget alone, and only as often as
// its colours move by a step the eye could tell; a transparent one, or one shown out of sight
// (a page the carousel's overview draws from a picture, a capsule under an open panel), skips
// to its end. Its frames fall on the context's frame clock, in the repaints whatever else moves
// asks for.
//
// The gradient's own button lies under whatever is drawn on it: a click that nothing on the
// gradient takes (a control there keeps its own) and that so falls through to the widget the
// gradient stands in, inside the gradient's outline, is the button's, and goes no further. A
// transparent gradient has no button. A drag is no click, and the gradient leaves it to those
// who see drags.
class AnimatableGradientViewWidget : public QWidget {
    Q_OBJECT

public:
    AnimatableGradientViewWidget(AppContext& context, Binding<bool> colored, QWidget* parent = nullptr);
    ~AnimatableGradientViewWidget() override;

    AnimatableGradientView& view() { return view_; }
    const AnimatableGradientView& view() const { return view_; }

    // The outline the gradient fills: the whole area (0, the default), corners of `radius` (at
    // most half the shorter side), or a capsule (negative).
    void setCornerRadius(qreal radius);
    static constexpr qreal capsule = -1.0;
    // How opaque the whole gradient is drawn.
    void setOpacity(qreal opacity);

    // The upper plane's opacity as drawn now (it trails the view's while fading).
    double shownUpperOpacity() const { return shownUpperOpacity_; }
    // Whether beat and fade may run: shown, not minimised, the application active.
    bool isRunning() const { return shown_ && active_; }
    // Whether a fade is under way (running or held).
    bool isFading() const { return frame_ < frames_; }
    // Whether any of it lies inside all its parents.
    bool isInSight() const;
    // Time between two frames of the fade under way.
    std::chrono::milliseconds frameInterval() const { return frameInterval_; }

    // The largest change of one drawn colour component between two frames, in steps of 255;
    // and the fewest milliseconds between two frames however far the colours move.
    static constexpr double componentStepPerFrame = 4.0;
    static constexpr std::chrono::milliseconds shortestFrameInterval{40};
    // A pointer that moves further than this between press and release has dragged.
    static constexpr qreal clickSlop = 10.0;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fade(AnimatableGradientView::Fade fade);
    void nextFrame();
    void setRunning(bool shown, bool active);
    void runFrames();
    const QImage& outlined(const QGradient& gradient);
    // The corner radius drawn.
    qreal outlineRadius() const;
    // Whether `area` of the parent of `widget` lies under a panel stacked above `widget`.
    static bool isUnderAPanel(const QWidget& widget, const QRect& area);
    // Whether the button takes a click at `position` of the parent.
    bool isButtonAt(const QPointF& position) const;

    AppContext& context_;
    AnimatableGradientView view_;
    qreal cornerRadius_ = 0.0;
    qreal opacity_ = 1.0;
    double shownUpperOpacity_;
    // The outline's coverage, white, and the frame drawn through it: kept from frame to frame.
    QImage outline_;
    QImage outlinedFrame_;
    bool shown_ = false;
    bool active_;

    // The fade under way: from one opacity to another in `frames_` even steps of time, run for
    // `fadeTime_` so far.
    double fadeFrom_ = 0.0;
    double fadeTo_ = 0.0;
    QEasingCurve easing_;
    int frame_ = 0;
    int frames_ = 0;
    std::chrono::milliseconds frameInterval_{0};
    AnimationTime fadeTime_;
    Subscription frameTimer_;

    // Where a click on the button went down, until it comes up.
    std::optional<QPointF> press_;

    Subscription changes_;
    Subscription activity_;
};

} // namespace lumenscroll
