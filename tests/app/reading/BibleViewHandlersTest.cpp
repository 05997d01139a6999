// The reading page's handlers, run headless on the page's state in roles: verse selection,
// highlight, bookmark, deselect, the verse list's handlers, the title and the page's buttons.

#include "app/platform/SettingsStore.h"
#include "app/reading/BibleView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::openPages;
using testing::pageStateFile;
using testing::RecordingScrollReader;

// Two open pages: Genesis 1 in Korean with 5 verses, John 3 in English with 4.
class BibleViewHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        openPages(settings, app.context(),
                  {chapterRecord(0, 0, BibleKind::kr01, 5, "태초에"), chapterRecord(42, 2, BibleKind::en01, 4, "For God")});
        settings.bookmarkArray.set(testing::pageListKey(),
                                   {std::vector<bool>(5, false), std::vector<bool>(4, false)});
    }

    // The page value a widget or a handler holds: a copy of the one in roles.
    BibleView page(std::size_t i) const { return settings.roles()[i]; }
    // The page's state as it lives in roles.
    const BibleView& shown(std::size_t i) const { return settings.roles()[i]; }
    const BibleStructure& record(std::size_t i) const { return settings.selectedBibleArray()[i]; }
    void modifyShown(std::size_t i, const std::function<void(BibleView&)>& change) {
        settings.roles.modify(testing::pageListKey(),
                              [&](std::vector<BibleView>& views) { change(views[i]); });
    }

    TestAppContext app;
    UserSettings settings;
};

