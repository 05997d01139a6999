#include "SearchTestSupport.h"

#include "app/model/BibleStructure.h"
#include "testing/reading/PageListKeyForTests.h"

namespace lumenscroll::testing {
namespace {

using Lines = std::vector<std::string>;

class SearchHandlersTest : public SearchPageTest {
protected:
    // Two hits as a search leaves them.
    void listHits() {
        page->foundWordArray.set({"[창세기 1:1]  태초에", "[창세기 1:2]  땅이"});
        page->foundWordLocation.set({"0@0@0", "0@0@1"});
    }
    void openPages(std::size_t count) {
        settings.selectedBibleArray.set(testing::pageListKey(), std::vector<BibleStructure>(count));
    }
};

TEST_F(SearchHandlersTest, OpeningAHitLeavesItForTheHostingPageAndCloses) {
    openPages(1);
    listHits();
    page->kindOfBible.set(BibleKind::en01);
    settings.kindOfBible.set(std::nullopt);
    page->openHit(1);
    // One entry for the hosting page, one for the page the hit is about to open.
    EXPECT_EQ(settings.foundSectionVerseAndPraiseArray(), (Lines{"0@0@1", ""}));
    EXPECT_EQ(settings.kindOfBible(), BibleKind::en01);
    EXPECT_FALSE(openSearch);
    EXPECT_TRUE(test.traceCapture().contains(
        QStringLiteral("userSettings.foundSectionVerseAndPraiseArray[pageIndex] 0@0@1")));
    EXPECT_TRUE(test.traceCapture().contains(
        QStringLiteral("userSettings.foundSectionVerseAndPraiseArray[pageIndex].count 5")));
}

TEST_F(SearchHandlersTest, ThePendingHitsStayOnePerPage) {
    openPages(3);
    listHits();
    page->openHit(0);
    EXPECT_EQ(settings.foundSectionVerseAndPraiseArray(), (Lines{"0@0@0", "", "", ""}));
    pageIndex = 2;
    settings.foundSectionVerseAndPraiseArray.set(testing::pageListKey(), {});
    page->openHit(0);
    EXPECT_EQ(settings.foundSectionVerseAndPraiseArray(), (Lines{"", "", "0@0@0", ""}));
}

TEST_F(SearchHandlersTest, AHitThatIsNotListedOrNamesNoVerseOpensNothing) {
    openPages(1);
    listHits();
    page->openHit(2);
    page->openHit(-1);
    page->foundWordLocation.set({"66@0@0", "0@0"});
    page->openHit(0);
    page->openHit(1);
    EXPECT_TRUE(test.traceCapture().contains(QStringLiteral("error 66@0@0")));
    EXPECT_TRUE(test.traceCapture().contains(QStringLiteral("error 0@0")));
    // The list was emptied by an edit of the query: the locators left are stale.
    listHits();
    page->foundWordArray.set({});
    page->openHit(0);
    EXPECT_TRUE(settings.foundSectionVerseAndPraiseArray->empty());
    EXPECT_TRUE(openSearch);
}

TEST_F(SearchHandlersTest, EditingTheQueryOrTheTranslationEmptiesTheList) {
    listHits();
    // Before any search an edit changes nothing.
    page->searchWord.set("태");
    settle();
    EXPECT_EQ(page->foundWordArray->size(), 2U);

    page->searchBtnClicked.set(true);
    page->textSearched.set("태초");
    page->searchWord.set("태초");
    settle();
    EXPECT_EQ(page->foundWordArray->size(), 2U);
    page->searchWord.set("태초에");
    settle();
    EXPECT_TRUE(page->foundWordArray->empty());
    EXPECT_EQ(page->foundWordLocation->size(), 2U);

    listHits();
    page->kindOfBible.set(BibleKind::en01);
    settle();
    EXPECT_TRUE(page->foundWordArray->empty());
    EXPECT_EQ(settings.kindOfBible(), BibleKind::en01);
}

TEST_F(SearchHandlersTest, AppearingTakesTheSharedTranslationAndShowsThePrompt) {
    settings.kindOfBible.set(BibleKind::en01);
    settings.pickerIndex.set(11);
    settings.executedOnce.set(true);
    EXPECT_EQ(page->message(), SearchBibleView::Message::none);
    page->appear();
    settle();
    EXPECT_EQ(page->kindOfBible(), BibleKind::en01);
    EXPECT_TRUE(page->searchBar.isFocused);
    EXPECT_EQ(page->fontSize(), 35);
    EXPECT_FALSE(settings.executedOnce());
    EXPECT_EQ(page->message(), SearchBibleView::Message::prompt);
    EXPECT_EQ(page->headerPhoto(), "TopArea" + std::to_string(page->imageIndex() + 1));

    // No shared translation reads as 개역한글.
    settings.kindOfBible.set(std::nullopt);
    page->appear();
    settle();
    EXPECT_EQ(page->kindOfBible(), BibleKind::kr01);
    EXPECT_EQ(settings.kindOfBible(), BibleKind::kr01);
}

TEST_F(SearchHandlersTest, FontSettingsFallBackToTheirDefaults) {
    SettingsStore& defaults = test.context().settings();
    page->loadFontSettings();
    EXPECT_EQ(defaults.integer(QStringLiteral("fontSize")), 2);
    EXPECT_TRUE(defaults.hasValue(QStringLiteral("fontColor")));
    EXPECT_TRUE(defaults.hasValue(QStringLiteral("font")));
    EXPECT_EQ(page->fontSize(), 14);
    EXPECT_EQ(page->fontKind(), "BMDoHyeon");

    // Choices outside the tables, as an old or edited default may hold.
    defaults.setInteger(QStringLiteral("fontSize"), 40);
    defaults.setInteger(QStringLiteral("fontColor"), 13);
    defaults.setInteger(QStringLiteral("font"), -1);
    page->loadFontSettings();
    EXPECT_EQ(page->fontSize(), 14);
    EXPECT_EQ(page->fontColor(), NamedColor::black);
    EXPECT_EQ(page->fontKind(), "BMDoHyeon");

    defaults.setInteger(QStringLiteral("fontColor"), 1);
    defaults.setInteger(QStringLiteral("font"), 5);
    page->loadFontSettings();
    EXPECT_EQ(page->fontColor(), NamedColor::blue);
    EXPECT_EQ(page->hitFont()->fileName, "BMHANNAAir");
}

TEST_F(SearchHandlersTest, TheRowsUseTheFirstFontUntilOneIsApplied) {
    settings.pickerIndex3.set(5);
    EXPECT_EQ(page->hitFont()->fileName, "BMDoHyeon");
    page->applyFontKind();
    EXPECT_EQ(page->hitFont()->fileName, "BMHANNAAir");
}

TEST_F(SearchHandlersTest, ClosingThePageOrTheChooser) {
    page->closeSearchPage();
    EXPECT_FALSE(openSearch);

    page->kindOfBible.set(BibleKind::en01);
    page->showBibleTranslateSelectionWindow.set(true);
    settle();
    page->chooser().close();
    settle();
    EXPECT_EQ(test.traceCapture().lines().count(QStringLiteral("kindOfBible = en01")), 2);
}

} // namespace
} // namespace lumenscroll::testing
