#pragma once

#include "app/platform/Subscription.h"

#include <QImage>
#include <QWidget>

namespace lumenscroll {

class MoviePlayer;

// Paints the frames of a movie player, scaled to fit and centred on black, as a movie view
// without playback controls shows them. Until a frame arrives, and for a movie that never
// plays, it is a plain dark backdrop. Frames that come while it is not shown are left alone:
// one player may play the movie of one view after another's.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    // A hidden movie lets its last frame go; it paints the next one that arrives.
    void hideEvent(QHideEvent* event) override;

private:
    QImage frame_;
    bool fills_ = false;
    Subscription frames_;
};

} // namespace lumenscroll