TEST_F(BibleViewHandlers, ATapSelectsAVerseAndASecondTapDeselectsIt) {
    const BibleView copy = page(0);
    copy.tapVerse(2);
    EXPECT_EQ(shown(0).isSelectedArray2, (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(shown(0).lastSelectedIndex, 2);
    // The copy's own state is stale; the handlers never use it.
    EXPECT_TRUE(copy.isSelectedArray2.empty());
    EXPECT_EQ(copy.selectedVerseCount(), 1);

    copy.tapVerse(2);
    EXPECT_EQ(shown(0).isSelectedArray2, std::vector<bool>(5, false));
    EXPECT_EQ(copy.selectedVerseCount(), 0);
    // The other page is untouched.
    EXPECT_TRUE(shown(1).isSelectedArray2.empty());
}

TEST_F(BibleViewHandlers, ATapRaisesTheSelectionBarWhichShowsOnlyUnderTheOneSelectedVerseTappedLast) {
    const BibleView copy = page(0);
    EXPECT_FALSE(shown(0).showSelectionPopUpMenu);
    copy.tapVerse(1);
    EXPECT_TRUE(shown(0).showSelectionPopUpMenu);
    EXPECT_TRUE(copy.isSelectionBarShown(1));
    EXPECT_FALSE(copy.isSelectionBarShown(0));
    EXPECT_FALSE(copy.isSelectionBarShown(7));

    // Two selected verses: no bar anywhere, though it stays raised.
    copy.tapVerse(3);
    EXPECT_TRUE(shown(0).showSelectionPopUpMenu);
    EXPECT_FALSE(copy.isSelectionBarShown(1));
    EXPECT_FALSE(copy.isSelectionBarShown(3));

    // One selected again, but the tap was on another verse: still none.
    copy.tapVerse(1);
    EXPECT_FALSE(copy.isSelectionBarShown(3));
    EXPECT_FALSE(copy.isSelectionBarShown(1));

    // Deselected: the verse tapped last is not selected.
    copy.tapVerse(3);
    copy.tapVerse(3);
    EXPECT_TRUE(copy.isSelectionBarShown(3));
    copy.tapVerse(3);
    EXPECT_FALSE(copy.isSelectionBarShown(3));
}

TEST_F(BibleViewHandlers, ATapFirstMakesTheFlagsOnePerVerse) {
    modifyShown(0, [](BibleView& view) { view.isSelectedArray2 = {true, true}; });
    page(0).tapVerse(4);
    EXPECT_EQ(shown(0).isSelectedArray2, (std::vector<bool>{false, false, false, false, true}));

    // A row past the chapter flips nothing, and fails nothing.
    page(0).tapVerse(9);
    EXPECT_EQ(shown(0).isSelectedArray2, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(shown(0).lastSelectedIndex, 9);
}

TEST_F(BibleViewHandlers, ATapNeitherTouchesTheRecordNorSaves) {
    const std::vector<BibleStructure> before = settings.selectedBibleArray();
    page(0).tapVerse(0);
    page(0).deselectVerses();
    EXPECT_EQ(settings.selectedBibleArray(), before);
    EXPECT_FALSE(pageStateFile(app.context(), 0));
}

TEST_F(BibleViewHandlers, AClosedPageTakesNoWrites) {
    BibleView closed = page(0);
    closed.pageIndex = Binding<std::int64_t>::constant(5);
    int writes = 0;
    const Subscription counting = settings.publisher().sink([&] { ++writes; });
    closed.tapVerse(0);
    closed.highlight(0, 2);
    closed.toggleBookmark(0);
    closed.deselectVerses();
    closed.verseAreaAppeared();
    EXPECT_EQ(writes, 0);
    EXPECT_FALSE(closed.isSelectionBarShown(0));
    EXPECT_EQ(closed.shownTitle(), "");
    EXPECT_EQ(closed.shownTitlePhoto(), "");
    EXPECT_FALSE(closed.isTitleBlockShown());
}

TEST_F(BibleViewHandlers, HighlightSetsReplacesAndClearsAVersesColourAndSaves) {
    const BibleView copy = page(1);
    copy.highlight(2, 3);
    EXPECT_EQ(record(1).praises[2].bgColor, 3);
    // Saved at once: the mark survives a crash.
    std::optional<BibleStructure> saved = pageStateFile(app.context(), 1);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->praises[2].bgColor, 3);
    EXPECT_TRUE(app.context().settings().data(PageStatePersistence::selectedBibleArrayKey));

    copy.highlight(2, 11);
    EXPECT_EQ(record(1).praises[2].bgColor, 11);
    copy.highlight(2, 11);
    EXPECT_EQ(record(1).praises[2].bgColor, 0);
    EXPECT_EQ(pageStateFile(app.context(), 1)->praises[2].bgColor, 0);

    // Colours outside the list, and verses outside the chapter, change nothing.
    copy.highlight(2, 12);
    copy.highlight(2, -1);
    copy.highlight(4, 1);
    EXPECT_EQ(record(1).praises[2].bgColor, 0);
    EXPECT_EQ(record(1).praises[3].bgColor, 0);
}

TEST_F(BibleViewHandlers, BookmarkFlipsTheVerseAndItsBookmarkRowAndSaves) {
    const BibleView copy = page(0);
    copy.toggleBookmark(3);
    EXPECT_TRUE(record(0).praises[3].bookmarked);
    EXPECT_EQ(settings.bookmarkArray()[0], (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(settings.bookmarkArray()[1], std::vector<bool>(4, false));
    std::optional<BibleStructure> saved = pageStateFile(app.context(), 0);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->praises[3].bookmarked);

    copy.toggleBookmark(3);
    EXPECT_FALSE(record(0).praises[3].bookmarked);
    EXPECT_EQ(settings.bookmarkArray()[0], std::vector<bool>(5, false));
    EXPECT_FALSE(pageStateFile(app.context(), 0)->praises[3].bookmarked);

    // Without a bookmark row for the page only the verse flips.
    settings.bookmarkArray.set(testing::pageListKey(), {{}});
    page(1).toggleBookmark(0);
    EXPECT_TRUE(record(1).praises[0].bookmarked);
    EXPECT_EQ(settings.bookmarkArray(), (std::vector<std::vector<bool>>{{}}));
}

TEST_F(BibleViewHandlers, DeselectClearsTheSelectionAndLowersTheBarButKeepsTheMarks) {
    const BibleView copy = page(0);
    copy.highlight(1, 2);
    copy.toggleBookmark(1);
    copy.tapVerse(1);
    copy.tapVerse(2);
    EXPECT_EQ(copy.selectedVerseCount(), 2);

    copy.deselectVerses();
    EXPECT_EQ(shown(0).isSelectedArray2, std::vector<bool>(5, false));
    EXPECT_FALSE(shown(0).showSelectionPopUpMenu);
    EXPECT_EQ(record(0).praises[1].bgColor, 2);
    EXPECT_TRUE(record(0).praises[1].bookmarked);
}

// The verse area reading the text of a page that has none, from (made-up) resources.
class VerseAreaLoading : public BibleViewHandlers {
protected:
    void SetUp() override {
        BibleViewHandlers::SetUp();
        ASSERT_TRUE(
            app.addResource("43John.txt", QByteArray::fromStdString(testing::bookText(42, BibleKind::en01))));
        ASSERT_TRUE(app.addResource("01창세기.txt",
                                    QByteArray::fromStdString(testing::bookText(0, BibleKind::kr01))));
    }
};

TEST_F(VerseAreaLoading, AChapterWithoutVersesGetsItsVersesInItsOwnTranslationAndKeepsEverythingElse) {
    BibleStructure john;
    john.versesIndex = 2;
    john.order = 42;
    john.language = "en";
    john.name = "John";
    john.isOldTestment = false;
    john.sectionIndex = 42;
    john.kindOfBible = BibleKind::en01;
    john.matchingIndexToMemo = 7;
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [&](std::vector<BibleStructure>& pages) { pages[1] = john; });

    page(1).verseAreaAppeared();

    const BibleStructure& loaded = record(1);
    ASSERT_EQ(loaded.praises.size(), 36u);
    EXPECT_EQ(loaded.praises[0].word, " the word 3.1");
    EXPECT_EQ(loaded.praises[35].word, " the word 3.36");
    BibleStructure rest = loaded;
    rest.praises.clear();
    EXPECT_EQ(rest, john);
    EXPECT_EQ(shown(1).isSelectedArray2, std::vector<bool>(36, false));
    // The other page is as it was.
    EXPECT_EQ(record(0).praises.size(), 5u);
    EXPECT_TRUE(app.traceCapture().contains("userSettings.selectedBibleArray.count 2"));
    EXPECT_TRUE(app.traceCapture().contains("userSettings.selectedBibleArray[0].praises.count 5"));
}

TEST_F(VerseAreaLoading, AChapterIndexOfMinusOneReadsTheFirstChapter) {
    BibleStructure fresh;
    fresh.versesIndex = -1;
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [&](std::vector<BibleStructure>& pages) { pages[0] = fresh; });
    page(0).verseAreaAppeared();
    ASSERT_EQ(record(0).praises.size(), 31u);
    EXPECT_EQ(record(0).praises[0].word, " word 1.1");
    EXPECT_EQ(record(0).versesIndex, -1);
    EXPECT_EQ(record(0).order, -1);
}

TEST_F(VerseAreaLoading, AChapterWithVersesIsNotReadAgainButItsFlagsAreSized) {
    const std::vector<BibleStructure> before = settings.selectedBibleArray();
    modifyShown(0, [](BibleView& view) { view.isSelectedArray2 = {true}; });
    page(0).verseAreaAppeared();
    EXPECT_EQ(settings.selectedBibleArray(), before);
    EXPECT_EQ(shown(0).isSelectedArray2, std::vector<bool>(5, false));
}

TEST_F(VerseAreaLoading, ATranslationWithoutTextLeavesTheRecordAlone) {
    BibleStructure other = chapterRecord(0, 0, BibleKind::kr03, 0);
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [&](std::vector<BibleStructure>& pages) { pages[0] = other; });
    page(0).verseAreaAppeared();
    EXPECT_EQ(record(0), other);
    EXPECT_TRUE(shown(0).isSelectedArray2.empty());
}

