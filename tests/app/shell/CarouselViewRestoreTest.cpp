// Restoring the pages at launch: the first run, pages in both translations with their marks,
// the Option key, stored values that do not decode, pages without text or with a shorter text,
// and once per process.
// What one launch leaves for the next is in CarouselViewLaunchesTest.

#include "CarouselViewTestSupport.h"

#include "app/model/BibleBook.h"
#include "app/reading/PageStatePersistence.h"
#include "testing/reading/PageListKeyForTests.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <span>

namespace lumenscroll {
namespace {

using testing::backupBytes;
using testing::backupFiles;
using testing::loadStartUpChapter;
using testing::pageStateFiles;
using testing::storedPage;
using testing::storedPageList;
using testing::storePageList;
using testing::storeTexts;

std::int64_t verseCount(BibleBook book, std::size_t chapterIndex) {
    return versesPerChapter(book)[chapterIndex];
}

// A book's text file has a line for every verse of the table.
QString lineCount(BibleBook book) {
    const std::span<const std::int64_t> verses = versesPerChapter(book);
    return QString::number(std::accumulate(verses.begin(), verses.end(), std::int64_t{0}));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<bool> flagsOf(const BibleStructure& page) {
    std::vector<bool> flags;
    for (const BiblePraise& verse : page.praises) {
        flags.push_back(verse.bookmarked);
    }
    return flags;
}

// A backup of `key` for `reason`, named by the date and time it was made.
bool isBackupName(const QString& name, const QString& key, const QString& reason) {
    static const QString pattern = QStringLiteral("^%1\\.%2-\\d{8}-\\d{6}(-\\d+)?\\.json$");
    return QRegularExpression(pattern.arg(QRegularExpression::escape(key), reason)).match(name).hasMatch();
}

class CarouselViewRestoreTest : public testing::CarouselViewTestBase {
protected:
    const std::vector<BibleStructure>& pages() const { return settings.selectedBibleArray(); }
    const std::vector<BibleView>& views() const { return settings.roles(); }
    bool hasStoredPageList() {
        return test.context().settings().hasValue(PageStatePersistence::selectedBibleArrayKey);
    }
};

TEST_F(CarouselViewRestoreTest, AFirstRunOpensGenesisOneOnceAndSavesNothing) {
    loadStartUpChapter(settings, test.context());
    ASSERT_EQ(settings.BibleWordsContainer()[0][0].praises.size(), 31u);
    carousel->appear();
    settle();

    ASSERT_EQ(views().size(), 1u);
    ASSERT_EQ(pages().size(), 1u);
    const BibleStructure& page = pages()[0];
    EXPECT_EQ(page.order, 0);
    EXPECT_EQ(page.sectionIndex, 0);
    EXPECT_EQ(page.versesIndex, 0);
    EXPECT_EQ(page.name, "창세기");
    EXPECT_EQ(page.language, "kr");
    EXPECT_EQ(page.kindOfBible, BibleKind::kr01);
    // Once, not the start-up loader's verses and the resource's verses after them.
    ASSERT_EQ(page.praises.size(), 31u);
    EXPECT_TRUE(contains(page.praises[0].word, "태초에"));
    EXPECT_TRUE(contains(page.praises[30].word, "심히 좋았더라"));
    EXPECT_EQ(settings.BibleWordsContainer()[0][0].versesIndex, 0);

    EXPECT_EQ(views()[0].bibleSectionTitle, "창세기 1장");
    EXPECT_EQ(views()[0].translateVersion, "개역한글");
    EXPECT_EQ(views()[0].pickedPhotoName.get(), "TopArea2");
    EXPECT_EQ(views()[0].selectedBible, page);
    EXPECT_EQ(settings.selectedBible(), page);
    EXPECT_EQ(settings.bookmarkArray(), std::vector<std::vector<bool>>{std::vector<bool>(31, false)});
    EXPECT_EQ(settings.OverAllSectionQTRecord(), std::vector<std::string>{""});

    EXPECT_TRUE(pagesRestored);
    EXPECT_FALSE(hasStoredPageList());
    EXPECT_TRUE(pageStateFiles(test.context()).isEmpty());
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(CarouselViewRestoreTest, TheRestoreRunsOncePerProcessNotOnEveryAppearance) {
    loadStartUpChapter(settings, test.context());
    carousel->appear();
    settle();
    ASSERT_EQ(pages().size(), 1u);
    // What the user did since must survive the carousel coming on screen again.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& records) {
        records[0].praises[4].bgColor = 3;
    });
    storePageList(test.context(),
                  {storedPage(42, 2, BibleKind::en01, 36), storedPage(0, 1, BibleKind::kr01, 25)});

    carousel->appear();
    carousel->restorePages();
    std::unique_ptr<CarouselView> second = makeCarousel(settings);
    second->appear();
    settle();

    ASSERT_EQ(views().size(), 1u);
    ASSERT_EQ(pages().size(), 1u);
    EXPECT_EQ(pages()[0].praises.size(), 31u);
    EXPECT_EQ(pages()[0].praises[4].bgColor, 3);
    EXPECT_EQ(storedPageList(test.context())->size(), 2u);
}

TEST_F(CarouselViewRestoreTest, PagesInBothTranslationsComeBackWithTheirMarksAndAreSaved) {
    BibleStructure genesis = storedPage(0, 1, BibleKind::kr01, 25);
    genesis.praises[0].bookmarked = true;
    genesis.praises[3].bgColor = 4;
    genesis.praises[2].hasMemo = true;
    genesis.praises[2].memoTitle = "묵상";
    genesis.praises[2].setMemoContent("안식");
    genesis.praises[5].isSelected = true;
    BibleStructure john = storedPage(42, 2, BibleKind::en01, 36);
    john.praises[15].bookmarked = true;
    john.praises[15].bgColor = 2;
    // A page stored before it had verses, on "no chapter yet": chapter 1.
    BibleStructure psalms = storedPage(18, -1, BibleKind::kr01, 0);
    restore({genesis, john, psalms});

    ASSERT_EQ(views().size(), 3u);
    ASSERT_EQ(pages().size(), 3u);
    const BibleStructure& first = pages()[0];
    ASSERT_EQ(first.praises.size(), static_cast<std::size_t>(verseCount(BibleBook::genesis, 1)));
    EXPECT_TRUE(contains(first.praises[0].word, "천지와 만물이 다 이루니라"));
    EXPECT_TRUE(first.praises[0].bookmarked);
    EXPECT_EQ(first.praises[3].bgColor, 4);
    EXPECT_TRUE(first.praises[2].hasMemo);
    EXPECT_EQ(first.praises[2].memoTitle, "묵상");
    EXPECT_EQ(first.praises[2].memo->memoContent, "안식");
    EXPECT_FALSE(first.praises[5].isSelected);
    EXPECT_EQ(first.praises[24].index, 24);
    EXPECT_EQ(views()[0].bibleSectionTitle, "창세기 2장");
    EXPECT_EQ(views()[0].translateVersion, "개역한글");

    const BibleStructure& second = pages()[1];
    ASSERT_EQ(second.praises.size(), static_cast<std::size_t>(verseCount(BibleBook::john, 2)));
    EXPECT_TRUE(contains(second.praises[15].word, "For God so loved the world"));
    EXPECT_TRUE(second.praises[15].bookmarked);
    EXPECT_EQ(second.praises[15].bgColor, 2);
    EXPECT_EQ(second.language, "en");
    EXPECT_EQ(second.versesIndex, 2);
    EXPECT_EQ(views()[1].bibleSectionTitle, "John 3");
    EXPECT_EQ(views()[1].translateVersion, "KJV");

    const BibleStructure& third = pages()[2];
    EXPECT_EQ(third.praises.size(), static_cast<std::size_t>(verseCount(BibleBook::psalms, 0)));
    EXPECT_TRUE(contains(third.praises[0].word, "복 있는 사람은"));
    EXPECT_EQ(views()[2].bibleSectionTitle, "시편 1장");

    // One bookmark row per page, from the marks; one empty chapter note per page.
    EXPECT_EQ(settings.bookmarkArray(), (std::vector<std::vector<bool>>{
                                            flagsOf(pages()[0]), flagsOf(pages()[1]), flagsOf(pages()[2])}));
    EXPECT_TRUE(settings.bookmarkArray()[1][15]);
    EXPECT_EQ(settings.OverAllSectionQTRecord(), std::vector<std::string>(3));
    const auto photos = BibleView::defaultTitlePhotoArray();
    for (const BibleView& view : views()) {
        EXPECT_NE(std::find(photos.begin(), photos.end(), view.pickedPhotoName.get()), photos.end());
    }

    // Saved: a file per page, and the list with the marks and without the texts.
    EXPECT_EQ(pageStateFiles(test.context()),
              (QStringList{"LSC_Settings_0", "LSC_Settings_1", "LSC_Settings_2"}));
    const std::optional<std::vector<BibleStructure>> saved = storedPageList(test.context());
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 3u);
    EXPECT_EQ((*saved)[0].praises[3].bgColor, 4);
    EXPECT_EQ((*saved)[0].praises[2].memo->memoContent, "안식");
    EXPECT_TRUE((*saved)[1].praises[15].bookmarked);
    EXPECT_TRUE((*saved)[1].praises[15].word.empty());
    EXPECT_TRUE(pagesRestored);
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(CarouselViewRestoreTest, WithAnOptionKeyHeldThePageListStaysUnreadButTheTextsAreRead) {
    std::vector<std::vector<BibleStructure>> texts = UserSettings::placeholderBooks();
    texts[42].push_back(storedPage(42, 2, BibleKind::en01, 3));
    storeTexts(test.context(), texts);
    storePageList(test.context(),
                  {storedPage(42, 2, BibleKind::en01, 36), storedPage(0, 1, BibleKind::kr01, 25)});
    const QByteArray storedList =
        *test.context().settings().data(PageStatePersistence::selectedBibleArrayKey);
    test.fixedKeyProbe().setOptionKeyDown(true);

    carousel->appear();
    settle();

    ASSERT_EQ(pages().size(), 1u);
    EXPECT_EQ(pages()[0].sectionIndex, 0);
    EXPECT_EQ(pages()[0].order, 0);
    EXPECT_EQ(pages()[0].name, "창세기");
    EXPECT_EQ(pages()[0].praises.size(), 31u);
    EXPECT_EQ(views()[0].bibleSectionTitle, "창세기 1장");
    EXPECT_EQ(settings.BibleWordsContainer(), texts);
    // Nothing saved over the list the user chose not to read; it is kept before anything can be.
    EXPECT_EQ(test.context().settings().data(PageStatePersistence::selectedBibleArrayKey), storedList);
    const QStringList backups = backupFiles(test.context());
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups[0].startsWith(QStringLiteral("SelectedBibleArray.unread-")));
    EXPECT_EQ(backupBytes(test.context(), backups[0]), storedList);
    EXPECT_TRUE(pagesRestored);
}

TEST_F(CarouselViewRestoreTest, AStoredPageListThatDoesNotDecodeIsBackedUpAndTheProgramGoesOn) {
    const QByteArray corrupt = QByteArrayLiteral("[{\"versesIndex\": 2, \"order\": ");
    test.context().settings().setData(PageStatePersistence::selectedBibleArrayKey, corrupt);
    loadStartUpChapter(settings, test.context());
    carousel->appear();
    settle();

    ASSERT_EQ(errors().size(), 1);
    // As with an Option key held: the first-run page.
    ASSERT_EQ(pages().size(), 1u);
    EXPECT_EQ(pages()[0].praises.size(), 31u);
    EXPECT_TRUE(pagesRestored);
    const QStringList backups = backupFiles(test.context());
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(isBackupName(backups[0], QStringLiteral("SelectedBibleArray"), QStringLiteral("corrupt")))
        << backups[0].toStdString();
    EXPECT_EQ(backupBytes(test.context(), backups[0]), corrupt);

    // The next save replaces the bad value; the backup stays.
    settings.savePageState(test.context());
    const std::optional<std::vector<BibleStructure>> saved = storedPageList(test.context());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 1u);
    EXPECT_EQ(backupBytes(test.context(), backups[0]), corrupt);

