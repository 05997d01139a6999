// The reading page's navigation through its reactions, driven by the manual scheduler: chapter
// steps, the two chooser sheets confirmed and dismissed, the page coming on screen and a page
// being added, and the note sections. Texts are made-up books in both translations.

#include "app/model/BibleBook.h"
#include "app/platform/SettingsStore.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/BibleView.h"
#include "app/reading/BibleViewReactions.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::pageStateFile;
using testing::RecordingScrollReader;
using Request = RecordingScrollReader::Request;

// Chapter `chapterIndex` of `book` as a load from the made-up texts gives it.
BibleStructure loadedRecord(std::int64_t book, std::int64_t chapterIndex, BibleKind kind) {
    const BibleBook found = *bibleBookFromRaw(book);
    const auto verses = versesPerChapter(found)[static_cast<std::size_t>(chapterIndex)];
    BibleStructure record = chapterRecord(book, chapterIndex, kind, static_cast<int>(verses));
    record.name = std::string(bookName(record.language, found));
    record.isOldTestment = isOldTestament(found);
    for (BiblePraise& verse : record.praises) {
        verse.word = testing::verseText(kind, chapterIndex + 1, verse.index + 1);
    }
    return record;
}

class BibleViewNavigation : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::int64_t book : {0, 1, 38, 39, 65}) {
            for (const BibleKind kind : {BibleKind::kr01, BibleKind::en01}) {
                const std::string text = testing::bookText(book, kind);
                ASSERT_TRUE(app.addResource(QString::fromStdString(TextResource::name(kind, book) + ".txt"),
                                            QByteArray::fromStdString(text)));
            }
        }
    }

    // Opens the given pages, each with its reactions, the first with its list's scroll reader.
    void open(const std::vector<BibleStructure>& records) {
        testing::openPages(settings, app.context(), records);
        settings.bookmarkArray.set(testing::pageListKey(), std::vector<std::vector<bool>>(records.size()));
        reactions.clear();
        for (const BibleView& page : settings.roles()) {
            reactions.push_back(std::make_unique<BibleViewReactions>(page));
        }
        reactions.front()->verseAreaAppear(reader);
        settle();
    }
    void settle() { app.manualScheduler().runReady(); }
    const BibleView& page(std::size_t i = 0) const { return reactions.at(i)->page(); }
    const BibleView& shown(std::size_t i = 0) const { return settings.roles()[i]; }
    const BibleStructure& record(std::size_t i = 0) const { return settings.selectedBibleArray()[i]; }
    void modifyShown(const std::function<void(BibleView&)>& change) {
        settings.roles.modify(testing::pageListKey(),
                              [&](std::vector<BibleView>& views) { change(views[0]); });
    }
    bool saved() { return pageStateFile(app.context(), 0).has_value(); }

    TestAppContext app;
    UserSettings settings;
    std::vector<std::unique_ptr<BibleViewReactions>> reactions;
    std::shared_ptr<RecordingScrollReader> reader = std::make_shared<RecordingScrollReader>();
};

