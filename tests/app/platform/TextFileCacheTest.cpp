#include "app/platform/TextFileCache.h"

#include "testing/platform/FixedClock.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumenscroll {
namespace {

// A text is given again for its file's stamp alone, and kept only for a file last written more
// than a second before the clock's now; a file too recent to keep leaves the kept text alone.
TEST(TextFileCache, KeepsASettledFilesTextForItsStampOnly) {
    FixedClock clock;
    clock.set(QDateTime::fromMSecsSinceEpoch(10'000));
    TextFileCache cache(clock);
    const FileStamp settled{.device = 1, .inode = 2, .size = 3, .modifiedNs = 8'999'999'999, .changedNs = 0};
    FileStamp recent = settled;
    recent.modifiedNs = 9'000'000'000;

    cache.keep("a.txt", recent, "too recent");
    EXPECT_EQ(cache.find("a.txt", recent), std::nullopt);

    cache.keep("a.txt", settled, "kept");
    EXPECT_EQ(cache.find("a.txt", settled), "kept");
    EXPECT_EQ(cache.find("b.txt", settled), std::nullopt);
    FileStamp written = settled;
    written.changedNs = 1;
    EXPECT_EQ(cache.find("a.txt", written), std::nullopt);

    cache.keep("b.txt", recent, "too recent");
    EXPECT_EQ(cache.find("a.txt", settled), "kept");
    // Time moves on: the same file is old enough now.
    clock.set(QDateTime::fromMSecsSinceEpoch(10'001));
    cache.keep("b.txt", recent, "b");
    EXPECT_EQ(cache.find("b.txt", recent), "b");
    EXPECT_EQ(cache.find("a.txt", settled), std::nullopt);
}

} // namespace
} // namespace lumenscroll