TEST_F(BibleViewHandlers, TheSearchClosingWithHitsAddsTheSlotForTheNewPageAndSaves) {
    page(0).searchBtnPressedChanged(false);
    page(0).searchBtnPressedChanged(true);
    EXPECT_EQ(settings.selectedBibleArray->size(), 2u);
    EXPECT_FALSE(pageStateFile(app.context(), 0));

    settings.foundSectionVerseAndPraiseArray.set(testing::pageListKey(), {"창세기 1:1"});
    page(0).searchBtnPressedChanged(true);
    EXPECT_EQ(settings.selectedBibleArray->size(), 2u);
    page(0).searchBtnPressedChanged(false);
    ASSERT_EQ(settings.selectedBibleArray->size(), 3u);
    EXPECT_EQ(record(2), BibleStructure{});
    EXPECT_TRUE(pageStateFile(app.context(), 2));
}

TEST_F(BibleViewHandlers, AChapterStepPutsTheChosenVerseIntoTheFirstVerse) {
    modifyShown(0, [](BibleView& view) { view.praiseIndex = 3; });
    EXPECT_EQ(page(0).userSelectBibleSectionChanged(), 3);
    EXPECT_EQ(record(0).praises[0].index, 3);
    EXPECT_TRUE(app.traceCapture().contains("userSettings.selectedBibleArray[pageIndex].praises[0].index 3"));
    EXPECT_TRUE(app.traceCapture().contains("userSettings.selectedBibleArray[pageIndex].praises.count 5"));

    // Without verses nothing is written and the list goes to the top.
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[0].praises.clear(); });
    EXPECT_EQ(page(0).userSelectBibleSectionChanged(), 0);
}

