#include "app/shell/CapsuleClipEffect.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

namespace lumenscroll {

CapsuleClipEffect::CapsuleClipEffect(QObject* parent)
    : QGraphicsEffect(parent) {}

CapsuleClipEffect::~CapsuleClipEffect() = default;

void CapsuleClipEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (pixmap.isNull()) {
        return;
    }
    const QRectF bounds = sourceBoundingRect(Qt::LogicalCoordinates);
    const qreal radius = bounds.height() / 2.0;
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, radius, radius);

    // The source drawn as the fill of the capsule: edges antialiased like any other shape.
    QBrush brush(pixmap);
    brush.setTransform(QTransform::fromTranslate(offset.x(), offset.y()));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->drawPath(capsule);
    painter->restore();
}

} // namespace lumenscroll
