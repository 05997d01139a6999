#include "app/reading/ShimmerEffect.h"

#include <QColor>
#include <QEvent>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPaintDevice>
#include <QPointF>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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

// The gradient's ends with the band at `progress`, in `bounds`.
QLineF maskAxis(const Shimmer& shimmer, double progress, const QRectF& bounds) {
    const auto place = [&bounds](QPointF unit) {
        return QPointF(bounds.left() + unit.x() * bounds.width(), bounds.top() + unit.y() * bounds.height());
    };
    return QLineF(place(lerp(shimmer.startPoint(true), shimmer.startPoint(false), progress)),
                  place(lerp(shimmer.endPoint(true), shimmer.endPoint(false), progress)));
}

QLinearGradient maskAt(const Shimmer& shimmer, double progress, const QRectF& bounds) {
    const QLineF axis = maskAxis(shimmer, progress, bounds);
    QLinearGradient mask(axis.p1(), axis.p2());
    const std::vector<Shimmer::Color>& colors = shimmer.gradient();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const double stop =
            colors.size() == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        mask.setColorAt(stop, QColor::fromRgbF(
                                  static_cast<float>(colors[i].red), static_cast<float>(colors[i].green),
                                  static_cast<float>(colors[i].blue), static_cast<float>(colors[i].opacity)));
    }
    return mask;
}

// The part of `bounds` whose mask differs between the band at `from` and at `to`. The mask is
// constant across its axis, and before its start and past its end it holds its end colours: only
// the stretch of the axis between the earliest of the four ends and the latest changes.
QRectF changedArea(const Shimmer& shimmer, double from, double to, const QRectF& bounds) {
    const QLineF before = maskAxis(shimmer, from, bounds);
    const QLineF after = maskAxis(shimmer, to, bounds);
    const QPointF direction = after.p2() - after.p1();
    const double length = std::hypot(direction.x(), direction.y());
    if (length <= 0.0) {
        return bounds;
    }
    const QPointF along = direction / length;
    const auto position = [&along](QPointF point) { return QPointF::dotProduct(point, along); };
    const auto [low, high] = std::minmax({position(before.p1()), position(before.p2()), position(after.p1()),
                                          position(after.p2())});
    // The stretch crosses the bounds whatever its angle: what of them lies in it is bounded by
    // the parts of their four edges that do. Worked out edge by edge, without a polygon's
    // clipping and the allocations it makes on every frame.
    const std::array<QPointF, 4> corners{bounds.topLeft(), bounds.topRight(), bounds.bottomRight(),
                                         bounds.bottomLeft()};
    double left = std::numeric_limits<double>::infinity();
    double top = left;
    double right = -left;
    double bottom = -left;
    const auto include = [&](QPointF point) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        top = std::min(top, point.y());
        bottom = std::max(bottom, point.y());
    };
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const QPointF from = corners[i];
        const QPointF to = corners[(i + 1) % corners.size()];
        const double a = position(from);
        const double b = position(to);
        // The part of the edge whose position lies between low and high, as fractions along it.
        double enter = 0.0;
        double leave = 1.0;
        if (a == b) {
            if (a < low || a > high) {
                continue;
            }
        } else {
            const double atLow = (low - a) / (b - a);
            const double atHigh = (high - a) / (b - a);
            enter = std::max(enter, std::min(atLow, atHigh));
            leave = std::min(leave, std::max(atLow, atHigh));
            if (enter > leave) {
                continue;
            }
        }
        include(from + (to - from) * enter);
        include(from + (to - from) * leave);
    }
    return left > right ? QRectF() : QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace

ShimmerEffect* ShimmerEffect::apply(QWidget* target, bool active, AppContext& context,
                                    const Shimmer::Animation& animation,
                                    const std::vector<Shimmer::Color>& gradient, double bandSize) {
    if (target == nullptr) {
        return nullptr;
    }
    if (!active) {
        if (of(target) != nullptr) {
            target->setGraphicsEffect(nullptr);
        }
        return nullptr;
    }
    if (ShimmerEffect* running = of(target)) {
        return running;
    }
    const Shimmer::LayoutDirection direction = target->layoutDirection() == Qt::RightToLeft
                                                   ? Shimmer::LayoutDirection::rightToLeft
                                                   : Shimmer::LayoutDirection::leftToRight;
    auto* effect = new ShimmerEffect(Shimmer(animation, gradient, bandSize, direction), context, target);
    target->setGraphicsEffect(effect);
    return effect;
}

ShimmerEffect* ShimmerEffect::apply(QWidget* target, bool active, bool bounce, std::chrono::milliseconds duration,
                                    std::chrono::milliseconds delay, AppContext& context) {
    return apply(target, active, context, Shimmer::makeAnimation(bounce, duration, delay));
}

ShimmerEffect* ShimmerEffect::of(const QWidget* target) {
    return target == nullptr ? nullptr : qobject_cast<ShimmerEffect*>(target->graphicsEffect());
}

