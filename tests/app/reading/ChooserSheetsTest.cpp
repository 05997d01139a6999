// The reading page's two chooser sheets, driven headless through bindings into the page's state
// in roles, as the page builds them; what the page sees is read when the sheet's flag falls,
// after the action, as the page's dismissal handler will see it.

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/PageHandle.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;

// What the page holds when a sheet closes.
struct Dismissal {
    bool confirmed;
    BibleStructure choice;
    std::int64_t verse;
    BibleKind kind;
};

// Two open pages: Genesis 1 in Korean, John 3 in English with a highlighted verse.
class ChooserSheets : public ::testing::Test {
protected:
    void SetUp() override {
        BibleStructure john = chapterRecord(42, 2, BibleKind::en01, 4, "For God");
        john.praises[1].bgColor = 3;
        testing::openPages(settings, app.context(), {chapterRecord(0, 0, BibleKind::kr01, 5, "태초에"), john});
        english.modifyView([](BibleView& view) { view.kindOfBible = BibleKind::en01; });
        watchers.observe(settings);
    }

    // Records the page's state each time `flag` falls.
    void watchSheet(bool BibleView::*flag) {
        watchers.watch([this, flag] { return english.view()->*flag; },
                       [this](bool shown) {
                           if (!shown) {
                               const BibleView& view = *english.view();
                               dismissals.push_back(
                                   {view.userSelectedBiblePraise, view.selectedPraise, view.praiseIndex, view.kindOfBible});
                           }
                       });
    }

    BibleSelectionView bookChooser(const PageHandle& page) {
        return BibleSelectionView(page.binding(&BibleView::showBibleSectionSelectionWindow),
                                  page.binding(&BibleView::selectedPraise), 0, 0, page.binding(&BibleView::praiseIndex),
                                  page.binding(&BibleView::userSelectedBiblePraise), settings, {},
                                  ColorScheme::light, true, Binding<std::int64_t>::constant(page.index()));
    }

    KindOfBibleSelectionView translationChooser() {
        return KindOfBibleSelectionView(english.binding(&BibleView::showBibleTranslateSelectionWindow),
                                        english.binding(&BibleView::selectedPraise), 0, 0, 0,
                                        english.binding(&BibleView::praiseIndex),
                                        english.binding(&BibleView::userSelectedBiblePraise),
                                        english.binding(&BibleView::kindOfBible), settings);
    }

    void settle() { app.manualScheduler().runReady(); }

    TestAppContext app;
    UserSettings settings;
    PageHandle korean{settings, 0};
    PageHandle english{settings, 1};
    ChangeWatchers watchers{app.manualScheduler()};
    std::vector<Dismissal> dismissals;
};

TEST_F(ChooserSheets, TheBookChooserOpensOnTheFirstBookInThePagesLanguageWithThePagesVerseMarked) {
    english.modifyView([](BibleView& view) { view.praiseIndex = 2; });
    english.view()->pressTitleCapsule();
    BibleSelectionView chooser = bookChooser(english);
    chooser.appear();
    EXPECT_EQ(english.view()->selectedPraise.kindOfBible, BibleKind::en01);
    EXPECT_EQ(chooser.bookCount(), 66);
    EXPECT_EQ(chooser.bookLabel(0), "Genesis");
    EXPECT_EQ(chooser.chapterCount(), 50);
    EXPECT_EQ(chooser.verseCount(), 31);
    EXPECT_TRUE(chooser.isBookMarked(0) && chooser.isChapterMarked(0) && chooser.isVerseMarked(2));
    EXPECT_EQ(chooser.verseLabel(2), "3절");

    // The shared state's kind decides the names; none means the page's own.
    const std::pair<std::optional<BibleKind>, std::string> kinds[] = {
        {BibleKind::kr01, "창세기"}, {BibleKind::kr02, "Genesis"}, {std::nullopt, "Genesis"}};
    for (const auto& [kind, name] : kinds) {
        settings.kindOfBible.set(kind);
        EXPECT_EQ(chooser.bookLabel(0), name);
    }
    EXPECT_EQ(bookChooser(korean).bookLabel(0), "창세기");
}

TEST_F(ChooserSheets, ConfirmingWritesTheChoiceIntoTheRecordRaisesTheConfirmationAndCloses) {
    watchSheet(&BibleView::showBibleSectionSelectionWindow);
    english.view()->pressTitleCapsule();
    settle();
    BibleSelectionView chooser = bookChooser(english);
    chooser.appear();
    chooser.tapBook(18);
    chooser.tapChapter(22);
    chooser.tapVerse(4);
    // The verse reaches the page at once; the rest waits for "이동".
    EXPECT_EQ(english.view()->praiseIndex, 4);
    EXPECT_EQ(english.view()->selectedPraise.order, -1);
    EXPECT_FALSE(chooser.wholeBibleSelected);

    // With no kind in the shared state the page's own is written.
    settings.kindOfBible.set(std::nullopt);
    chooser.confirm();
    settle();
    ASSERT_EQ(dismissals.size(), 1u);
    EXPECT_TRUE(dismissals[0].confirmed);
    EXPECT_EQ(dismissals[0].choice.order, 18);
    EXPECT_EQ(dismissals[0].choice.sectionIndex, 18);
    EXPECT_EQ(dismissals[0].choice.versesIndex, 22);
    EXPECT_EQ(dismissals[0].choice.kindOfBible, BibleKind::en01);
    EXPECT_EQ(dismissals[0].verse, 4);
    // Loading the choice is the page's work.
    EXPECT_EQ(english.record()->sectionIndex, 42);
}

