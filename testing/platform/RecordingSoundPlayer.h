#pragma once

#include "app/platform/SoundPlayer.h"

#include <QStringList>

namespace lumenscroll {

// Remembers what it was asked to play and plays nothing: for tests, and for an application
// started without a sound player.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& filePath) override { played_.append(filePath); }
    const QStringList& played() const { return played_; }

private:
    QStringList played_;
};

} // namespace lumenscroll
