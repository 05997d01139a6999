#pragma once

#include <functional>

class QPainter;
class QPixmap;
class QWidget;

namespace lumenscroll {

// Draws `widget` from `picture`, painting the picture first with `paint` when it is empty or
// no longer fits the widget's size. For what stands on an animated gradient and does not
// change itself: every frame of the gradient repaints it, and a copy costs less than drawing it
// again. Its owner empties the picture when its look changes.
void drawKeptPicture(QWidget& widget, QPixmap& picture, const std::function<void(QPainter&)>& paint);
// Only the first half: `picture` painted again with `paint` when empty or no longer fitting.
void keepPicture(const QWidget& widget, QPixmap& picture, const std::function<void(QPainter&)>& paint);

} // namespace lumenscroll
