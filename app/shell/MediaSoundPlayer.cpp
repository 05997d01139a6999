#include "app/shell/MediaSoundPlayer.h"

#include "app/shell/MediaBackend.h"

#include <QAudioOutput>
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
    MediaBackend::use([&] {
        if (!player_) {
            output_ = std::make_unique<QAudioOutput>();
            player_ = std::make_unique<QMediaPlayer>();
            player_->setAudioOutput(output_.get());
        }
        player_->stop();
        player_->setSource(QUrl::fromLocalFile(filePath));
    });
    player_->play();
}

} // namespace lumenscroll
