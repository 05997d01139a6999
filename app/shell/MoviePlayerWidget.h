#pragma once

#include "app/platform/Subscription.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace lumenscroll {

class MoviePlayer;

// Paints the frames of a movie player, scaled to fit and centred on black, as a movie view
// without playback controls shows them. Until a frame arrives, and for a movie that never
// plays, it is a plain dark backdrop. Frames that come while it is not shown are left alone:
// one player may play the movie of one view after another's. A view shown tells the player the
// size it shows the frames at, so the player makes them no larger.
class MoviePlayerWidget : public QWidget {
    Q_OBJECT

public:
    // `movie` must outlive the widget.
    explicit MoviePlayerWidget(MoviePlayer& movie, QWidget* parent = nullptr);
    ~MoviePlayerWidget() override;

    bool hasFrame() const { return !frame_.isNull(); }
    // Whether the frames fill the widget, cut at the sides that overflow, rather than fit in
    // it with dark bars.
    void setFillsFrame(bool fills);
    bool fillsFrame() const { return fills_; }
    // Corners rounded off to `radius`, what lies under them showing through; 0: square.
    void setCornerRadius(qreal radius);
    // A colour laid over the frames, a dimming say; transparent: none.
    void setVeil(const QColor& veil);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A hidden movie lets its last frame go; it paints the next one that arrives.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::AspectRatioMode mode() const { return fills_ ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio; }
    void tellShownSize();
    // Where the frame stands: scaled into the widget, centred, in whole pixels.
    QRect frameTarget() const;
    // The frame, or black where there is none, dimmed by the veil, over the whole view.
    void paintFrame(QPainter& painter);
    void paintRounded(QPainter& painter);

    MoviePlayer& movie_;
    QImage frame_;
    bool fills_ = false;
    qreal cornerRadius_ = 0;
    QColor veil_ = Qt::transparent;
    Subscription frames_;
};

} // namespace lumenscroll
