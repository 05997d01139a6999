#include "app/shell/MediaBackend.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

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

// The file the standard error writes to.
std::pair<dev_t, ino_t> standardError() {
    struct stat status {};
    fstat(STDERR_FILENO, &status);
    return {status.st_dev, status.st_ino};
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
    const auto before = standardError();
    struct stat null {};
    ASSERT_EQ(stat("/dev/null", &null), 0);

    const int result = MediaBackend::use([&] {
        EXPECT_EQ(qgetenv(MediaBackend::variable), QByteArrayLiteral("ffmpeg"));
        EXPECT_EQ(standardError(), std::pair(null.st_dev, null.st_ino));
        return 7;
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(standardError(), before);
}

} // namespace
} // namespace lumenscroll