TEST_F(BibleViewNavigation, TheChapterButtonsStepAcrossBooksAndStopAtTheEnds) {
    struct Step {
        std::int64_t book, chapter;
        bool forward;
        std::int64_t toBook, toChapter;
        std::string title;
    };
    const std::vector<Step> steps = {
        {1, 0, false, 0, 49, "창세기 50장"},
        {0, 1, false, 0, 0, "창세기 1장"},
        {38, 3, true, 39, 0, "마태복음 1장"},
        {65, 20, true, 65, 21, "요한계시록 22장"},
        {1, -3, false, 0, 49, "창세기 50장"},
        {0, -1, true, 0, 1, "창세기 2장"},
        // The ends, and a book that is none: nothing happens, nothing is saved.
        {0, 0, false, 0, 0, ""},
        {65, 21, true, 65, 21, ""},
        {70, 0, true, 70, 0, ""},
        {70, 0, false, 70, 0, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.book) + " " + std::to_string(step.chapter) +
                     (step.forward ? " >" : " <"));
        open({chapterRecord(step.book, step.chapter, BibleKind::kr01, 3),
              chapterRecord(0, 0, BibleKind::kr01, 3)});
        modifyShown([](BibleView& view) { view.QTOnOff = true; });
        const BibleStructure before = record();
        QFile::remove(testing::pageStateFilePath(app.context(), 0));

        step.forward ? reactions[0]->pressNextChapter() : reactions[0]->pressPreviousChapter();
        EXPECT_EQ(record(), before);
        settle();
        if (step.title.empty()) {
            EXPECT_EQ(record(), before);
            EXPECT_FALSE(saved());
            continue;
        }
        EXPECT_EQ(record(), loadedRecord(step.toBook, step.toChapter, BibleKind::kr01));
        EXPECT_EQ(shown().bibleSectionTitle, step.title);
        const std::size_t verses = record().praises.size();
        EXPECT_EQ(shown().isSelectedArray2, std::vector<bool>(verses, false));
        EXPECT_EQ(shown().QTOnOffForEachRow, std::vector<bool>(verses, true));
        EXPECT_EQ(settings.OverAllSectionQTRecord(), std::vector<std::string>(2));
        EXPECT_EQ(settings.memoLoaded().size(), 2u);
        EXPECT_EQ(shown().sectionAndVerseMovingType, 0);
        EXPECT_FALSE(shown().userSelectBibleSection);
        EXPECT_EQ(pageStateFile(app.context(), 0), record());
    }
}

TEST_F(BibleViewNavigation, AConfirmedChapterChoiceIsSavedWithItsVersesAndShowsAVerseItHas) {
    // A restored English page: its own kind state still says kr01.
    open({loadedRecord(0, 0, BibleKind::en01)});
    page().pressTitleCapsule();
    EXPECT_EQ(settings.kindOfBible(), BibleKind::kr01);
    settle();
    // The sheet lists the record's translation.
    EXPECT_EQ(settings.kindOfBible(), BibleKind::en01);

    BibleSelectionView sheet = page().chapterSheetContent();
    sheet.appear();
    // A verse of the long chapter first, then a shorter chapter of a New Testament book.
    sheet.tapVerse(30);
    sheet.tapBook(39);
    sheet.tapChapter(1);
    sheet.confirm();
    settle();
    const BibleStructure expected = loadedRecord(39, 1, BibleKind::en01);
    EXPECT_EQ(record(), expected);
    EXPECT_EQ(pageStateFile(app.context(), 0), expected);
    EXPECT_EQ(shown().bibleSectionTitle, "Matthew 2");
    EXPECT_EQ(shown().isSelectedArray2, std::vector<bool>(23, false));
    EXPECT_FALSE(shown().userSelectedBiblePraise);
    // Verse 31 is not in Matthew 2: two seconds later the list goes to its top.
    app.manualScheduler().advance(BibleViewReactions::chapterScrollDelay);
    ASSERT_FALSE(reader->requests.empty());
    EXPECT_EQ(reader->requests.back(), (Request{0, ScrollAnchor::top, false}));
}

TEST_F(BibleViewNavigation, ASheetClosedWithoutAChoiceChangesAndSavesNothing) {
    open({loadedRecord(0, 0, BibleKind::kr01)});
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].praises[2].bgColor = 3;
        pages[0].praises[2].bookmarked = true;
    });
    const BibleStructure before = record();
    page().pressTitleCapsule();
    settle();
    BibleSelectionView chapters = page().chapterSheetContent();
    chapters.tapBook(1);
    chapters.close();
    settle();
    // Even with a confirmation left from an earlier choice.
    modifyShown([](BibleView& view) { view.userSelectedBiblePraise = true; });
    page().pressTranslationCapsule();
    settle();
    page().translationSheetContent().close();
    settle();
    app.manualScheduler().advance(BibleViewReactions::chapterScrollDelay);
    EXPECT_EQ(record(), before);
    EXPECT_FALSE(saved());
    EXPECT_TRUE(reader->requests.empty());
}

