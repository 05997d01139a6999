#pragma once

#include <QColor>
#include <QImage>

namespace lumenscroll {

// The shadow `image` casts (premultiplied, in device pixels): the coverage of each pixel blurred
// over `radius` pixels by an exponential fall-off each way, as the platform's drop shadow
// blurs, and filled with `color`. The picture keeps the size of `image`.
QImage blurredShadow(const QImage& image, qreal radius, const QColor& color);

} // namespace lumenscroll
