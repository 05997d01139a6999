#include "app/reading/AnimatableGradientViewWidget.h"

#include <QColor>
#include <QHideEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPointF>
#include <QShowEvent>

#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

QColor toQColor(const AnimatableGradientView::Color& color) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue), static_cast<float>(color.opacity));
}

// Top-left to bottom-right, the colours spread evenly.
QLinearGradient diagonal(const QRectF& area, const std::vector<AnimatableGradientView::Color>& colors) {
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const double stop =
            colors.size() == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        gradient.setColorAt(stop, toQColor(colors[i]));
    }
    return gradient;
}

QEasingCurve easeIn() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(1.0, 1.0), QPointF(1.0, 1.0));
    return curve;
}

} // namespace

AnimatableGradientViewWidget::AnimatableGradientViewWidget(AppContext& context, Binding<bool> colored,
                                                           QWidget* parent)
    : QWidget(parent)
    , animations_(context.animations())
    , view_(context, std::move(colored))
    , shownUpperOpacity_(view_.upperPlaneOpacity()) {
    setObjectName(QStringLiteral("animatableGradientView"));
    // A background: clicks go to what lies on it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&fading_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        shownUpperOpacity_ = value.toDouble();
        update();
    });
    changes_ = view_.onChange([this](AnimatableGradientView::Fade change) { fade(change); });
}

AnimatableGradientViewWidget::~AnimatableGradientViewWidget() {
    changes_.cancel();
    fading_.stop();
}

void AnimatableGradientViewWidget::fade(AnimatableGradientView::Fade change) {
    const double target = view_.upperPlaneOpacity();
    fading_.stop();
    const Animations::Curve curve =
        change == AnimatableGradientView::Fade::easeIn
            ? animations_.timed(AnimatableGradientView::fadeDuration, easeIn())
            : animations_.timed(AnimatableGradientView::fadeDuration, QEasingCurve(QEasingCurve::Linear));
    if (change == AnimatableGradientView::Fade::none || curve.duration.count() <= 0) {
        shownUpperOpacity_ = target;
        update();
        return;
    }
    fading_.setStartValue(shownUpperOpacity_);
    fading_.setEndValue(target);
    fading_.setDuration(static_cast<int>(curve.duration.count()));
    fading_.setEasingCurve(curve.easing);
    fading_.start();
}

void AnimatableGradientViewWidget::paintEvent(QPaintEvent* /*event*/) {
    if (view_.colored()) {
        return;
    }
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, diagonal(area, view_.gradientA()));
    if (shownUpperOpacity_ > 0.0) {
        painter.setOpacity(shownUpperOpacity_);
        painter.fillRect(area, diagonal(area, view_.gradientB()));
    }
}

void AnimatableGradientViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    view_.startTimer();
}

void AnimatableGradientViewWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Minimising the window is not leaving the screen.
    if (!event->spontaneous()) {
        view_.stopTimer();
    }
}

} // namespace lumenscroll
