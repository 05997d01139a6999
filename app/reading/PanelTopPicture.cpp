#include "app/reading/PanelTopPicture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace lumenscroll {

QPixmap panelTopPicture(const QPixmap& picture, QSize frame, qreal radius) {
    if (picture.isNull()) {
        return picture;
    }
    const qreal ratio = picture.devicePixelRatio();
    const QSize pixels = (QSizeF(frame) * ratio).toSize();
    // The panel's coverage at its top; a clip path would cut the corners without antialiasing.
    QImage corners(pixels, QImage::Format_ARGB32_Premultiplied);
    corners.setDevicePixelRatio(ratio);
    corners.fill(Qt::transparent);
    QPainter shape(&corners);
    shape.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(0, 0, frame.width(), frame.height() + 2 * radius), radius, radius);
    shape.fillPath(panel, Qt::white);
    shape.end();

    QPixmap cut(pixels);
    cut.setDevicePixelRatio(ratio);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    const QSizeF size = QSizeF(picture.size()) / ratio;
    painter.drawPixmap(QPointF((frame.width() - size.width()) / 2, (frame.height() - size.height()) / 2), picture);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(QPointF(0, 0), corners);
    return cut;
}

} // namespace lumenscroll
