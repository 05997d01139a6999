#pragma once

#include "app/platform/ListenerList.h"
#include "app/shell/MoviePlayer.h"

#include <QImage>
#include <QString>

namespace lumenscroll::testing {

// A movie player that plays nothing: it remembers what it was asked, and the test says when
// the movie ends or fails.
class FakeMoviePlayer final : public MoviePlayer {
public:
    void setSource(const QString& filePath) override { source = filePath; }
    void play() override {
        ++plays;
        playing = true;
    }
    void pause() override {
        ++pauses;
        playing = false;
    }
    void seekToStart() override { ++seeks; }
    bool isPlaying() const override { return playing; }
    void unload() override {
        ++unloads;
        playing = false;
    }

    void showFramesIn(QSize box, Qt::AspectRatioMode mode) override {
        shownIn = box;
        shownMode = mode;
    }

    [[nodiscard]] Subscription onPlayedToEnd(std::function<void()> listener) override {
        return ended_.add(std::move(listener));
    }
    [[nodiscard]] Subscription onFailed(std::function<void(const QString& error)> listener) override {
        return failed_.add(std::move(listener));
    }
    [[nodiscard]] Subscription onFrame(std::function<void(const QImage& frame)> listener) override {
        return frames_.add(std::move(listener));
    }

    // The movie reached its end: it stands still there, as a real player does.
    void reachEnd() {
        playing = false;
        ended_.send();
    }
    void fail(const QString& error) {
        playing = false;
        failed_.send(error);
    }
    void showFrame(const QImage& frame) { frames_.send(frame); }
    std::size_t endListenerCount() const { return ended_.size(); }

    QString source;
    int plays = 0;
    int pauses = 0;
    int seeks = 0;
    int unloads = 0;
    bool playing = false;
    QSize shownIn;
    Qt::AspectRatioMode shownMode = Qt::KeepAspectRatio;

private:
    ListenerList<> ended_;
    ListenerList<QString> failed_;
    ListenerList<QImage> frames_;
};

} // namespace lumenscroll::testing
