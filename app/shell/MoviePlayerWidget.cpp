#include "app/shell/MoviePlayerWidget.h"

#include "app/reading/CornerSquares.h"
#include "app/shell/MoviePlayer.h"

#include <QHideEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>

namespace lumenscroll {

MoviePlayerWidget::MoviePlayerWidget(MoviePlayer& movie, QWidget* parent)
    : QWidget(parent)
    , movie_(movie) {
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
    tellShownSize();
    update();
}

void MoviePlayerWidget::setCornerRadius(qreal radius) {
    cornerRadius_ = radius;
    // Square, it covers all it stands on; rounded, the parent paints the corners first.
    setAttribute(Qt::WA_OpaquePaintEvent, radius <= 0);
    update();
}

void MoviePlayerWidget::setVeil(const QColor& veil) {
    veil_ = veil;
    update();
}

void MoviePlayerWidget::tellShownSize() {
    if (isVisible()) {
        movie_.showFramesIn(size() * devicePixelRatio(), mode());
    }
}

void MoviePlayerWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    tellShownSize();
}

void MoviePlayerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tellShownSize();
}

void MoviePlayerWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Not for a minimised window, which shows the same frame again when it comes back.
    if (!event->spontaneous()) {
        frame_ = QImage();
    }
}

QRect MoviePlayerWidget::frameTarget() const {
    const QSize size = frame_.size().scaled(this->size(), mode());
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void MoviePlayerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (cornerRadius_ > 0) {
        paintRounded(painter);
        return;
    }
    paintFrame(painter);
}

void MoviePlayerWidget::paintFrame(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isNull()) {
        // Whole pixels: a frame made at the size shown is copied to the screen as it is, unscaled.
        const QRect target = frameTarget();
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              frame_.size() != target.size() * devicePixelRatio());
        painter.drawImage(target, frame_);
    }
    painter.fillRect(rect(), veil_);
}

// Away from its corners the view is a rectangle, where the frame is copied and dimmed as a
// square view's is. In the corners the shapes are filled with the frame as their brush, so the
// rounded edges are antialiased, as a rounded clip of the whole panel would give them, without
// drawing the panel apart each frame; filled over the whole view, that would cost every frame
// several times the copy.
void MoviePlayerWidget::paintRounded(QPainter& painter) {
    const QRegion corners = cornerSquares(rect(), cornerRadius_);
    // Band by band: under the clip of one rectangle the frame is copied as it is.
    for (const QRect& band : QRegion(rect()) - corners) {
        painter.save();
        painter.setClipRect(band);
        paintFrame(painter);
        painter.restore();
    }
    painter.setClipRegion(corners);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    const QRect target = frame_.isNull() ? QRect() : frameTarget();
    if (!target.contains(rect())) {
        painter.fillPath(shape, Qt::black);
    }
    if (!frame_.isNull()) {
        QBrush brush(frame_);
        brush.setTransform(
            QTransform::fromTranslate(target.x(), target.y())
                .scale(qreal(target.width()) / frame_.width(), qreal(target.height()) / frame_.height()));
        QPainterPath framed;
        framed.addRect(QRectF(target));
        painter.fillPath(target.contains(rect()) ? shape : shape.intersected(framed), brush);
    }
    painter.fillPath(shape, veil_);
}

} // namespace lumenscroll
