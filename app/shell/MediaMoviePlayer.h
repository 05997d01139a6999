#pragma once

#include "app/platform/ListenerList.h"
#include "app/shell/MoviePlayer.h"

#include <QImage>
#include <QObject>
#include <QVideoFrame>

#include <memory>
#include <optional>

class QMediaPlayer;
class QVideoSink;

namespace lumenscroll {

// The application's movie player: Qt Multimedia decoding into a video sink, whose frames go
// to the frame listeners as images. Frames painted by our own widget, rather than a video
// widget, let other widgets draw over the movie. The movie is silent: no audio output is
// attached. Qt Multimedia is reached through MediaBackend only.
class MediaMoviePlayer final : public QObject, public MoviePlayer {
    Q_OBJECT

public:
    explicit MediaMoviePlayer(QObject* parent = nullptr);
    ~MediaMoviePlayer() override;

    void setSource(const QString& filePath) override;
    void play() override;
    void pause() override;
    void seekToStart() override;
    bool isPlaying() const override;
    void unload() override;
    void showFramesIn(QSize box, Qt::AspectRatioMode mode) override;

    [[nodiscard]] Subscription onPlayedToEnd(std::function<void()> listener) override {
        return playedToEnd_.add(std::move(listener));
    }
    [[nodiscard]] Subscription onFailed(std::function<void(const QString& error)> listener) override {
        return failed_.add(std::move(listener));
    }
    [[nodiscard]] Subscription onFrame(std::function<void(const QImage& frame)> listener) override {
        return frames_.add(std::move(listener));
    }

    // The sink the frames come through (tests hand it frames of their own).
    QVideoSink* sink() const { return sink_.get(); }

private:
    // Turns the newest frame announced into an image for the frame listeners.
    void showPendingFrame();

    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QVideoSink> sink_;
    ListenerList<> playedToEnd_;
    ListenerList<QString> failed_;
    ListenerList<QImage> frames_;
    // The newest frame announced and not yet turned into an image; one turn is posted for it.
    std::optional<QVideoFrame> pendingFrame_;
    QSize box_;
    Qt::AspectRatioMode mode_ = Qt::KeepAspectRatio;
    // The last two pictures sent, the older to be written over by the next frame once nobody
    // shows it.
    QImage latest_;
    QImage previous_;
};

} // namespace lumenscroll
