#include "app/shell/MediaMoviePlayer.h"

#include <QByteArray>
#include <QUrl>
#include <QtGlobal>

namespace lumenscroll {

MediaMoviePlayer::MediaMoviePlayer(QObject* parent)
    : QObject(parent) {
    player_.setVideoOutput(&sink_);
    connect(&player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            playedToEnd_.send();
        }
    });
    connect(&player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        failed_.send(text.isEmpty() ? QStringLiteral("the movie cannot be played") : text);
    });
}

MediaMoviePlayer::~MediaMoviePlayer() {
    // Stop decoding before the sink goes: members are destroyed in reverse order.
    player_.stop();
    player_.setVideoOutput(nullptr);
}

void MediaMoviePlayer::preferFfmpegBackend() {
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
    }
}

void MediaMoviePlayer::setSource(const QString& filePath) {
    player_.setSource(QUrl::fromLocalFile(filePath));
}

void MediaMoviePlayer::play() {
    player_.play();
}

void MediaMoviePlayer::pause() {
    player_.pause();
}

void MediaMoviePlayer::seekToStart() {
    player_.setPosition(0);
}

void MediaMoviePlayer::unload() {
    player_.stop();
    player_.setSource(QUrl());
}

bool MediaMoviePlayer::isPlaying() const {
    return player_.playbackState() == QMediaPlayer::PlayingState;
}

} // namespace lumenscroll