TEST_F(BibleViewHandlers, TheNewestPageShowsAndSelectsTheVerseTheSearchChose) {
    auto reader = std::make_shared<RecordingScrollReader>();
    page(1).keepScrollReader(reader);
    modifyShown(1, [](BibleView& view) {
        view.isSelectedArray2.assign(4, false);
        view.praiseIndexChanged = true;
    });
    settings.praiseSelected.set(2);

    page(1).praiseIndexChangedTo(true);
    EXPECT_EQ(reader->requests, (std::vector<RecordingScrollReader::Request>{{2, ScrollAnchor::top, false}}));
    EXPECT_EQ(shown(1).isSelectedArray2, (std::vector<bool>{false, false, true, false}));
    EXPECT_FALSE(shown(1).praiseIndexChanged);
    EXPECT_TRUE(settings.executedOnce());
    EXPECT_TRUE(app.traceCapture().contains("bibleViewFixedIndex 1"));
    EXPECT_TRUE(app.traceCapture().contains(" == userSettings.praiseSelected 2"));
}

TEST_F(BibleViewHandlers, OnlyTheNewestPageShowsTheSearchedVerseAndOnlyWhenItIsThere) {
    auto reader = std::make_shared<RecordingScrollReader>();
    page(0).keepScrollReader(reader);
    settings.praiseSelected.set(1);

    page(0).praiseIndexChangedTo(false);
    EXPECT_FALSE(settings.executedOnce());

    // Page 0 is not the newest page: no scroll, no selection; its flag is lowered, and the
    // newest page may still take the announcement.
    modifyShown(0, [](BibleView& view) { view.praiseIndexChanged = true; });
    page(0).praiseIndexChangedTo(true);
    EXPECT_TRUE(reader->requests.empty());
    EXPECT_TRUE(shown(0).isSelectedArray2.empty());
    EXPECT_FALSE(shown(0).praiseIndexChanged);
    EXPECT_FALSE(settings.executedOnce());

    // The newest page with a verse beyond its chapter.
    page(1).keepScrollReader(reader);
    settings.praiseSelected.set(4);
    page(1).praiseIndexChangedTo(true);
    EXPECT_TRUE(reader->requests.empty());
    EXPECT_TRUE(shown(1).isSelectedArray2.empty());
}

TEST_F(BibleViewHandlers, ANewPageForASearchHitResetsTheSelectionOnce) {
    modifyShown(1, [](BibleView& view) { view.isSelectedArray2 = {true}; });
    EXPECT_FALSE(page(1).receiveNewBibleViewPageCreating(false));
    EXPECT_EQ(shown(1).isSelectedArray2, std::vector<bool>{true});

    EXPECT_TRUE(page(1).receiveNewBibleViewPageCreating(true));
    EXPECT_EQ(shown(1).isSelectedArray2, std::vector<bool>(4, false));
    EXPECT_TRUE(shown(1).praiseIndexChanged);
    EXPECT_TRUE(app.traceCapture().contains("pageIndex 1"));
    EXPECT_TRUE(app.traceCapture().contains("isSelectedArray.count 4"));

    // Once the searched verse was shown, nothing more.
    settings.executedOnce.set(true);
    EXPECT_FALSE(page(1).receiveNewBibleViewPageCreating(true));
    EXPECT_TRUE(shown(1).praiseIndexChanged);
}

