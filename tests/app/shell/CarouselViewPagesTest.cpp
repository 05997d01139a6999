// Adding, filling and closing pages, and following the current page: what the page lists, the
// page-state files and the stored page list hold afterwards.

#include "CarouselViewTestSupport.h"

#include "app/reading/PageStatePersistence.h"
#include "app/reading/Utils.h"
#include "testing/reading/PageListKeyForTests.h"

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

using testing::pageStateFiles;
using testing::storedPage;
using testing::storedPageList;

class CarouselViewPagesTest : public testing::CarouselViewTestBase {
protected:
    // Pages on Genesis 1 to `count`, each with a bookmark on verse k for page k and a chapter
    // note of its own, saved.
    void openPages(int count) {
        std::vector<BibleStructure> stored;
        for (int k = 0; k < count; ++k) {
            BibleStructure page = storedPage(0, k, BibleKind::kr01, 20);
            page.praises[static_cast<std::size_t>(k)].bookmarked = true;
            stored.push_back(page);
        }
        restore(stored);
        std::vector<std::string> notes;
        for (int k = 0; k < count; ++k) {
            notes.push_back("note " + std::to_string(k));
        }
        settings.OverAllSectionQTRecord.set(testing::pageListKey(), notes);
    }
    void show(std::int64_t page) {
        carousel->selectedTab.set(page);
        settle();
    }
    void pressNewPage() {
        plusBtnPressed = true;
        settings.plusBible.set(true);
        settle();
    }
    std::vector<std::int64_t> chapters() const {
        std::vector<std::int64_t> indexes;
        for (const BibleStructure& page : settings.selectedBibleArray()) {
            indexes.push_back(page.versesIndex);
        }
        return indexes;
    }
    static QStringList files(int count) {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names.push_back(PageStatePersistence::fileName(i));
        }
        return names;
    }
};

// --- Adding ---

TEST_F(CarouselViewPagesTest, NewPageCopiesTheCurrentPageToTheEndAndMakesItCurrentInTheOverview) {
    openPages(4);
    show(2);
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[2].kindOfBible = BibleKind::en01;
        pages[2].language = "en";
        pages[2].name = "Genesis";
    });
    // Its marks are the KJV chapter's.
    settings.markBook.modify(
        [&](MarkBook& book) { book.takeMarksOfChaptersMissing({settings.selectedBibleArray()[2]}); });
    pressNewPage();

    ASSERT_EQ(settings.roles().size(), 5u);
    ASSERT_EQ(settings.selectedBibleArray().size(), 5u);
    const BibleStructure& source = settings.selectedBibleArray()[2];
    const BibleStructure& added = settings.selectedBibleArray()[4];
    EXPECT_EQ(added.versesIndex, source.versesIndex);
    EXPECT_EQ(added.order, source.order);
    EXPECT_EQ(added.name, source.name);
    EXPECT_EQ(added.sectionIndex, source.sectionIndex);
    EXPECT_EQ(added.praises, source.praises);
    EXPECT_EQ(added.kindOfBible, BibleKind::en01);
    EXPECT_EQ(settings.roles()[4].pageIndex.get(), 4);
    EXPECT_EQ(settings.roles()[4].bibleSectionTitle, "Genesis 3");

    EXPECT_EQ(carousel->prevPageIndex(), 2);
    EXPECT_EQ(carousel->selectedTab(), 4);
    EXPECT_EQ(settings.selectedTab(), 4);
    EXPECT_EQ(Utils::currentIndex, 4);
    EXPECT_TRUE(isShrinked);
    EXPECT_FALSE(plusBtnPressed);
    EXPECT_TRUE(settings.plusBible2());
    // The per-page lists grow with the page.
    ASSERT_EQ(settings.bookmarkArray().size(), 5u);
    EXPECT_TRUE(settings.bookmarkArray()[4][2]);
    EXPECT_EQ(settings.OverAllSectionQTRecord().size(), 5u);
    EXPECT_EQ(settings.OverAllSectionQTRecord()[3], "note 3");
}

TEST_F(CarouselViewPagesTest, NewPageDoesNothingWithoutItsButtonOrWithNoPageOpen) {
    // No page open: the request changes nothing and breaks nothing.
    pressNewPage();
    EXPECT_TRUE(settings.roles().empty());
    EXPECT_TRUE(settings.selectedBibleArray().empty());
    EXPECT_FALSE(isShrinked);
    EXPECT_FALSE(settings.plusBible2());

    openPages(2);
    settings.plusBible.set(false);
    settle();
    plusBtnPressed = false;
    settings.plusBible.set(true);
    settle();
    EXPECT_EQ(settings.roles().size(), 2u);
    settings.plusBible.set(false);
    plusBtnPressed = true;
    settle();
    EXPECT_EQ(settings.roles().size(), 2u);
}

// --- Closing ---