    // A later run with a bad value again keeps a second backup beside the first.
    const QByteArray corruptAgain = QByteArrayLiteral("not json at all");
    test.context().settings().setData(PageStatePersistence::selectedBibleArrayKey, corruptAgain);
    UserSettings nextRun;
    std::unique_ptr<CarouselView> next = makeCarousel(nextRun);
    next->appear();
    settle();
    EXPECT_EQ(nextRun.selectedBibleArray().size(), 1u);
    const QStringList both = backupFiles(test.context());
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(backupBytes(test.context(), backups[0]), corrupt);
    const QString newer = both[0] == backups[0] ? both[1] : both[0];
    EXPECT_TRUE(isBackupName(newer, QStringLiteral("SelectedBibleArray"), QStringLiteral("corrupt")));
    EXPECT_EQ(backupBytes(test.context(), newer), corruptAgain);
}

TEST_F(CarouselViewRestoreTest, PagesWithoutTextKeepTheirStoredVersesAndMarksUntouched) {
    // A book that does not exist, and a translation that has no text.
    BibleStructure unknown = storedPage(70, 0, BibleKind::kr01, 4);
    unknown.name = "외경";
    unknown.praises[1].bgColor = 5;
    BibleStructure untranslated = storedPage(0, 0, BibleKind::kr02, 3);
    untranslated.praises[2].bookmarked = true;
    BibleStructure genesis = storedPage(0, 0, BibleKind::kr01, 31);
    genesis.praises[7].bookmarked = true;
    loadStartUpChapter(settings, test.context());
    storePageList(test.context(), {unknown, untranslated, genesis});

    carousel->appear();
    settle();

    ASSERT_EQ(pages().size(), 3u);
    EXPECT_EQ(pages()[0], unknown);
    EXPECT_EQ(pages()[1].praises, untranslated.praises);
    EXPECT_EQ(views()[0].bibleSectionTitle, "창세기 1장");
    EXPECT_FALSE(views()[0].shownMissingTextNotice().empty());
    EXPECT_EQ(pages()[2].praises.size(), 31u);
    EXPECT_TRUE(pages()[2].praises[7].bookmarked);
    EXPECT_TRUE(views()[2].shownMissingTextNotice().empty());
    EXPECT_EQ(settings.bookmarkArray().size(), 3u);
    EXPECT_EQ(settings.bookmarkArray()[1], (std::vector<bool>{false, false, true}));

    EXPECT_EQ(errors().size(), 2);
    // Nothing is replaced, so nothing is backed up.
    EXPECT_TRUE(backupFiles(test.context()).isEmpty());
    const std::optional<std::vector<BibleStructure>> saved = storedPageList(test.context());
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 3u);
    EXPECT_EQ((*saved)[0].praises.size(), 4u);
    EXPECT_EQ((*saved)[0].praises[1].bgColor, 5);
    EXPECT_TRUE((*saved)[1].praises[2].bookmarked);
}