TEST_F(BibleViewHandlers, TheTitleIsTheBookNameAndTheChapterNumberWithJangOnlyInKorean) {
    page(0).rebuildTitle();
    EXPECT_EQ(shown(0).bibleSectionTitle, "창세기 1장");
    page(1).rebuildTitle();
    EXPECT_EQ(shown(1).bibleSectionTitle, "John 3");
    EXPECT_TRUE(app.traceCapture().contains("chapter John"));
    EXPECT_TRUE(app.traceCapture().contains("verse 3"));

    // The chapter number is the chapter index + 1; a negative index is chapter 1.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].versesIndex = 49;
        pages[1].versesIndex = -1;
    });
    page(0).rebuildTitle();
    page(1).rebuildTitle();
    EXPECT_EQ(shown(0).bibleSectionTitle, "창세기 50장");
    EXPECT_EQ(shown(1).bibleSectionTitle, "John 1");

    // kr01 and en01 set the record's language; other kinds keep theirs and title in it.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].language = "en";
        pages[1].kindOfBible = BibleKind::en02;
        pages[1].language = "kr";
    });
    page(0).rebuildTitle();
    page(1).rebuildTitle();
    EXPECT_EQ(record(0).language, "kr");
    EXPECT_EQ(shown(0).bibleSectionTitle, "창세기 50장");
    EXPECT_EQ(record(1).language, "kr");
    EXPECT_EQ(shown(1).bibleSectionTitle, "요한복음 1장");

    // A book outside the table keeps the title there is.
    settings.selectedBibleArray.modify(
        testing::pageListKey(), [](std::vector<BibleStructure>& pages) { pages[0].sectionIndex = 66; });
    page(0).rebuildTitle();
    EXPECT_EQ(shown(0).bibleSectionTitle, "창세기 50장");
}

TEST_F(BibleViewHandlers, AChapterStepsRaisedFlagRebuildsTheTitleAndIsLowered) {
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[1].versesIndex = 3; });
    modifyShown(1, [](BibleView& view) { view.userSelectBibleSection = true; });
    page(1).userSelectBibleSectionRaised(false);
    EXPECT_EQ(shown(1).bibleSectionTitle, "창세기 1장");

    page(1).userSelectBibleSectionRaised(true);
    EXPECT_EQ(shown(1).bibleSectionTitle, "John 4");
    EXPECT_FALSE(shown(1).userSelectBibleSection);
}

TEST_F(BibleViewHandlers, OnlyTheNewestPagesLabelFollowsItsTranslation) {
    page(0).updateTranslationLabel(BibleKind::en01);
    EXPECT_EQ(shown(0).translateVersion, "개역한글");
    EXPECT_EQ(shown(0).kindOfBible, BibleKind::kr01);

    page(1).updateTranslationLabel(BibleKind::en01);
    EXPECT_EQ(shown(1).translateVersion, "KJV");
    EXPECT_EQ(shown(1).kindOfBible, BibleKind::en01);
    page(1).updateTranslationLabel(BibleKind::kr03);
    EXPECT_EQ(shown(1).translateVersion, "KJV");
    page(1).updateTranslationLabel(BibleKind::kr01);
    EXPECT_EQ(shown(1).translateVersion, "개역한글");
}

TEST_F(BibleViewHandlers, WhatThePageShowsComesFromItsStateAndRecord) {
    modifyShown(1, [](BibleView& view) { view.bibleSectionTitle = "John 3"; });
    EXPECT_EQ(page(1).shownTitle(), "John 3");
    EXPECT_EQ(page(1).shownTitlePhoto(), "TopArea1");
    EXPECT_EQ(page(1).shownTranslation(), "KJV");
    EXPECT_EQ(page(0).shownTranslation(), "개역한글");
    EXPECT_TRUE(page(1).isTitleBlockShown());
}

TEST_F(BibleViewHandlers, TheCapsulesOpenTheirSheets) {
    page(1).pressTranslationCapsule();
    EXPECT_TRUE(shown(1).showBibleTranslateSelectionWindow);
    EXPECT_EQ(shown(1).selectedPraise, record(1));
    EXPECT_TRUE(app.traceCapture().contains("--- selectedPraise.sectionIndex 42"));
    // While the sheet is up the copy is left alone.
    modifyShown(1, [](BibleView& view) { view.selectedPraise.versesIndex = 9; });
    page(1).pressTranslationCapsule();
    EXPECT_FALSE(shown(1).showBibleTranslateSelectionWindow);
    EXPECT_EQ(shown(1).selectedPraise.versesIndex, 9);

    settings.kindOfBible.set(std::nullopt);
    modifyShown(1, [](BibleView& view) { view.kindOfBible = BibleKind::en01; });
    page(1).pressTitleCapsule();
    EXPECT_EQ(settings.kindOfBible(), BibleKind::en01);
    EXPECT_TRUE(shown(1).showBibleSectionSelectionWindow);
    page(1).pressTitleCapsule();
    EXPECT_FALSE(shown(1).showBibleSectionSelectionWindow);
}

