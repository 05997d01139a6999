#include "app/platform/Animations.h"

#include <QPointF>

namespace lumenscroll {

namespace {

// The platform's ease-in-out: the cubic Bézier through (0.42, 0) and (0.58, 1).
QEasingCurve easeInOut() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

} // namespace

Animations::Curve Animations::standard() const {
    return timed(std::chrono::milliseconds{350}, easeInOut());
}

Animations::Curve Animations::spring() const {
    return timed(std::chrono::milliseconds{300}, QEasingCurve(QEasingCurve::OutBack));
}

Animations::Curve Animations::timed(std::chrono::milliseconds duration, QEasingCurve easing) const {
    return Curve{enabled_ ? duration : std::chrono::milliseconds{0}, std::move(easing)};
}

} // namespace lumenscroll
