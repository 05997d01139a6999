#include "app/reading/TextResource.h"

#include "app/platform/FileSystem.h"
#include "testing/platform/TestAppContext.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumenscroll {
namespace {

// A book read again is given from what the last read kept; whatever happened to the file since,
// the next read gives what the file now holds. Each file is dated in the past, as the installed
// books are: a file written just now is never kept.
TEST(TextResource, AReadGivesWhatTheFileHoldsNowWhateverAnEarlierReadKept) {
    TestAppContext app;
    const ResourceLocator& resources = app.context().resources();
    ASSERT_TRUE(app.addResource("01창세기.txt", "1:1 가"));
    const QString path = *resources.path("01창세기", "txt");
    app.fixedClock().set(QDateTime::currentDateTime());
    int hoursAgo = 100;
    const auto dateInThePast = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * hoursAgo--),
                                     QFileDevice::FileModificationTime));
    };
    dateInThePast();
    EXPECT_EQ(TextResource::read(app.context(), "01창세기"), "1:1 가");
    EXPECT_EQ(TextResource::read(app.context(), "01창세기"), "1:1 가");

    // Replaced with text of the same length.
    ASSERT_TRUE(FileSystem::writeAtomically(path, "1:1 나"));
    dateInThePast();
    EXPECT_EQ(TextResource::read(app.context(), "01창세기"), "1:1 나");

    // Written in place, the same length again, and then not UTF-8 at all.
    for (const QByteArray& bytes : {QByteArray("1:1 다"), QByteArray("1:1 \xEB\x8B")}) {
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_EQ(file.write(bytes), bytes.size());
            ASSERT_TRUE(file.resize(bytes.size()));
        }
        dateInThePast();
        const std::optional<std::string> read = TextResource::read(app.context(), "01창세기");
        EXPECT_EQ(read, bytes == "1:1 다" ? std::optional<std::string>("1:1 다") : std::nullopt);
    }

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(TextResource::read(app.context(), "01창세기"), std::nullopt);
}

} // namespace
} // namespace lumenscroll
