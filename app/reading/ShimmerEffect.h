#pragma once

#include "app/platform/AppContext.h"
#include "app/platform/Subscription.h"
#include "app/reading/Shimmer.h"

#include <QGraphicsEffect>
#include <QPointer>
#include <QVariantAnimation>

#include <chrono>
#include <vector>

class QWidget;

namespace lumenscroll {

// Draws a Shimmer on a widget: the widget's own drawing, masked by the moving band. The sweep
// starts when the widget first comes on screen, and holds while nobody can see it: the widget
// hidden, its window minimised or the application inactive.
class ShimmerEffect : public QGraphicsEffect {
    Q_OBJECT

public:
    // Puts a shimmer on `target` (which takes ownership) or, with `active` false, takes it off
    // so that the widget draws as it would without. Turning it on again starts a new sweep from
    // the beginning; asking for it while it runs leaves the running sweep alone.
    static void apply(QWidget* target, bool active, AppContext& context,
                      const Shimmer::Animation& animation = Shimmer::defaultAnimation(),
                      const std::vector<Shimmer::Color>& gradient = Shimmer::defaultGradient(),
                      double bandSize = Shimmer::defaultBandSize);
    // The same with a linear animation of `duration` after `delay`, back and forth when
    // `bounce`, and the default gradient and band.
    static void apply(QWidget* target, bool active, bool bounce, std::chrono::milliseconds duration,
                      std::chrono::milliseconds delay, AppContext& context);
    // The shimmer on `target`, if it has one.
    static ShimmerEffect* of(const QWidget* target);

    ShimmerEffect(Shimmer shimmer, AppContext& context, QWidget* target);
    ~ShimmerEffect() override;

    const Shimmer& shimmer() const { return shimmer_; }
    // Where the band stands between its first (0) and its last (1) position.
    double progress() const { return progress_; }
    bool isSweeping() const { return sweep_.state() == QAbstractAnimation::Running; }

protected:
    void draw(QPainter* painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void appear();
    // Starts, holds or resumes the sweep as the target is seen or not.
    void follow();
    void setProgress(double progress);

    Shimmer shimmer_;
    const Animations& animations_;
    Subscription activity_;
    bool shown_ = false;
    bool active_;
    QPointer<QWidget> target_;
    QVariantAnimation sweep_;
    QEasingCurve sweepCurve_;
    double progress_ = 0.0;
};

} // namespace lumenscroll
