#pragma once

#include "app/platform/ListenerList.h"
#include "app/shell/MoviePlayer.h"

#include <QMediaPlayer>
#include <QObject>
#include <QVideoSink>

namespace lumenscroll {

// The application's movie player: Qt Multimedia decoding into a video sink, whose frames a
// MoviePlayerWidget paints. A sink painted by our own widget, rather than a video widget, lets
// other widgets draw over the movie. The movie is silent: no audio output is attached.
class MediaMoviePlayer final : public QObject, public MoviePlayer {
    Q_OBJECT

public:
    explicit MediaMoviePlayer(QObject* parent = nullptr);
    ~MediaMoviePlayer() override;

    // Asks Qt Multimedia for its FFmpeg backend unless the user chose one (QT_MEDIA_BACKEND):
    // on Qt 6.4 it is the one that decodes the intro movie reliably. Takes effect only before
    // the first player is created.
    static void preferFfmpegBackend();

    void setSource(const QString& filePath) override;
    void play() override;
    void pause() override;
    void seekToStart() override;
    bool isPlaying() const override;
    void unload() override;

    [[nodiscard]] Subscription onPlayedToEnd(std::function<void()> listener) override {
        return playedToEnd_.add(std::move(listener));
    }
    [[nodiscard]] Subscription onFailed(std::function<void(const QString& error)> listener) override {
        return failed_.add(std::move(listener));
    }

    // Where the decoded frames arrive.
    QVideoSink& videoSink() { return sink_; }

private:
    QMediaPlayer player_;
    QVideoSink sink_;
    ListenerList<> playedToEnd_;
    ListenerList<QString> failed_;
};

} // namespace lumenscroll
