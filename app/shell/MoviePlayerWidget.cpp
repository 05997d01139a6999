#include "app/shell/MoviePlayerWidget.h"

#include "app/shell/MoviePlayer.h"

#include <QHideEvent>
#include <QPainter>

namespace lumenscroll {

MoviePlayerWidget::MoviePlayerWidget(MoviePlayer& movie, QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    frames_ = movie.onFrame([this](const QImage& frame) {
        // A hidden view keeps no frame: the player may be playing another view's movie.
        if (!isVisible()) {
            return;
        }
        frame_ = frame;
        update();
    });
}

MoviePlayerWidget::~MoviePlayerWidget() = default;

void MoviePlayerWidget::setFillsFrame(bool fills) {
    fills_ = fills;
    update();
}

void MoviePlayerWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Not for a minimised window, which shows the same frame again when it comes back.
    if (!event->spontaneous()) {
        frame_ = QImage();
    }
}

void MoviePlayerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull()) {
        return;
    }
    QSizeF size = frame_.size();
    size.scale(QSizeF(width(), height()), fills_ ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2.0, (height() - size.height()) / 2.0, size.width(),
                        size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame_);
}

} // namespace lumenscroll