ShimmerEffect::ShimmerEffect(Shimmer shimmer, AppContext& context, QWidget* target)
    : QGraphicsEffect(target)
    , shimmer_(std::move(shimmer))
    , animations_(context.animations())
    , frames_(context.frames())
    , active_(context.activity().isActive())
    , target_(target)
    , sweepTime_(frames_) {
    sweepCurve_ = curveOf(Shimmer::sweepAnimation().curve);
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
    sweeping_.cancel();
}

void ShimmerEffect::follow() {
    const bool seen = shown_ && active_;
    if (seen && shimmer_.isInitialState()) {
        appear();
    } else if (seen && sweepTime_.isHeld()) {
        sweepTime_.resume();
        sweeping_ = frames_.onFrame([this] { sweepFrame(); });
    } else if (!seen && isSweeping()) {
        sweepTime_.hold();
        sweeping_.cancel();
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
    sweepDuration_ = timing.duration;
    sweepTime_.start();
    sweeping_ = frames_.onFrame([this] { sweepFrame(); });
}

void ShimmerEffect::sweepFrame() {
    // One loop runs the band there and back: the way back plays the curve in reverse.
    const Shimmer::Animation& sweep = Shimmer::sweepAnimation();
    const double way = static_cast<double>(sweepDuration_.count());
    const double loop = sweep.autoreverses ? 2.0 : 1.0;
    double phase = static_cast<double>(sweepTime_.elapsed().count()) / way;
    if (phase >= loop && !sweep.repeatsForever) {
        sweeping_.cancel();
        phase = loop;
    } else {
        phase = std::fmod(phase, loop);
    }
    setProgress(sweepCurve_.valueForProgress(phase <= 1.0 ? phase : 2.0 - phase));
}

void ShimmerEffect::setSourcePainter(SourcePainter painter) {
    sourcePainter_ = std::move(painter);
    targetLookChanged();
}

void ShimmerEffect::targetLookChanged() {
    sourceValid_ = false;
    update();
}

bool ShimmerEffect::paintSource(qreal devicePixelRatio) {
    const QSize pixels = (QSizeF(target_->size()) * devicePixelRatio).toSize();
    if (sourceValid_ && source_.size() == pixels && source_.devicePixelRatio() == devicePixelRatio) {
        return false;
    }
    source_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    source_.setDevicePixelRatio(devicePixelRatio);
    source_.fill(Qt::transparent);
    QPainter painter(&source_);
    sourcePainter_(painter);
    sourceValid_ = true;
    return true;
}

void ShimmerEffect::setProgress(double progress) {
    const double shown = progress_;
    progress_ = progress;
    if (!sourcePainter_ || target_ == nullptr) {
        update();
        return;
    }
    // Only where the band was or now is; a band wholly outside the widget repaints nothing.
    const QRect area =
        changedArea(shimmer_, shown, progress, QRectF(target_->rect())).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (!area.intersected(target_->rect()).isEmpty()) {
        target_->update(area);
    }
}

void ShimmerEffect::mask(const QImage& source, const QRect& area) {
    // In device pixels: the source's picture one to one, and the mask over its whole size.
    if (masked_.size() != source.size()) {
        masked_ = QImage(source.size(), QImage::Format_ARGB32_Premultiplied);
    }
    masked_.setDevicePixelRatio(1.0);
    {
        QPainter painter(&masked_);
        painter.setClipRect(area);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area, source, area);
        // Only the mask's opacity counts: the view keeps its colours and takes the mask's alpha.
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.fillRect(area, maskAt(shimmer_, progress_, QRectF(masked_.rect())));
    }
    masked_.setDevicePixelRatio(source.devicePixelRatio());
    maskedProgress_ = progress_;
}

bool ShimmerEffect::eventFilter(QObject* watched, QEvent* event) {
    // A minimised window hides its widgets too, with events of their own.
    if (watched == target_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        shown_ = event->type() == QEvent::Show;
        follow();
    }
    // What the target paints itself with changed: its kept picture no longer shows it.
    if (watched == target_ && sourcePainter_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
         event->type() == QEvent::StyleChange || event->type() == QEvent::EnabledChange)) {
        targetLookChanged();
    }
    return QGraphicsEffect::eventFilter(watched, event);
}

void ShimmerEffect::draw(QPainter* painter) {
    if (!sourcePainter_ || target_ == nullptr) {
        QPoint offset;
        const QImage rendered = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad).toImage();
        if (rendered.isNull()) {
            return;
        }
        mask(rendered, rendered.rect());
        maskedValid_ = false;
        painter->drawImage(offset, masked_);
        return;
    }
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    if (paintSource(ratio) || !maskedValid_ || masked_.size() != source_.size()) {
        mask(source_, source_.rect());
    } else if (maskedProgress_ != progress_) {
        // The mask moved since the kept picture was masked: only where it changed.
        const QRectF pixels(QPointF(0, 0), QSizeF(source_.size()));
        mask(source_, changedArea(shimmer_, maskedProgress_, progress_, pixels).toAlignedRect().adjusted(-1, -1, 1, 1));
    }
    maskedValid_ = !source_.isNull();
    if (maskedValid_) {
        // Drawn in the target's own coordinates, where its picture stands at the origin.
        painter->drawImage(QPointF(0, 0), masked_);
    }
}

} // namespace lumenscroll
