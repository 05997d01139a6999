#include "app/shell/MediaBackend.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace lumenscroll {
namespace {

// Puts QT_MEDIA_BACKEND back as it was, for the tests that run after this one.
class MediaBackendVariable {
public:
    MediaBackendVariable()
        : saved_(qEnvironmentVariableIsSet(MediaBackend::variable)
                     ? std::optional(qgetenv(MediaBackend::variable))
                     : std::nullopt) {}
    ~MediaBackendVariable() {
        if (saved_) {
            qputenv(MediaBackend::variable, *saved_);
        } else {
            qunsetenv(MediaBackend::variable);
        }
    }

private:
    std::optional<QByteArray> saved_;
};

struct stat standardError() {
    struct stat status {};
    fstat(STDERR_FILENO, &status);
    return status;
}

TEST(MediaBackend, ChoosesFfmpegUnlessTheUserChoseABackend) {
    const MediaBackendVariable restore;
    qunsetenv(MediaBackend::variable);
    MediaBackend::choose();
    EXPECT_EQ(qgetenv(MediaBackend::variable), QByteArrayLiteral("ffmpeg"));

    qputenv(MediaBackend::variable, QByteArrayLiteral("gstreamer"));
    MediaBackend::choose();
    EXPECT_EQ(qgetenv(MediaBackend::variable), QByteArrayLiteral("gstreamer"));
}

TEST(MediaBackend, WorkWithTheBackendRunsWithTheStandardErrorDroppedAndPutBackAfter) {
    const MediaBackendVariable restore;
    qunsetenv(MediaBackend::variable);
    const struct stat before = standardError();
    struct stat null {};
    ASSERT_EQ(stat("/dev/null", &null), 0);

    const int result = MediaBackend::use([&] {
        EXPECT_EQ(qgetenv(MediaBackend::variable), QByteArrayLiteral("ffmpeg"));
        const struct stat during = standardError();
        EXPECT_EQ(during.st_rdev, null.st_rdev);
        EXPECT_EQ(during.st_ino, null.st_ino);
        return 7;
    });

    EXPECT_EQ(result, 7);
    const struct stat after = standardError();
    EXPECT_EQ(after.st_dev, before.st_dev);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

} // namespace
} // namespace lumenscroll
