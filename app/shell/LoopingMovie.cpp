#include "app/shell/LoopingMovie.h"

#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"

namespace lumenscroll {

LoopingMovie::LoopingMovie(MoviePlayer& player, const AppContext& context, const QString& name,
                           const QString& type)
    : player_(player)
    , scheduler_(context.scheduler()) {
    failures_ = player_.onFailed([this](const QString& error) { fail(error); });
    const std::optional<QString> path = context.resources().path(name, type);
    if (!path) {
        fail(QStringLiteral("%1.%2 is not among the resources").arg(name, type));
        return;
    }
    player_.setSource(*path);
}

LoopingMovie::~LoopingMovie() {
    if (!unloaded_) {
        unload();
    }
}

void LoopingMovie::start() {
    running_ = true;
    if (!replay_.isActive()) {
        replay_ = player_.onPlayedToEnd([this] {
            scheduler_.post(&replayContext_, [this] { replayFromStart(); });
        });
    }
    if (!failed_ && !unloaded_) {
        player_.play();
    }
}

void LoopingMovie::pause() {
    running_ = false;
    player_.pause();
}

void LoopingMovie::unload() {
    running_ = false;
    unloaded_ = true;
    replay_.cancel();
    failures_.cancel();
    player_.unload();
}

void LoopingMovie::replayFromStart() {
    if (!running_ || failed_ || unloaded_) {
        return;
    }
    player_.seekToStart();
    player_.play();
}

void LoopingMovie::fail(const QString& error) {
    trace(QStringLiteral("error ") + error);
    failed_ = true;
}

} // namespace lumenscroll
