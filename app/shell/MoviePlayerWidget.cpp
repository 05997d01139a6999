#include "app/shell/MoviePlayerWidget.h"

#include "app/shell/VideoFrameImage.h"

#include <QHideEvent>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

namespace lumenscroll {

MoviePlayerWidget::MoviePlayerWidget(QVideoSink& frames, QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&frames, &QVideoSink::videoFrameChanged, this, &MoviePlayerWidget::showFrame);
}

MoviePlayerWidget::~MoviePlayerWidget() = default;

void MoviePlayerWidget::showFrame(const QVideoFrame& frame) {
    if (!frame.isValid()) {
        return;
    }
    frame_ = VideoFrameImage::of(frame);
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
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2.0, (height() - size.height()) / 2.0, size.width(),
                        size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame_);
}

} // namespace lumenscroll
