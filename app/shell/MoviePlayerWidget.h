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
    // Whether the frames fill the widget, cut at the sides that overflow, rather than fit in
    // it with dark bars.
    void setFillsFrame(bool fills);
    bool fillsFrame() const { return fills_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFrame(const QVideoFrame& frame);

    QImage frame_;
    bool fills_ = false;
};

} // namespace lumenscroll
