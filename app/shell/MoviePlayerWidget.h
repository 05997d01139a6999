#pragma once

#include <QImage>
#include <QWidget>

class QVideoSink;
class QVideoFrame;

namespace lumenscroll {

// Paints the frames that arrive in a video sink, scaled to fit and centred on black, as a
// movie view without playback controls shows them. Until a frame arrives, and for a movie that
// never plays, it is a plain dark backdrop.
class MoviePlayerWidget : public QWidget {
    Q_OBJECT

public:
    // `frames` must outlive the widget or be destroyed with it.
    explicit MoviePlayerWidget(QVideoSink& frames, QWidget* parent = nullptr);
    ~MoviePlayerWidget() override;

    bool hasFrame() const { return !frame_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A hidden movie lets its last frame go; it paints the next one that arrives.
    void hideEvent(QHideEvent* event) override;

private:
    void showFrame(const QVideoFrame& frame);

    QImage frame_;
};

} // namespace lumenscroll
