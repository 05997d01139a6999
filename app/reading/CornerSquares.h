#pragma once

#include <QRect>
#include <QRegion>

namespace lumenscroll {

// Where `area` rounded by `radius` (at most half its shorter side) differs from the plain
// rectangle: the squares at its four corners, the radius rounded up. Outside them a rounded
// shape is drawn as the rectangle, straight away and without antialiasing, which costs a
// fraction of filling the shape.
QRegion cornerSquares(const QRect& area, qreal radius);

} // namespace lumenscroll
