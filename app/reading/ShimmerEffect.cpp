#include "app/reading/ShimmerEffect.h"

#include <QColor>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

#include <utility>

namespace lumenscroll {

namespace {

QEasingCurve curveOf(Shimmer::Animation::Curve curve) {
    if (curve == Shimmer::Animation::Curve::linear) {
        return QEasingCurve(QEasingCurve::Linear);
    }
    // The platform's ease-in: the cubic Bézier through (0.42, 0) and (1, 1).
    QEasingCurve easeIn(QEasingCurve::BezierSpline);
    easeIn.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(1.0, 1.0), QPointF(1.0, 1.0));
    return easeIn;
}

QPointF lerp(Shimmer::UnitPoint from, Shimmer::UnitPoint to, double progress) {
    return QPointF(from.x + (to.x - from.x) * progress, from.y + (to.y - from.y) * progress);
}

} // namespace

void ShimmerEffect::apply(QWidget* target, bool active, AppContext& context,
                          const Shimmer::Animation& animation, const std::vector<Shimmer::Color>& gradient,
                          double bandSize) {
    if (target == nullptr) {
        return;
    }
    if (!active) {
        if (of(target) != nullptr) {
            target->setGraphicsEffect(nullptr);
        }
        return;
    }
    if (of(target) != nullptr) {
        return;
    }
    const Shimmer::LayoutDirection direction = target->layoutDirection() == Qt::RightToLeft
                                                   ? Shimmer::LayoutDirection::rightToLeft
                                                   : Shimmer::LayoutDirection::leftToRight;
    target->setGraphicsEffect(
        new ShimmerEffect(Shimmer(animation, gradient, bandSize, direction), context, target));
}

void ShimmerEffect::apply(QWidget* target, bool active, bool bounce, std::chrono::milliseconds duration,
                          std::chrono::milliseconds delay, AppContext& context) {
    apply(target, active, context, Shimmer::makeAnimation(bounce, duration, delay));
}

ShimmerEffect* ShimmerEffect::of(const QWidget* target) {
    return target == nullptr ? nullptr : qobject_cast<ShimmerEffect*>(target->graphicsEffect());
}

ShimmerEffect::ShimmerEffect(Shimmer shimmer, AppContext& context, QWidget* target)
    : QGraphicsEffect(target)
    , shimmer_(std::move(shimmer))
    , animations_(context.animations())
    , active_(context.activity().isActive())
    , target_(target) {
    // One loop runs the band there and back: the way back plays the curve in reverse.
    const Shimmer::Animation& sweep = Shimmer::sweepAnimation();
    sweepCurve_ = curveOf(sweep.curve);
    sweep_.setStartValue(0.0);
    sweep_.setEndValue(sweep.autoreverses ? 2.0 : 1.0);
    sweep_.setLoopCount(sweep.repeatsForever ? -1 : 1);
    connect(&sweep_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        const double phase = value.toDouble();
        setProgress(sweepCurve_.valueForProgress(phase <= 1.0 ? phase : 2.0 - phase));
    });
    activity_ = context.activity().onChange([this](bool active) {
        active_ = active;
        follow();
    });
    if (target_ != nullptr) {
        target_->installEventFilter(this);
        shown_ = target_->isVisible();
        follow();
    }
}

ShimmerEffect::~ShimmerEffect() {
    activity_.cancel();
    sweep_.stop();
}

void ShimmerEffect::follow() {
    const bool seen = shown_ && active_;
    if (seen && shimmer_.isInitialState()) {
        appear();
    } else if (seen && sweep_.state() == QAbstractAnimation::Paused) {
        sweep_.resume();
    } else if (!seen && sweep_.state() == QAbstractAnimation::Running) {
        sweep_.pause();
    }
}

void ShimmerEffect::appear() {
    if (!shimmer_.isInitialState()) {
        return;
    }
    shimmer_.appear();
    const Shimmer::Animation& sweep = Shimmer::sweepAnimation();
    const Animations::Curve timing = animations_.timed(sweep.duration, sweepCurve_);
    if (timing.duration.count() <= 0) {
        // Without animation the band stands where the sweep would take it.
        setProgress(1.0);
        return;
    }
    sweep_.setDuration(static_cast<int>(timing.duration.count() * (sweep.autoreverses ? 2 : 1)));
    sweep_.start();
}

void ShimmerEffect::setProgress(double progress) {
    progress_ = progress;
    update();
}

bool ShimmerEffect::eventFilter(QObject* watched, QEvent* event) {
    // A minimised window hides its widgets too, with events of their own.
    if (watched == target_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        shown_ = event->type() == QEvent::Show;
        follow();
    }
    return QGraphicsEffect::eventFilter(watched, event);
}

void ShimmerEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (source.isNull()) {
        return;
    }
    const QRectF bounds = sourceBoundingRect(Qt::LogicalCoordinates).translated(-offset);
    const auto unit = [&bounds](QPointF point) {
        return QPointF(bounds.left() + point.x() * bounds.width(),
                       bounds.top() + point.y() * bounds.height());
    };
    const QPointF start = lerp(shimmer_.startPoint(true), shimmer_.startPoint(false), progress_);
    const QPointF end = lerp(shimmer_.endPoint(true), shimmer_.endPoint(false), progress_);
    QLinearGradient mask(unit(start), unit(end));
    const std::vector<Shimmer::Color>& colors = shimmer_.gradient();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const double stop =
            colors.size() == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        mask.setColorAt(stop, QColor::fromRgbF(
                                  static_cast<float>(colors[i].red), static_cast<float>(colors[i].green),
                                  static_cast<float>(colors[i].blue), static_cast<float>(colors[i].opacity)));
    }

    // Only the mask's opacity counts: the view keeps its colours and takes the mask's alpha.
    QPixmap masked(source.size());
    masked.setDevicePixelRatio(source.devicePixelRatio());
    masked.fill(Qt::transparent);
    {
        QPainter maskPainter(&masked);
        maskPainter.drawPixmap(0, 0, source);
        maskPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        maskPainter.fillRect(QRectF(QPointF(0, 0), masked.deviceIndependentSize()), mask);
    }
    painter->drawPixmap(offset, masked);
}

} // namespace lumenscroll