TEST_F(CarouselViewPagesTest, ClosingTheLastPageLeavesTheOthersSavedWithTheNewLastPageCurrent) {
    openPages(3);
    show(2);
    carousel->deletePage();

    EXPECT_EQ(chapters(), (std::vector<std::int64_t>{0, 1}));
    EXPECT_EQ(carousel->selectedTab(), 1);
    EXPECT_EQ(Utils::currentIndex, 1);
    EXPECT_TRUE(settings.deleteBibleViewProcess());
    // Exactly the files of the open pages, and the stored list of them.
    EXPECT_EQ(pageStateFiles(test.context()), files(2));
    const std::optional<std::vector<BibleStructure>> saved = storedPageList(test.context());
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 2u);
    EXPECT_EQ((*saved)[1].versesIndex, 1);

    test.manualScheduler().advance(CarouselView::deleteProcessDuration - std::chrono::milliseconds{1});
    EXPECT_TRUE(settings.deleteBibleViewProcess());
    test.manualScheduler().advance(std::chrono::milliseconds{1});
    EXPECT_FALSE(settings.deleteBibleViewProcess());
}

TEST_F(CarouselViewPagesTest, ClosingTheFirstPageMakesTheNextOneFirstAndCurrent) {
    openPages(3);
    show(0);
    carousel->deletePage();
    settle();

    EXPECT_EQ(chapters(), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(carousel->selectedTab(), 0);
    EXPECT_EQ(pageStateFiles(test.context()), files(2));
    ASSERT_EQ(storedPageList(test.context())->size(), 2u);
    EXPECT_EQ((*storedPageList(test.context()))[0].versesIndex, 1);
}

TEST_F(CarouselViewPagesTest, ClosingAMiddlePageKeepsTheOthersWithTheirMarksAndNotesAndIndexes) {
    openPages(3);
    show(1);
    carousel->deletePage();
    settle();

    EXPECT_EQ(chapters(), (std::vector<std::int64_t>{0, 2}));
    EXPECT_EQ(carousel->selectedTab(), 0);
    EXPECT_EQ(settings.OverAllSectionQTRecord(), (std::vector<std::string>{"note 0", "note 2"}));
    ASSERT_EQ(settings.bookmarkArray().size(), 2u);
    EXPECT_TRUE(settings.bookmarkArray()[0][0]);
    EXPECT_TRUE(settings.bookmarkArray()[1][2]);
    // Each page value still reaches its own state.
    EXPECT_EQ(settings.roles()[0].pageIndex.get(), 0);
    EXPECT_EQ(settings.roles()[1].pageIndex.get(), 1);
    EXPECT_EQ(pageStateFiles(test.context()), files(2));

    // The next launch brings back exactly the two pages.
    UserSettings nextRun;
    std::unique_ptr<CarouselView> next = makeCarousel(nextRun);
    next->appear();
    settle();
    ASSERT_EQ(nextRun.selectedBibleArray().size(), 2u);
    EXPECT_EQ(nextRun.selectedBibleArray()[1].versesIndex, 2);
    EXPECT_TRUE(nextRun.selectedBibleArray()[1].praises[2].bookmarked);
}

TEST_F(CarouselViewPagesTest, TheLastOpenPageIsNeverClosedAndTheNoticeSaysSo) {
    openPages(1);
    const auto before = settings.selectedBibleArray();
    carousel->deletePage();

    EXPECT_EQ(settings.selectedBibleArray(), before);
    EXPECT_EQ(settings.roles().size(), 1u);
    EXPECT_TRUE(carousel->showToast());
    EXPECT_EQ(carousel->toastMessage(), "성경 페이지가 최소 한 개는 열려있어야 합니다.");
    EXPECT_TRUE(settings.deleteBibleViewProcess());
    EXPECT_EQ(pageStateFiles(test.context()), files(1));

    test.manualScheduler().advance(CarouselView::deleteProcessDuration);
    EXPECT_FALSE(settings.deleteBibleViewProcess());
    EXPECT_FALSE(carousel->showToast());
}

TEST_F(CarouselViewPagesTest, ACurrentPageOutsideTheOpenPagesClosesNothing) {
    openPages(3);
    carousel->selectedTab.set(5);
    carousel->deletePage();
    carousel->selectedTab.set(-1);
    carousel->deletePage();

    EXPECT_EQ(chapters(), (std::vector<std::int64_t>{0, 1, 2}));
    EXPECT_FALSE(settings.deleteBibleViewProcess());
    EXPECT_FALSE(carousel->showToast());
    EXPECT_EQ(pageStateFiles(test.context()), files(3));
    // No reset of the close flag is waiting either.
    settle();
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0u);
}

// --- Filling ---