TEST_F(CarouselViewRestoreTest, VersesPastTheEndOfAShorterTextStayWithTheirMarks) {
    // A page saved over a text with more verses than Genesis 1 has now.
    BibleStructure stored = storedPage(0, 0, BibleKind::kr01, 34);
    stored.praises[2].bookmarked = true;
    stored.praises[32].bookmarked = true;
    stored.praises[33].bgColor = 4;
    stored.praises[33].memoTitle = "묵상";
    restore({stored});

    ASSERT_EQ(pages().size(), 1u);
    ASSERT_EQ(pages()[0].praises.size(), 34u);
    EXPECT_FALSE(pages()[0].praises[30].word.empty());
    EXPECT_TRUE(pages()[0].praises[2].bookmarked);
    EXPECT_TRUE(pages()[0].praises[32].bookmarked);
    EXPECT_EQ(settings.bookmarkArray()[0].size(), 34u);
    const std::optional<std::vector<BibleStructure>> saved = storedPageList(test.context());
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 1u);
    ASSERT_EQ((*saved)[0].praises.size(), 34u);
    EXPECT_TRUE((*saved)[0].praises[32].bookmarked);
    EXPECT_EQ((*saved)[0].praises[33].bgColor, 4);
    EXPECT_EQ((*saved)[0].praises[33].memoTitle, "묵상");
}

