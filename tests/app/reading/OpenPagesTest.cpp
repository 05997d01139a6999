// The owner of the page lists: what it refuses, and what a close leaves in each list.

#include "app/reading/OpenPages.h"
#include "app/platform/Subscription.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::openPages;

class OpenPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        openPages(settings, app.context(),
                  {chapterRecord(0, 0, BibleKind::kr01, 2), chapterRecord(1, 0, BibleKind::kr01, 3),
                   chapterRecord(2, 0, BibleKind::kr01, 4)});
        settings.OverAllSectionQTRecord.set(testing::pageListKey(), {"a", "b", "c"});
        OpenPages(settings).rebuildBookmarkRows();
    }

    TestAppContext app;
    UserSettings settings;
};

TEST_F(OpenPagesTest, NothingClosesWhileTheListsAreNotParallel) {
    // A record waiting for its page value, as a search hit's slot does.
    OpenPages(settings).appendSearchHitSlot();
    int writes = 0;
    const Subscription counting = settings.publisher().sink([&] { ++writes; });

    EXPECT_FALSE(OpenPages(settings).closePage(1));
    EXPECT_FALSE(OpenPages(settings).closePage(3));
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(settings.roles().size(), 3u);
    EXPECT_EQ(settings.selectedBibleArray().size(), 4u);
}

TEST_F(OpenPagesTest, AClosedPageLeavesEveryListAndThePagesAfterItMoveDown) {
    // Fewer notes than pages: the one the closed page lacks is not missed.
    settings.OverAllSectionQTRecord.set(testing::pageListKey(), {"a"});
    ASSERT_TRUE(OpenPages(settings).closePage(1));

    ASSERT_EQ(settings.roles().size(), 2u);
    EXPECT_EQ(settings.selectedBibleArray()[1].sectionIndex, 2);
    EXPECT_EQ(settings.bookmarkArray(),
              (std::vector<std::vector<bool>>{{false, false}, {false, false, false, false}}));
    EXPECT_EQ(settings.OverAllSectionQTRecord(), std::vector<std::string>{"a"});
    EXPECT_EQ(settings.roles()[1].pageIndex.get(), 1);
    EXPECT_TRUE(OpenPages(settings).areParallel());
}

} // namespace
} // namespace lumenscroll
