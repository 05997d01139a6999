#pragma once

#include "app/platform/AnimationTime.h"
#include "app/platform/AppContext.h"
#include "app/platform/FrameClock.h"
#include "app/platform/Subscription.h"
#include "app/reading/Shimmer.h"

#include <QEasingCurve>
#include <QGraphicsEffect>
#include <QImage>
#include <QPointer>

#include <chrono>
#include <functional>
#include <vector>

class QWidget;

namespace lumenscroll {

// Draws a Shimmer on a widget: the widget's own drawing, masked by the moving band. The sweep
// starts when the widget first comes on screen, and holds while nobody can see it: the widget
// hidden, its window minimised or the application inactive.
//
// Each frame masks a picture of the widget. By default the platform renders the widget apart
// for it, every frame, and a render first sends the pending moves and resizes of every widget
// in the window: a frame then costs more the more the window holds (every page of a carousel).
// A widget that paints itself hands its painting over instead (setSourcePainter), and the
// picture is kept until the widget says its look changed or its size changes.
class ShimmerEffect : public QGraphicsEffect {
    Q_OBJECT

public:
    // Paints the target into a picture of its size, in the target's own coordinates.
    using SourcePainter = std::function<void(QPainter&)>;

    // Puts a shimmer on `target` (which takes ownership) or, with `active` false, takes it off
    // so that the widget draws as it would without. Turning it on again starts a new sweep from
    // the beginning; asking for it while it runs leaves the running sweep alone. Returns the
    // shimmer on `target` afterwards, if any.
    static ShimmerEffect* apply(QWidget* target, bool active, AppContext& context,
                      const Shimmer::Animation& animation = Shimmer::defaultAnimation(),
                      const std::vector<Shimmer::Color>& gradient = Shimmer::defaultGradient(),
                      double bandSize = Shimmer::defaultBandSize);
    // The same with a linear animation of `duration` after `delay`, back and forth when
    // `bounce`, and the default gradient and band.
    static ShimmerEffect* apply(QWidget* target, bool active, bool bounce, std::chrono::milliseconds duration,
                      std::chrono::milliseconds delay, AppContext& context);
    // The shimmer on `target`, if it has one.
    static ShimmerEffect* of(const QWidget* target);

    ShimmerEffect(Shimmer shimmer, AppContext& context, QWidget* target);
    ~ShimmerEffect() override;

    const Shimmer& shimmer() const { return shimmer_; }
    // Where the band stands between its first (0) and its last (1) position.
    double progress() const { return progress_; }
    bool isSweeping() const { return sweeping_.isActive(); }

    // The target's own painting, used for the picture the band masks from now on.
    void setSourcePainter(SourcePainter painter);
    bool hasSourcePainter() const { return static_cast<bool>(sourcePainter_); }
    // The target's look changed: the next frame paints its picture again.
    void targetLookChanged();

protected:
    void draw(QPainter* painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void appear();
    // Starts, holds or resumes the sweep as the target is seen or not.
    void follow();
    void setProgress(double progress);
    // The band where the sweep stands on the frame clock now.
    void sweepFrame();
    // Paints the target's picture with its own painting, unless the one kept is still good;
    // whether it painted.
    bool paintSource(qreal devicePixelRatio);
    // Masks `area` of `source` (in device pixels) with the band where it stands now.
    void mask(const QImage& source, const QRect& area);

    Shimmer shimmer_;
    const Animations& animations_;
    FrameClock& frames_;
    Subscription activity_;
    bool shown_ = false;
    bool active_;
    QPointer<QWidget> target_;
    // The sweep runs on the frame clock, so that its frames share their repaint with whatever
    // else moves: one way takes `sweepDuration_`.
    Subscription sweeping_;
    AnimationTime sweepTime_;
    QEasingCurve sweepCurve_;
    std::chrono::milliseconds sweepDuration_{0};
    double progress_ = 0.0;
    SourcePainter sourcePainter_;
    QImage source_;
    bool sourceValid_ = false;
    // The picture masked, kept from frame to frame: a frame masks again only where the band
    // moved.
    QImage masked_;
    double maskedProgress_ = 0.0;
    bool maskedValid_ = false;
};

} // namespace lumenscroll
