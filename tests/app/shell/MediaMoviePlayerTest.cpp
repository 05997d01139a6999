#include "app/shell/MediaMoviePlayer.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>

namespace lumenscroll {
namespace {

// Puts QT_MEDIA_BACKEND back as it was, for the tests that create players after this one.
class MediaBackendVariable {
public:
    MediaBackendVariable()
        : saved_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {}
    ~MediaBackendVariable() {
        if (saved_) {
            qputenv(name, *saved_);
        } else {
            qunsetenv(name);
        }
    }

    static constexpr const char* name = "QT_MEDIA_BACKEND";

private:
    std::optional<QByteArray> saved_;
};

TEST(MediaMoviePlayer, PrefersTheFfmpegBackendUnlessTheUserChoseOne) {
    const MediaBackendVariable restore;
    qunsetenv(MediaBackendVariable::name);
    MediaMoviePlayer::preferFfmpegBackend();
    EXPECT_EQ(qgetenv(MediaBackendVariable::name), QByteArrayLiteral("ffmpeg"));

    qputenv(MediaBackendVariable::name, QByteArrayLiteral("gstreamer"));
    MediaMoviePlayer::preferFfmpegBackend();
    EXPECT_EQ(qgetenv(MediaBackendVariable::name), QByteArrayLiteral("gstreamer"));
}

} // namespace
} // namespace lumenscroll
