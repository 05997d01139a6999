#include "app/shell/MediaSoundPlayer.h"

#include "app/shell/MediaBackend.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace lumenscroll {

MediaSoundPlayer::MediaSoundPlayer() = default;

MediaSoundPlayer::~MediaSoundPlayer() {
    if (player_) {
        player_->stop();
    }
}

void MediaSoundPlayer::play(const QString& filePath) {
    bool playable = false;
    MediaBackend::use([&] {
        // Qt 6.4's FFmpeg backend crashes writing to an audio sink it could not open: without an
        // output device nothing is played at all.
        if (QMediaDevices::defaultAudioOutput().isNull()) {
            return;
        }
        if (!player_) {
            output_ = std::make_unique<QAudioOutput>();
            player_ = std::make_unique<QMediaPlayer>();
            player_->setAudioOutput(output_.get());
        }
        player_->stop();
        player_->setSource(QUrl::fromLocalFile(filePath));
        playable = true;
    });
    if (playable) {
        player_->play();
    }
}

} // namespace lumenscroll
