#pragma once

#include <QByteArray>

#include <utility>

namespace lumenscroll {

// Qt Multimedia as this program uses it. Qt picks its media backend once per process, when the
// first of its objects is made, and the backend then probes the machine for hardware decoders,
// printing every probe that fails on the standard error. Our players (MediaMoviePlayer,
// MediaSoundPlayer) make their Qt Multimedia objects and open their files only inside use(),
// so every process that builds a player, the program and the test programs alike, gets the
// same backend whatever media plugins the machine has, and a normal launch stays quiet.
class MediaBackend {
public:
    MediaBackend() = delete;

    static inline const char* const variable = "QT_MEDIA_BACKEND";
    static inline const QByteArray preferred = QByteArrayLiteral("ffmpeg");

    // Asks for the FFmpeg backend unless the user chose one (QT_MEDIA_BACKEND). On Qt 6.4 it
    // decodes the intro movie reliably, whereas the GStreamer backend, installed without its
    // plugin packages, crashes while it builds a player.
    static void choose();

    // Runs `work`, which makes Qt Multimedia objects or opens a media file, with the backend
    // chosen and the standard error dropped meanwhile: the hardware probes are the backend's
    // own chatter (its failures still reach the players' error signals, which we trace), and
    // some of them come from libraries below Qt (FFmpeg, libvdpau) that write there directly.
    template <class Work> static decltype(auto) use(Work&& work) {
        choose();
        const QuietStandardError quiet;
        return std::forward<Work>(work)();
    }

    // Sends the standard error to /dev/null for its lifetime, then puts it back; pending
    // output is flushed at both ends, so nothing written before or after is lost.
    class QuietStandardError {
    public:
        QuietStandardError();
        ~QuietStandardError();
        QuietStandardError(const QuietStandardError&) = delete;
        QuietStandardError& operator=(const QuietStandardError&) = delete;

    private:
        int saved_ = -1;
    };
};

} // namespace lumenscroll
