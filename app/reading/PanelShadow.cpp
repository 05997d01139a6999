#include "app/reading/PanelShadow.h"

#include "app/reading/BlurredShadow.h"

#include <QPainter>

#include <cmath>

namespace lumenscroll {

PanelShadow::PanelShadow(const QColor& color, qreal blurRadius, QWidget* parent)
    : QWidget(parent)
    , color_(color)
    , blurRadius_(blurRadius) {
    setObjectName(QStringLiteral("panelShadow"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

PanelShadow::~PanelShadow() = default;

void PanelShadow::setShape(const QPainterPath& shape) {
    if (shape == shape_) {
        return;
    }
    shape_ = shape;
    shadow_ = QImage();
    if (!shape_.isEmpty()) {
        const int margin = static_cast<int>(std::ceil(blurRadius_));
        setGeometry(shape_.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin));
    }
    update();
}

void PanelShadow::setOpacity(qreal opacity) {
    if (opacity == opacity_) {
        return;
    }
    opacity_ = opacity;
    update();
}

void PanelShadow::paintEvent(QPaintEvent* /*event*/) {
    if (shape_.isEmpty()) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (shadow_.isNull() || shadow_.devicePixelRatio() != ratio) {
        ++blurs_;
        QImage outline((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        outline.fill(Qt::transparent);
        QPainter shape(&outline);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.scale(ratio, ratio);
        shape.translate(-pos());
        shape.fillPath(shape_, Qt::black);
        shape.end();
        shadow_ = blurredShadow(outline, blurRadius_, color_);
        shadow_.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    if (opacity_ < 1.0) {
        // Panels that fade let what lies under them show through, but not their own shadow.
        QPainterPath outside;
        outside.addRect(QRectF(rect()));
        painter.setClipPath(outside.subtracted(shape_.translated(-QPointF(pos()))));
    }
    painter.setOpacity(opacity_);
    painter.drawImage(QPointF(0, 0), shadow_);
}

} // namespace lumenscroll