TEST_F(CarouselViewRestoreTest, APageOnANegativeChapterComesBackOnChapterOneAsItsTitleSays) {
    BibleStructure stored = storedPage(0, -3, BibleKind::kr01, 2);
    stored.praises[1].bookmarked = true;
    restore({stored});

    ASSERT_EQ(pages().size(), 1u);
    ASSERT_EQ(pages()[0].praises.size(), 31u);
    EXPECT_TRUE(pages()[0].praises[1].bookmarked);
    EXPECT_EQ(views()[0].bibleSectionTitle, "창세기 1장");
    EXPECT_TRUE(views()[0].shownMissingTextNotice().empty());
}

TEST_F(CarouselViewRestoreTest, EachPageTracesItsTitledChapterThenEachChapterMadeItsTranslationAndPlace) {
    // A page on "no chapter yet" has no chapter to title; a chapter's place counts the verses of
    // the chapters before it, among all the lines of its book.
    restore({storedPage(0, 2, BibleKind::kr01, 24), storedPage(42, 2, BibleKind::en01, 36),
             storedPage(18, -1, BibleKind::kr01, 0)});

    QStringList traced;
    for (const QString& line : test.traceCapture().lines()) {
        if (line.startsWith(" --- ") || line.startsWith("bibleKind") || line.startsWith("== i") ||
            line.startsWith("totalPraises")) {
            traced.push_back(line);
        }
    }
    EXPECT_EQ(traced, (QStringList{
                          " --- userSettings.selectedBibleArray[pageIndex].versesIndex 2",
                          " --- userSettings.selectedBibleArray[pageIndex].versesIndex 2",
                          "bibleKind : 개역한글",
                          "== i 0, 31",
                          "== i 1, 25",
                          "totalPraises.count " + lineCount(BibleBook::genesis),
                          "bibleKind : KJV",
                          "== i 0, 51",
                          "== i 1, 25",
                          "totalPraises.count " + lineCount(BibleBook::john),
                          "bibleKind : 개역한글",
                          "totalPraises.count " + lineCount(BibleBook::psalms),
                      }));
    // The carousel's title line is its own: the reading page's, unmarked, is not among them.
    EXPECT_FALSE(test.traceCapture().contains("userSettings.selectedBibleArray[pageIndex].versesIndex 2"));
}

TEST_F(CarouselViewRestoreTest, AnEmptyStoredPageListOpensTheFirstRunPage) {
    restore({});
    ASSERT_EQ(pages().size(), 1u);
    EXPECT_EQ(pages()[0].praises.size(), 31u);
    EXPECT_TRUE(errors().isEmpty());
}

} // namespace
} // namespace lumenscroll
