#include "app/reading/HighlightSwatchButton.h"

#include "app/platform/Look.h"
#include "app/reading/KeptPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace lumenscroll {

HighlightSwatchButton::HighlightSwatchButton(const QColor& color, QWidget* parent)
    : QAbstractButton(parent)
    , color_(color) {
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

HighlightSwatchButton::~HighlightSwatchButton() = default;

void HighlightSwatchButton::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    picture_ = QPixmap();
    update();
}

QSize HighlightSwatchButton::sizeHint() const {
    return {diameter, diameter};
}

void HighlightSwatchButton::paintEvent(QPaintEvent* /*event*/) {
    drawKeptPicture(*this, picture_, [this](QPainter& painter) { paintSwatch(painter); });
}

void HighlightSwatchButton::paintSwatch(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle((width() - diameter) / 2.0, (height() - diameter) / 2.0, diameter, diameter);
    QPainterPath clip;
    clip.addEllipse(circle);
    painter.setClipPath(clip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(circle);
    // The outline inside the circle, as a clipped stroke is.
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle);
    if (checked_) {
        painter.setFont(Look::font(TextStyle::title2));
        painter.setPen(Qt::black);
        painter.drawText(circle, Qt::AlignCenter, QStringLiteral("✓"));
    }
}

} // namespace lumenscroll
