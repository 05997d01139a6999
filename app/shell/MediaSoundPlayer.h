#pragma once

#include "app/platform/SoundPlayer.h"

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace lumenscroll {

// Plays short sounds through Qt Multimedia on the default audio output. A new sound stops the
// one still playing. A file that cannot be played, or a machine without an audio device, plays
// nothing and says nothing. The player is made on the first sound, so an application that
// plays none never opens the audio device.
class MediaSoundPlayer final : public SoundPlayer {
public:
    MediaSoundPlayer();
    ~MediaSoundPlayer() override;
    MediaSoundPlayer(const MediaSoundPlayer&) = delete;
    MediaSoundPlayer& operator=(const MediaSoundPlayer&) = delete;

    void play(const QString& filePath) override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

} // namespace lumenscroll
