#include "app/shell/ProgressSpinnerWidget.h"

#include "app/platform/Animations.h"

#include <QPainter>

namespace lumenscroll {

namespace {

constexpr int spokes = 12;
constexpr int stepMilliseconds = 80;

} // namespace

ProgressSpinnerWidget::ProgressSpinnerWidget(const Animations& animations, QWidget* parent)
    : QWidget(parent)
    , animations_(animations) {
    setFixedSize(sizeHint());
    timer_.setInterval(stepMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % spokes;
        update();
    });
}

ProgressSpinnerWidget::~ProgressSpinnerWidget() = default;

QSize ProgressSpinnerWidget::sizeHint() const {
    return {spinnerSize + 2 * padding, spinnerSize + 2 * padding};
}

void ProgressSpinnerWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (animations_.enabled()) {
        timer_.start();
    }
}

void ProgressSpinnerWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

void ProgressSpinnerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, static_cast<float>(backdropOpacity)));
    painter.drawEllipse(QRectF(rect()));
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal outer = spinnerSize / 2.0;
    const qreal inner = outer * 0.5;
    QPen pen(Qt::white);
    pen.setWidthF(spinnerSize / 11.0);
    pen.setCapStyle(Qt::RoundCap);
    for (int spoke = 0; spoke < spokes; ++spoke) {
        // The leading spoke brightest, the ones behind it fading.
        const int age = (step_ - spoke + spokes) % spokes;
        QColor color(Qt::white);
        color.setAlphaF(static_cast<float>(1.0 - 0.75 * age / (spokes - 1)));
        pen.setColor(color);
        painter.setPen(pen);
        painter.save();
        painter.rotate(360.0 * spoke / spokes);
        painter.drawLine(QPointF(0, -inner), QPointF(0, -outer));
        painter.restore();
    }
}

} // namespace lumenscroll
