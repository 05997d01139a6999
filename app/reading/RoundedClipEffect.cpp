#include "app/reading/RoundedClipEffect.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

#include <algorithm>

namespace lumenscroll {

namespace {

constexpr qreal capsuleRadius = -1.0;

} // namespace

RoundedClipEffect* RoundedClipEffect::capsule(QObject* parent) {
    return new RoundedClipEffect(capsuleRadius, parent);
}

RoundedClipEffect::RoundedClipEffect(qreal cornerRadius, QObject* parent, Corners corners)
    : QGraphicsEffect(parent)
    , cornerRadius_(cornerRadius)
    , corners_(corners) {}

RoundedClipEffect::~RoundedClipEffect() = default;

void RoundedClipEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (pixmap.isNull()) {
        return;
    }
    const QRectF bounds = sourceBoundingRect(Qt::LogicalCoordinates);
    const qreal radius = isCapsule() ? bounds.height() / 2.0
                                     : std::min(cornerRadius_, std::min(bounds.width(), bounds.height()) / 2.0);
    QPainterPath shape;
    if (corners_ == Corners::bottom) {
        // Square at the top: the rounded shape reaches above the source, where nothing is drawn.
        shape.addRoundedRect(bounds.adjusted(0, -radius, 0, 0), radius, radius);
    } else {
        shape.addRoundedRect(bounds, radius, radius);
    }

    // The source drawn as the fill of the shape: edges antialiased like any other shape.
    QBrush brush(pixmap);
    brush.setTransform(QTransform::fromTranslate(offset.x(), offset.y()));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->drawPath(shape);
    painter->restore();
}

} // namespace lumenscroll
