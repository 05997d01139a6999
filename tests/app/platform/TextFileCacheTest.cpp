#include "app/platform/TextFileCache.h"

#include "testing/platform/FixedClock.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumenscroll {
namespace {

std::string found(const TextFileCache& cache, const QString& path, const FileStamp& stamp) {
    const std::string* text = cache.find(path, stamp);
    return text ? *text : "(none)";
}

// A text is given again for its file's stamp alone, and only for a file that was last written
// more than a second before the clock's now and did not change while it was read; each keep
// takes the place of the last.
TEST(TextFileCache, GivesASettledFilesTextAgainForItsStampOnly) {
    FixedClock clock;
    clock.set(QDateTime::fromMSecsSinceEpoch(10'000));
    TextFileCache cache(clock);
    const FileStamp settled{.device = 1, .inode = 2, .size = 3, .modifiedNs = 8'999'999'999, .changedNs = 0};
    FileStamp recent = settled;
    recent.modifiedNs = 9'000'000'000;

    EXPECT_EQ(cache.keep("a.txt", recent, "too recent"), "too recent");
    EXPECT_EQ(found(cache, "a.txt", recent), "(none)");
    cache.keep("a.txt", std::nullopt, "changed while read");
    EXPECT_EQ(found(cache, "a.txt", settled), "(none)");

    cache.keep("a.txt", settled, "kept");
    EXPECT_EQ(found(cache, "a.txt", settled), "kept");
    EXPECT_EQ(found(cache, "b.txt", settled), "(none)");
    FileStamp written = settled;
    written.changedNs = 1;
    EXPECT_EQ(found(cache, "a.txt", written), "(none)");

    // Time moves on: the same file is old enough now, and takes the place of the other.
    clock.set(QDateTime::fromMSecsSinceEpoch(10'001));
    cache.keep("b.txt", recent, "b");
    EXPECT_EQ(found(cache, "b.txt", recent), "b");
    EXPECT_EQ(found(cache, "a.txt", settled), "(none)");
}

} // namespace
} // namespace lumenscroll
