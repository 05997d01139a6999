#include "app/reading/KeptPicture.h"

#include <QPainter>
#include <QPixmap>
#include <QSizeF>
#include <QWidget>

namespace lumenscroll {

void drawKeptPicture(QWidget& widget, QPixmap& picture, const std::function<void(QPainter&)>& paint) {
    keepPicture(widget, picture, paint);
    QPainter(&widget).drawPixmap(0, 0, picture);
}

void keepPicture(const QWidget& widget, QPixmap& picture, const std::function<void(QPainter&)>& paint) {
    const qreal ratio = widget.devicePixelRatioF();
    const QSize pixels = (QSizeF(widget.size()) * ratio).toSize();
    if (picture.size() != pixels || picture.devicePixelRatio() != ratio) {
        picture = QPixmap(pixels);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(painter);
    }
}

} // namespace lumenscroll