TEST_F(BibleViewNavigation, AChosenTranslationIsLoadedSavedAndShownAtTheChosenVerse) {
    open({loadedRecord(0, 0, BibleKind::kr01)});
    modifyShown([](BibleView& view) { view.praiseIndex = 6; });
    page().pressTranslationCapsule();
    settle();
    page().translationSheetContent().choose(1);
    settle();
    EXPECT_EQ(record(), loadedRecord(0, 0, BibleKind::en01));
    EXPECT_EQ(pageStateFile(app.context(), 0), record());
    EXPECT_EQ(shown().bibleSectionTitle, "Genesis 1");
    EXPECT_EQ(shown().translateVersion, "KJV");
    EXPECT_FALSE(shown().userSelectedBiblePraise);
    EXPECT_EQ(reader->requests, (std::vector<Request>{{6, ScrollAnchor::top, false}}));
}

TEST_F(BibleViewNavigation, ComingOnScreenReadsEveryPageInItsOwnTranslationOnlyWhileAPageLacksItsValue) {
    BibleStructure korean = loadedRecord(0, 1, BibleKind::kr01);
    BibleStructure english = loadedRecord(1, 0, BibleKind::en01);
    for (BiblePraise& verse : english.praises) {
        verse.word.clear();
    }
    korean.praises[2].bgColor = 3;
    english.praises[1].bookmarked = true;
    open({korean, english});
    app.context().settings().setString(QStringLiteral("userEmail"), QStringLiteral("reader@example.org"));

    // Every page has its value: only the titles.
    page().appear();
    EXPECT_EQ(shown(1).bibleSectionTitle, "Exodus 1");
    EXPECT_EQ(record(1).praises[0].word, "");
    EXPECT_FALSE(settings.loadAllPagesOnce());

    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages.emplace_back(); });
    page().appear();
    EXPECT_EQ(record(0), korean);
    EXPECT_EQ(record(1).praises[0].word, " the word 1.1");
    EXPECT_TRUE(record(1).praises[1].bookmarked);
    EXPECT_EQ(settings.bookmarkArray().size(), 3u);
    EXPECT_TRUE(settings.bookmarkArray()[1][1]);
    EXPECT_EQ(shown().isSelectedArray2, std::vector<bool>(25, false));
    EXPECT_TRUE(settings.loadAllPagesOnce());
    EXPECT_EQ(settings.user()->email, "reader@example.org");
    EXPECT_FALSE(settings.user()->loginned);
}

TEST_F(BibleViewNavigation, OnlyTheNewestPageTakesANewPageInAndSaves) {
    open({loadedRecord(0, 0, BibleKind::kr01), loadedRecord(1, 0, BibleKind::en01)});
    settings.plusBible.set(true);
    settings.plusBible2.set(true);
    settle();
    EXPECT_FALSE(settings.plusBible());
    EXPECT_FALSE(settings.plusBible2());
    EXPECT_EQ(shown(1).kindOfBible, BibleKind::en01);
    EXPECT_EQ(shown(1).translateVersion, "KJV");
    EXPECT_EQ(shown(1).bibleSectionTitle, "Exodus 1");
    EXPECT_EQ(shown(0).kindOfBible, BibleKind::kr01);
    EXPECT_EQ(pageStateFile(app.context(), 1), record(1));
}

TEST_F(BibleViewNavigation, AVerseNoteSectionStandsWhereTheRowIsInNoteModeOrTheVerseHasANote) {
    open({loadedRecord(0, 0, BibleKind::kr01)});
    EXPECT_FALSE(page().isVerseNoteShown(0));
    modifyShown([](BibleView& view) { view.QTOnOff = true; });
    page().resetVerseFlags();
    EXPECT_TRUE(page().isVerseNoteShown(0));
    EXPECT_FALSE(page().isVerseNoteShown(31));

    modifyShown([](BibleView& view) {
        view.QTOnOffForEachRow.assign(31, false);
        view.qtContentForThisPage.assign(31, "");
    });
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].praises[3].hasMemo = true;
        pages[0].praises[3].setMemoContent("묵상");
    });
    EXPECT_TRUE(page().isVerseNoteShown(3));
    EXPECT_FALSE(page().isVerseNoteShown(4));
    // selectedTab published: the note text follows the verse's note.
    settings.selectedTab.set(0);
    EXPECT_EQ(shown().qtContentForThisPage[3], "묵상");
    EXPECT_EQ(shown().qtContentForThisPage[4], "");
}

} // namespace
} // namespace lumenscroll
