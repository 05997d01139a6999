#include "app/shell/MediaMoviePlayer.h"

#include "app/shell/MediaBackend.h"
#include "app/shell/VideoFrameImage.h"

#include <QMediaPlayer>
#include <QMetaObject>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <utility>

#include <malloc.h>

namespace lumenscroll {

MediaMoviePlayer::MediaMoviePlayer(QObject* parent)
    : QObject(parent) {
    MediaBackend::use([this] {
        player_ = std::make_unique<QMediaPlayer>();
        sink_ = std::make_unique<QVideoSink>();
    });
    player_->setVideoOutput(sink_.get());
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            playedToEnd_.send();
        }
    });
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        failed_.send(text.isEmpty() ? QStringLiteral("the movie cannot be played") : text);
    });
    // A frame may be announced on a decoding thread: the context object brings it to ours.
    // Turning a frame into an image can take longer than the movie gives it on a slow machine;
    // were every frame turned, their announcements would pile up in the event queue without
    // end and the window would stop answering. Only the newest waits: its turn comes once the
    // announcements before it are through.
    connect(sink_.get(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        const bool turnPosted = pendingFrame_.has_value();
        pendingFrame_ = frame;
        if (!turnPosted) {
            QMetaObject::invokeMethod(this, [this] { showPendingFrame(); }, Qt::QueuedConnection);
        }
    });
}

void MediaMoviePlayer::showPendingFrame() {
    const std::optional<QVideoFrame> frame = std::exchange(pendingFrame_, std::nullopt);
    if (frame && frame->isValid() && frames_.size() > 0) {
        // The picture sent two frames ago is shown by nobody now: this one is written over it.
        QImage image = VideoFrameImage::of(*frame, box_, mode_, std::exchange(previous_, QImage()));
        previous_ = std::exchange(latest_, image);
        frames_.send(image);
    }
}

MediaMoviePlayer::~MediaMoviePlayer() {
    // Stop decoding before the sink goes.
    player_->stop();
    player_->setVideoOutput(nullptr);
    player_.reset();
}

void MediaMoviePlayer::setSource(const QString& filePath) {
    // Opening the file builds the decoder, which is when the backend probes for hardware.
    MediaBackend::use([&] { player_->setSource(QUrl::fromLocalFile(filePath)); });
}

void MediaMoviePlayer::play() {
    player_->play();
}

void MediaMoviePlayer::pause() {
    player_->pause();
}

void MediaMoviePlayer::seekToStart() {
    player_->setPosition(0);
}

void MediaMoviePlayer::unload() {
    previous_ = QImage();
    latest_ = QImage();
    player_->stop();
    player_->setSource(QUrl());
    // The decoder's threads leave their freed frames in memory pools of their own, which the
    // allocator would otherwise keep for the rest of the run: given back, a closed movie leaves
    // the program as large as it was before it played.
    malloc_trim(0);
}

void MediaMoviePlayer::showFramesIn(QSize box, Qt::AspectRatioMode mode) {
    box_ = box;
    mode_ = mode;
}

bool MediaMoviePlayer::isPlaying() const {
    return player_->playbackState() == QMediaPlayer::PlayingState;
}

} // namespace lumenscroll
