#pragma once

#include "app/platform/Subscription.h"

#include <QSize>
#include <QString>

#include <functional>

class QImage;

namespace lumenscroll {

// A player of one silent movie, as the views that show a movie need it: they start, pause and
// rewind it and hear when it has played to its end or cannot be played. The application's
// player is MediaMoviePlayer; the views' behaviour never sees Qt Multimedia.
class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;

    // The movie file to play. A file the player cannot open or decode is reported through
    // onFailed, now or once the player has found out.
    virtual void setSource(const QString& filePath) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void seekToStart() = 0;
    virtual bool isPlaying() const = 0;
    // The movie is done with: playback stops and the player lets go of the movie and of
    // everything it decoded. Nothing plays until a new source is set.
    virtual void unload() = 0;

    // The frames are shown scaled into `box` by `mode`: they are made at that size rather than
    // the movie's own where it is smaller. An empty box: at the movie's size.
    virtual void showFramesIn(QSize box, Qt::AspectRatioMode mode) = 0;

    // Every listener added is called, once per time the movie reaches its end.
    [[nodiscard]] virtual Subscription onPlayedToEnd(std::function<void()> listener) = 0;
    // Called with the player's description of what went wrong.
    [[nodiscard]] virtual Subscription onFailed(std::function<void(const QString& error)> listener) = 0;
    // Called with every frame the movie shows, on the GUI thread, for the widget that draws it.
    [[nodiscard]] virtual Subscription onFrame(std::function<void(const QImage& frame)> listener) = 0;
};

} // namespace lumenscroll