TEST_F(ChooserSheets, ABookTappedStartsAtItsFirstChapterAndRowsNotListedAreIgnored) {
    BibleSelectionView chooser = bookChooser(english);
    chooser.tapBook(18);
    chooser.tapChapter(149);
    chooser.tapBook(65);
    EXPECT_EQ(chooser.selectedVerse, 0);
    EXPECT_EQ(chooser.chapterCount(), 22);
    EXPECT_EQ(chooser.verseCount(), 20);

    chooser.tapChapter(22);
    chooser.tapVerse(20);
    chooser.tapBook(66);
    EXPECT_EQ(chooser.selectedBibleSection, 65);
    EXPECT_EQ(chooser.selectedVerse, 0);
    EXPECT_EQ(english.view()->praiseIndex, 0);

    settings.bibleSectionCount.set(80);
    EXPECT_EQ(chooser.bookCount(), 66);
}

TEST_F(ChooserSheets, ClosingTheBookChooserLowersTheConfirmationAndKeepsTheVerseTapped) {
    watchSheet(&BibleView::showBibleSectionSelectionWindow);
    english.modifyView([](BibleView& view) { view.userSelectedBiblePraise = true; });
    english.view()->pressTitleCapsule();
    settle();
    BibleSelectionView chooser = bookChooser(english);
    chooser.appear();
    chooser.tapBook(3);
    chooser.tapVerse(2);
    chooser.close();
    settle();
    ASSERT_EQ(dismissals.size(), 1u);
    EXPECT_FALSE(dismissals[0].confirmed);
    EXPECT_EQ(dismissals[0].choice.order, -1);
    EXPECT_EQ(dismissals[0].verse, 2);
    EXPECT_TRUE(app.traceCapture().contains(QStringLiteral("selectedBibleObject.kindOfBible en01")));
}

TEST_F(ChooserSheets, ChoosingATranslationLeavesOneBlankVersePerVerseHandsTheKindOverAndCloses) {
    watchSheet(&BibleView::showBibleTranslateSelectionWindow);
    english.view()->pressTranslationCapsule();
    settle();
    KindOfBibleSelectionView chooser = translationChooser();
    ASSERT_EQ(chooser.rowCount(), 2);
    EXPECT_EQ(KindOfBibleSelectionView::rowLabel(0), "개역한글");
    EXPECT_EQ(KindOfBibleSelectionView::rowLabel(1), "KJV");

    chooser.choose(0);
    settle();
    ASSERT_EQ(dismissals.size(), 1u);
    EXPECT_TRUE(dismissals[0].confirmed);
    EXPECT_EQ(dismissals[0].kind, BibleKind::kr01);
    EXPECT_EQ(chooser.selectedKindOfBible, 0);
    // John 3 has 36 verses: all blank, each with a note of its own.
    const std::vector<BiblePraise>& blanks = dismissals[0].choice.praises;
    ASSERT_EQ(blanks.size(), 36u);
    std::set<const Memo*> memos;
    for (const BiblePraise& blank : blanks) {
        EXPECT_EQ(blank, BiblePraise{});
        memos.insert(blank.memo.get());
    }
    EXPECT_EQ(memos.size(), 36u);
    EXPECT_EQ(dismissals[0].choice.sectionIndex, 42);
}

TEST_F(ChooserSheets, ClosingLeavesTheRecordAndChoosingTheTranslationShownIsAChoiceLikeAnother) {
    watchSheet(&BibleView::showBibleTranslateSelectionWindow);
    const struct {
        const char* way;
        void (*leave)(KindOfBibleSelectionView&);
        bool confirmed;
    } cases[] = {
        {"its cross", [](KindOfBibleSelectionView& chooser) { chooser.close(); }, false},
        {"the translation shown", [](KindOfBibleSelectionView& chooser) { chooser.choose(1); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        // An earlier confirmation is still up.
        english.modifyView([](BibleView& view) { view.userSelectedBiblePraise = true; });
        english.view()->pressTranslationCapsule();
        settle();
        KindOfBibleSelectionView chooser = translationChooser();
        c.leave(chooser);
        settle();
        ASSERT_FALSE(dismissals.empty());
        EXPECT_EQ(dismissals.back().confirmed, c.confirmed);
        EXPECT_EQ(dismissals.back().kind, BibleKind::en01);
        // Chosen, the verses are John 3's 36, blank; closed, the record's own.
        const std::vector<BiblePraise> blanks(36);
        EXPECT_EQ(dismissals.back().choice.praises, c.confirmed ? blanks : english.record()->praises);
        EXPECT_EQ(english.record()->praises[1].bgColor, 3);
    }
    EXPECT_EQ(dismissals.size(), 2u);

    // A row the shared state does not provide does nothing at all.
    english.view()->pressTranslationCapsule();
    translationChooser().choose(2);
    EXPECT_TRUE(english.view()->showBibleTranslateSelectionWindow);
}

} // namespace
} // namespace lumenscroll
