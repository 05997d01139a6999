#pragma once

#include <QPixmap>
#include <QSize>

namespace lumenscroll {

// `picture` centred on a frame of `frame` (cut to it) that stands at the top of a panel with
// corners of `radius`: its two top corners cut off, antialiased as the edge of a shape is, so
// the panel rounds its corners off without a clip over all it holds. Null for a null picture.
QPixmap panelTopPicture(const QPixmap& picture, QSize frame, qreal radius);

} // namespace lumenscroll