TEST_F(BibleViewHandlers, TappingTheTitlePhotoTwiceShrinksAndGrowsTheCarousel) {
    bool shrunk = false;
    BibleView copy = page(0);
    copy.isShrinkStatus = Binding<bool>::to(shrunk);
    copy.tapTitlePhoto();
    EXPECT_TRUE(shrunk);
    copy.tapTitlePhoto();
    EXPECT_FALSE(shrunk);
}

TEST_F(BibleViewHandlers, ThePreferencesAndTheAboutViewNeverStandTogether) {
    int writes = 0;
    const Subscription counting = settings.publisher().sink([&] { ++writes; });
    page(0).settingsViewAppeared();
    page(0).aboutViewAppeared();
    EXPECT_EQ(writes, 0);

    settings.aboutViewBtnPressed.set(true);
    settings.settingsViewBtnPressed.set(true);
    page(0).settingsViewAppeared();
    EXPECT_FALSE(settings.aboutViewBtnPressed());
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    settings.aboutViewBtnPressed.set(true);
    page(0).aboutViewAppeared();
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_TRUE(settings.aboutViewBtnPressed());
}

TEST_F(BibleViewHandlers, EscapeClosesWhatStandsInFrontOneLayerAPressFrontmostFirst) {
    modifyShown(0, [](BibleView& view) { view.searchBtnPressed = true; });
    modifyShown(1, [](BibleView& view) {
        view.searchBtnPressed = true;
        view.showBibleSectionSelectionWindow = true;
        view.showBibleTranslateSelectionWindow = true;
        view.userSelectedBiblePraise = true;
    });
    settings.settingsViewBtnPressed.set(true);
    settings.aboutViewBtnPressed.set(true);

    using Front = BibleView::Front;
    const BibleView copy = page(1);
    for (const Front expected :
         {Front::translationSheet, Front::chapterSheet, Front::about, Front::settings, Front::search}) {
        EXPECT_EQ(copy.frontmost(), expected);
        EXPECT_TRUE(copy.closeFrontmost());
    }
    EXPECT_EQ(copy.frontmost(), Front::none);
    EXPECT_FALSE(copy.closeFrontmost());
    // Each as its close button: a sheet closed so makes no choice.
    EXPECT_FALSE(shown(1).userSelectedBiblePraise);
    EXPECT_FALSE(shown(1).showBibleSectionSelectionWindow || shown(1).showBibleTranslateSelectionWindow);
    EXPECT_FALSE(settings.settingsViewBtnPressed() || settings.aboutViewBtnPressed());
    // The other page's search is its own.
    EXPECT_TRUE(shown(0).searchBtnPressed);
}

TEST_F(BibleViewHandlers, TheUpAndDownButtonsScrollToTheFirstAndTheLastVerse) {
    page(0).scrollToFirstVerse();
    auto reader = std::make_shared<RecordingScrollReader>();
    page(0).keepScrollReader(reader);
    EXPECT_EQ(page(0).scrollReader(), reader);
    settings.selectedBibleArray.modify(
        testing::pageListKey(), [](std::vector<BibleStructure>& pages) { pages[0].praises[0].index = 3; });
    page(0).scrollToFirstVerse();
    page(0).scrollToLastVerse();
    EXPECT_EQ(reader->requests,
              (std::vector<RecordingScrollReader::Request>{{3, ScrollAnchor::top, true}, {4, ScrollAnchor::center, true}}));

    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[0].praises.clear(); });
    page(0).scrollToFirstVerse();
    page(0).scrollToLastVerse();
    EXPECT_EQ(reader->requests.size(), 2u);
}

TEST_F(BibleViewHandlers, PageHandleBindsAStateFieldOfThePageInRoles) {
    const Binding<bool> search = PageHandle(settings, 1).binding(&BibleView::searchBtnPressed);
    search.set(true);
    EXPECT_TRUE(shown(1).searchBtnPressed);
    EXPECT_FALSE(shown(0).searchBtnPressed);
    EXPECT_TRUE(search.get());

    const Binding<bool> missing = PageHandle(settings, 2).binding(&BibleView::searchBtnPressed);
    missing.set(true);
    EXPECT_FALSE(missing.get());
    EXPECT_EQ(settings.roles->size(), 2u);
}

} // namespace
} // namespace lumenscroll
