#include "app/reading/CornerSquares.h"

#include <QPoint>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace lumenscroll {

QRegion cornerSquares(const QRect& area, qreal radius) {
    const int side =
        static_cast<int>(std::ceil(std::min(radius, std::min(area.width(), area.height()) / 2.0)));
    QRegion corners;
    for (const QPoint& at : {area.topLeft(), QPoint(area.right() + 1 - side, area.top()),
                             QPoint(area.left(), area.bottom() + 1 - side),
                             QPoint(area.right() + 1 - side, area.bottom() + 1 - side)}) {
        corners += QRect(at, QSize(side, side));
    }
    return corners;
}

} // namespace lumenscroll
