#pragma once

#include <QString>

namespace lumenscroll {

// Plays a short sound file (wav, mp3) once, without waiting for it. The implementation over
// Qt Multimedia belongs to the application shell, which keeps multimedia out of this layer.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& filePath) = 0;
};

} // namespace lumenscroll