TEST_F(CarouselViewPagesTest, ASearchHitOpensAsANewPageInItsOwnTranslation) {
    openPages(2);
    settings.kindOfBible.set(BibleKind::en01);
    settings.foundSectionVerseAndPraiseArray.set(testing::pageListKey(), {"", "42@2@15", ""});
    // The search closing with a hit appends the record of the page to come.
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages.emplace_back(); });
    settle();

    ASSERT_EQ(settings.roles().size(), 3u);
    ASSERT_EQ(settings.selectedBibleArray().size(), 3u);
    const BibleStructure& page = settings.selectedBibleArray()[2];
    EXPECT_EQ(page.sectionIndex, 42);
    EXPECT_EQ(page.order, 42);
    EXPECT_EQ(page.versesIndex, 2);
    EXPECT_EQ(page.kindOfBible, BibleKind::en01);
    EXPECT_EQ(page.name, "John");
    EXPECT_EQ(page.praises.size(), 36u);
    EXPECT_NE(page.praises[15].word.find("For God so loved"), std::string::npos);
    // The new page's language and label, not the first page's.
    EXPECT_EQ(page.language, "en");
    EXPECT_EQ(settings.roles()[2].translateVersion, "KJV");
    EXPECT_EQ(settings.roles()[2].bibleSectionTitle, "John 3");
    EXPECT_EQ(settings.roles()[2].praiseIndex, 15);
    EXPECT_EQ(settings.selectedBibleArray()[0].language, "kr");
    EXPECT_EQ(settings.roles()[0].translateVersion, "개역한글");

    EXPECT_EQ(settings.praiseSelected(), 15);
    EXPECT_EQ(carousel->selectedTab(), 2);
    EXPECT_EQ(Utils::currentIndex, 2);
    // Turning to the new page takes the hit: the page shows the searched verse.
    EXPECT_TRUE(settings.foundSectionVerseAndPraiseArray().empty());
    EXPECT_TRUE(settings.newBibleViewPageCreating());
    EXPECT_EQ(settings.bookmarkArray().size(), 3u);
    EXPECT_EQ(pageStateFiles(test.context()), files(3));
}

TEST_F(CarouselViewPagesTest, AHitThatNamesNoVerseIsDroppedAndItsRecordBecomesAnOrdinaryPage) {
    openPages(2);
    std::size_t pages = 2;
    for (const std::string hit : {"5@2", "5@@2", "a@1@2", "1@2@x", "66@0@0", "-1@0@0", "0@50@0", "0@0@31"}) {
        SCOPED_TRACE(hit);
        settings.foundSectionVerseAndPraiseArray.set(testing::pageListKey(), {"", hit});
        settings.selectedBibleArray.modify(
            testing::pageListKey(), [](std::vector<BibleStructure>& records) { records.emplace_back(); });
        settle();
        ++pages;
        EXPECT_TRUE(errors().contains(QString::fromStdString("error " + hit)));
        EXPECT_TRUE(settings.foundSectionVerseAndPraiseArray().empty());
        // Every list has the page, and its record names Genesis 1 as a new record does.
        ASSERT_EQ(settings.roles().size(), pages);
        ASSERT_EQ(settings.selectedBibleArray().size(), pages);
        EXPECT_EQ(settings.bookmarkArray().size(), pages);
        EXPECT_EQ(settings.OverAllSectionQTRecord().size(), pages);
        EXPECT_EQ(settings.selectedBibleArray().back(), BibleStructure{});
        EXPECT_EQ(settings.roles().back().bibleSectionTitle, "창세기 1장");
        EXPECT_EQ(carousel->selectedTab(), 0);
    }
}

TEST_F(CarouselViewPagesTest, RecordsWithoutPageValuesGetThemWhenNoHitIsPending) {
    openPages(1);
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages.push_back(storedPage(0, 4, BibleKind::kr01, 0));
        pages.push_back(storedPage(42, 2, BibleKind::en01, 0));
    });
    settle();

    ASSERT_EQ(settings.roles().size(), 3u);
    EXPECT_EQ(settings.roles()[1].pageIndex.get(), 1);
    EXPECT_EQ(settings.roles()[2].pageIndex.get(), 2);
    EXPECT_EQ(settings.roles()[1].bibleSectionTitle, "창세기 5장");
    EXPECT_EQ(settings.roles()[2].bibleSectionTitle, "John 3");
    EXPECT_EQ(settings.OverAllSectionQTRecord(), std::vector<std::string>(3));
    EXPECT_EQ(settings.bookmarkArray().size(), 3u);

    // As many page values as records: nothing to do.
    carousel->fillNewPage(3);
    EXPECT_EQ(settings.roles().size(), 3u);
}

// --- The current page ---

TEST_F(CarouselViewPagesTest, TurningToAnotherPageReportsItOnce) {
    openPages(3);
    show(1);
    EXPECT_EQ(settings.selectedTab(), 1);
    EXPECT_EQ(Utils::currentIndex, 1);
    EXPECT_TRUE(carousel->readMemoOnce());
    EXPECT_TRUE(test.traceCapture().contains(QStringLiteral("selectedTab 1")));

    carousel->readMemoOnce.set(false);
    carousel->pageCellAppeared();
    EXPECT_EQ(settings.selectedTab(), 1);
    EXPECT_TRUE(carousel->readMemoOnce());

    EXPECT_EQ(carousel->pageCounterText(), "");
    isShrinked = true;
    EXPECT_EQ(carousel->pageCounterText(), "2 / 3");
    EXPECT_TRUE(carousel->isPageShown(0));
    carousel->tapPage();
    EXPECT_FALSE(isShrinked);
    EXPECT_FALSE(carousel->isPageShown(0));
    EXPECT_TRUE(carousel->isPageShown(1));
}

} // namespace
} // namespace lumenscroll
