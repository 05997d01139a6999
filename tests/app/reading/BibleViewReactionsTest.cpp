// A shown page's reactions, driven by the manual scheduler: they run after the action that
// caused them, coalesced, and the delayed scroll after a chapter step comes 2.0 s later.

#include "app/reading/BibleViewReactions.h"
#include "app/reading/BibleView.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace lumenscroll {
namespace {

using namespace std::chrono_literals;
using testing::chapterRecord;
using testing::openPages;
using testing::RecordingScrollReader;
using Request = RecordingScrollReader::Request;

class BibleViewReactionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        openPages(settings, app.context(),
                  {chapterRecord(0, 0, BibleKind::kr01, 5, "태초에"), chapterRecord(42, 2, BibleKind::en01, 4, "For God")});
    }

    ManualScheduler& scheduler() { return app.manualScheduler(); }
    const BibleView& shown(std::size_t i) const { return settings.roles()[i]; }
    const BibleStructure& record(std::size_t i) const { return settings.selectedBibleArray()[i]; }
    void modifyShown(std::size_t i, const std::function<void(BibleView&)>& change) {
        settings.roles.modify(testing::pageListKey(),
                              [&](std::vector<BibleView>& views) { change(views[i]); });
    }
    // As a chapter step ends: the chosen verse known, the flag raised.
    void stepChapter(std::size_t i, std::int64_t verse) {
        modifyShown(i, [verse](BibleView& view) {
            view.praiseIndex = verse;
            view.userSelectBibleSection = true;
        });
    }

    TestAppContext app;
    UserSettings settings;
    std::shared_ptr<RecordingScrollReader> reader = std::make_shared<RecordingScrollReader>();
};

TEST_F(BibleViewReactionsTest, AChapterStepScrollsToTheChosenVerseTwiceTwoSecondsLater) {
    BibleViewReactions reactions(settings.roles()[0]);
    reactions.verseAreaAppear(reader);
    scheduler().runReady();

    stepChapter(0, 3);
    // Nothing happens inside the write.
    EXPECT_EQ(record(0).praises[0].index, 0);
    scheduler().runReady();
    // Handled: the verse marked, the title rebuilt, the flag lowered again, which the list
    // sees as a second change.
    EXPECT_EQ(record(0).praises[0].index, 3);
    EXPECT_FALSE(shown(0).userSelectBibleSection);
    EXPECT_EQ(shown(0).bibleSectionTitle, "창세기 1장");
    EXPECT_TRUE(reader->requests.empty());

    scheduler().advance(1999ms);
    EXPECT_TRUE(reader->requests.empty());
    scheduler().advance(1ms);
    EXPECT_EQ(reader->requests,
              (std::vector<Request>{{3, ScrollAnchor::top, false}, {3, ScrollAnchor::top, false}}));
}

TEST_F(BibleViewReactionsTest, AChapterWithoutVersesScrollsToTheTop) {
    BibleViewReactions reactions(settings.roles()[0]);
    reactions.verseAreaAppear(reader);
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[0].praises.clear(); });
    scheduler().runReady();
    stepChapter(0, 4);
    scheduler().runReady();
    scheduler().advance(BibleViewReactions::chapterScrollDelay);
    ASSERT_FALSE(reader->requests.empty());
    EXPECT_EQ(reader->requests.front(), (Request{0, ScrollAnchor::top, false}));
}

TEST_F(BibleViewReactionsTest, AStepBeforeTheListIsOnScreenScrollsNothing) {
    BibleViewReactions reactions(settings.roles()[0]);
    stepChapter(0, 2);
    scheduler().runReady();
    // The reader kept afterwards is not the one the step captured.
    reactions.verseAreaAppear(reader);
    scheduler().advance(BibleViewReactions::chapterScrollDelay);
    EXPECT_TRUE(reader->requests.empty());
    EXPECT_EQ(record(0).praises[0].index, 2);
}

TEST_F(BibleViewReactionsTest, AFlagRaisedAndLoweredInOneActionTriggersNothing) {
    BibleViewReactions reactions(settings.roles()[0]);
    reactions.verseAreaAppear(reader);
    scheduler().runReady();
    stepChapter(0, 3);
    modifyShown(0, [](BibleView& view) { view.userSelectBibleSection = false; });
    scheduler().runReady();
    EXPECT_EQ(scheduler().pendingCount(), 0u);
    EXPECT_EQ(record(0).praises[0].index, 0);
}

