#pragma once

#include "app/platform/Subscription.h"
#include "app/shell/MoviePlayer.h"

#include <QObject>
#include <QString>

namespace lumenscroll {

class AppContext;
class Scheduler;

// A movie that plays in an endless loop behind a view: each time it reaches its end, a replay
// from the start is posted. The replay is hooked up once, however often the view showing the
// movie appears, so one end of the movie never starts more than one replay.
//
// A movie that is not among the resources, or that the player cannot play, is traced as
// "error " and the error and then stays still: nothing waits for it, so a view built around
// the movie works as it would with the movie playing.
class LoopingMovie {
public:
    // Loads resource `name` of type `type` into `player`, which must outlive this movie.
    LoopingMovie(MoviePlayer& player, const AppContext& context, const QString& name, const QString& type);
    LoopingMovie(const LoopingMovie&) = delete;
    LoopingMovie& operator=(const LoopingMovie&) = delete;
    // Unloads the movie.
    ~LoopingMovie();

    // The view showing the movie appeared: plays it from where it stands.
    void start();
    // Stops it where it is; a replay already posted does not restart it.
    void pause();
    // The movie will not be shown again: it stops, and the player lets go of it and of what
    // it decoded, which is most of what the program holds in memory while the movie plays.
    // The movie stops listening to the player, which may go on to play another.
    void unload();

    bool isPlaying() const { return player_.isPlaying(); }
    bool hasFailed() const { return failed_; }
    MoviePlayer& player() const { return player_; }

private:
    void replayFromStart();
    void fail(const QString& error);

    MoviePlayer& player_;
    Scheduler& scheduler_;
    // What posted replays are tied to: they die with the movie.
    QObject replayContext_;
    Subscription failures_;
    Subscription replay_;
    bool failed_ = false;
    bool unloaded_ = false;
    // Whether the view wants the movie running: the loop carries on only while it does.
    bool running_ = false;
};

} // namespace lumenscroll