TEST_F(BibleViewReactionsTest, GoneReactionsCancelTheirDelayedScroll) {
    auto reactions = std::make_unique<BibleViewReactions>(settings.roles()[0]);
    reactions->verseAreaAppear(reader);
    scheduler().runReady();
    stepChapter(0, 1);
    scheduler().runReady();
    reactions.reset();
    scheduler().advance(BibleViewReactions::chapterScrollDelay);
    EXPECT_TRUE(reader->requests.empty());
}

TEST_F(BibleViewReactionsTest, TheSearchClosingWithAHitAddsAPageSlot) {
    BibleViewReactions reactions(settings.roles()[0]);
    modifyShown(0, [](BibleView& view) { view.searchBtnPressed = true; });
    scheduler().runReady();
    settings.foundSectionVerseAndPraiseArray.set(testing::pageListKey(), {"John 3:16"});
    modifyShown(0, [](BibleView& view) { view.searchBtnPressed = false; });
    EXPECT_EQ(settings.selectedBibleArray->size(), 2u);
    scheduler().runReady();
    EXPECT_EQ(settings.selectedBibleArray->size(), 3u);
}

TEST_F(BibleViewReactionsTest, ANewPageForASearchHitShowsAndSelectsTheVerseOnTheNewestPage) {
    BibleViewReactions older(settings.roles()[0]);
    BibleViewReactions newest(settings.roles()[1]);
    newest.verseAreaAppear(reader);
    scheduler().runReady();
    settings.praiseSelected.set(2);

    // The search announces the new page: every page takes it, the flag is lowered after.
    settings.newBibleViewPageCreating.set(true);
    EXPECT_TRUE(settings.newBibleViewPageCreating());
    scheduler().runReady();
    EXPECT_FALSE(settings.newBibleViewPageCreating());
    // Only the newest page shows the verse.
    EXPECT_EQ(reader->requests, (std::vector<Request>{{2, ScrollAnchor::top, false}}));
    EXPECT_EQ(shown(1).isSelectedArray2, (std::vector<bool>{false, false, true, false}));
    EXPECT_FALSE(shown(1).praiseIndexChanged);
    EXPECT_EQ(shown(0).isSelectedArray2, std::vector<bool>(5, false));
    EXPECT_FALSE(shown(0).praiseIndexChanged);
    EXPECT_TRUE(settings.executedOnce());

    // Once shown, a later announcement is left as it is.
    settings.newBibleViewPageCreating.set(true);
    scheduler().runReady();
    EXPECT_TRUE(settings.newBibleViewPageCreating());
}

TEST_F(BibleViewReactionsTest, TheNewestPagesLabelFollowsItsRecordsTranslation) {
    BibleViewReactions first(settings.roles()[0]);
    BibleViewReactions last(settings.roles()[1]);
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].kindOfBible = BibleKind::en01;
        pages[1].kindOfBible = BibleKind::kr01;
    });
    scheduler().runReady();
    EXPECT_EQ(shown(0).translateVersion, "개역한글");
    EXPECT_EQ(shown(1).translateVersion, "개역한글");
    EXPECT_EQ(shown(1).kindOfBible, BibleKind::kr01);
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[1].kindOfBible = BibleKind::en01;
    });
    scheduler().runReady();
    EXPECT_EQ(shown(1).translateVersion, "KJV");
}

TEST_F(BibleViewReactionsTest, ThePanelShownLastClearsTheOthersFlag) {
    BibleViewReactions reactions(settings.roles()[0]);
    settings.aboutViewBtnPressed.set(true);
    scheduler().runReady();
    settings.settingsViewBtnPressed.set(true);
    scheduler().runReady();
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    EXPECT_FALSE(settings.aboutViewBtnPressed());
    settings.aboutViewBtnPressed.set(true);
    scheduler().runReady();
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_TRUE(settings.aboutViewBtnPressed());
}

TEST_F(BibleViewReactionsTest, AppearingRebuildsTheTitle) {
    modifyShown(1, [](BibleView& view) { view.bibleSectionTitle = "창세기 1장"; });
    BibleViewReactions reactions(settings.roles()[1]);
    reactions.appear();
    EXPECT_EQ(shown(1).bibleSectionTitle, "John 3");
}

TEST_F(BibleViewReactionsTest, TheScrollButtonsActAfterTheCurrentUpdate) {
    BibleViewReactions reactions(settings.roles()[0]);
    reactions.verseAreaAppear(reader);
    reactions.pressScrollUp();
    reactions.pressScrollDown();
    reactions.pressPreviousChapter();
    reactions.pressNextChapter();
    EXPECT_TRUE(reader->requests.empty());
    scheduler().runReady();
    EXPECT_EQ(reader->requests,
              (std::vector<Request>{{0, ScrollAnchor::top, true}, {4, ScrollAnchor::center, true}}));
}

} // namespace
} // namespace lumenscroll
