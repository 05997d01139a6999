// What one launch leaves for the next, through the files and settings of one home: pages whose
// text is missing keep their marks, a bad stored value costs only itself, a value that stays
// bad is backed up once, and marks made while saves failed are kept by the next save that works.

#include "CarouselViewTestSupport.h"

#include "app/model/BibleBook.h"
#include "app/platform/FileSystem.h"
#include "app/platform/SettingsStore.h"
#include "app/reading/BibleContentCell.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/BibleViewReactions.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/FontChoiceKeys.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/VerseListWidget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

using testing::backupBytes;
using testing::lastRunStored;
using testing::backupFiles;
using testing::builtResourceDirectory;
using testing::Launch;
using testing::pageStateFile;
using testing::storedPage;
using testing::storedPageList;
using testing::storePageList;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CarouselViewLaunchesTest : public testing::CarouselTest {
protected:
    // A build that has the English texts and not the Korean ones.
    QString englishTextsOnly() {
        const QDir built(builtResourceDirectory());
        for (const QString& name : built.entryList({QStringLiteral("[0-9][0-9][A-Z]*.txt")}, QDir::Files)) {
            QFile::link(built.filePath(name), QDir(englishOnly.path()).filePath(name));
        }
        return englishOnly.path();
    }

    QTemporaryDir home;
    QTemporaryDir englishOnly;
};

TEST_F(CarouselViewLaunchesTest, MarksOnPagesWhoseTextIsMissingSurviveALaunchWithoutTheTexts) {
    lastRunStored(home.path(), {storedPage(0, 1, BibleKind::kr01, 25), storedPage(18, 0, BibleKind::kr01, 6),
                   storedPage(42, 2, BibleKind::en01, 36)});
    {
        // The user marks verses on two Korean pages and the English one; each mark is saved.
        Launch launch(home.path(), builtResourceDirectory());
        launch.page(0).toggleBookmark(0);
        launch.page(1).highlight(2, 4);
        launch.page(2).highlight(15, 2);
        testing::writeNote(launch.settings, 0, 2, "안식");
        launch.settings.savePageState(launch.context());
    }
    const auto expectMarks = [](const std::vector<BibleStructure>& pages, const char* where) {
        ASSERT_EQ(pages.size(), 3u) << where;
        ASSERT_EQ(pages[0].praises.size(), 25u) << where;
        EXPECT_TRUE(pages[0].praises[0].bookmarked) << where;
        EXPECT_EQ(pages[0].praises[2].memo->memoContent, "안식") << where;
        ASSERT_EQ(pages[1].praises.size(), 6u) << where;
        EXPECT_EQ(pages[1].praises[2].bgColor, 4) << where;
        ASSERT_EQ(pages[2].praises.size(), 36u) << where;
        EXPECT_EQ(pages[2].praises[15].bgColor, 2) << where;
    };

    // Without the Korean texts, and then without any resources at all.
    for (const QString& resources : {englishTextsOnly(), home.filePath(QStringLiteral("no resources"))}) {
        Launch launch(home.path(), resources);
        expectMarks(launch.pages(), "in memory");
        expectMarks(storedPageList(launch.context()).value_or(std::vector<BibleStructure>()), "stored list");
        const std::optional<BibleStructure> file = pageStateFile(launch.context(), 0);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->praises.at(0).bookmarked);
        // The pages without text say so in place of their verses.
        EXPECT_TRUE(contains(launch.page(0).shownMissingTextNotice(), "본문"));
        EXPECT_TRUE(launch.errors().contains(QStringLiteral(
            "error page 0 names chapter 2 of book 0 in 개역한글, which has no text")));
        EXPECT_TRUE(backupFiles(launch.context()).isEmpty());
    }

    Launch withTexts(home.path(), builtResourceDirectory());
    expectMarks(withTexts.pages(), "with the texts back");
    EXPECT_TRUE(contains(withTexts.pages()[0].praises[0].word, "천지와 만물이 다 이루니라"));
    EXPECT_TRUE(withTexts.page(0).shownMissingTextNotice().empty());
    EXPECT_TRUE(withTexts.errors().isEmpty());
    EXPECT_TRUE(backupFiles(withTexts.context()).isEmpty());
}

TEST_F(CarouselViewLaunchesTest, ABadLoadedTextsValueIsReplacedAndThePagesComeBackWithTheirMarks) {
    const QByteArray wrongLength = PageStatePersistence::bibleWordsContainerJson(
        std::vector<std::vector<BibleStructure>>(3, std::vector<BibleStructure>(1)));
    for (const QByteArray& bad : {QByteArrayLiteral("[[{\"versesIndex\": \"one\"}]]"), QByteArrayLiteral("[]"),
                                  wrongLength}) {
        SCOPED_TRACE(bad.left(40).toStdString());
        const QTemporaryDir caseHome;
        BibleStructure genesis = storedPage(0, 1, BibleKind::kr01, 25);
        genesis.praises[0].bookmarked = true;
        BibleStructure john = storedPage(42, 2, BibleKind::en01, 36);
        john.praises[15].bgColor = 2;
        lastRunStored(caseHome.path(), {genesis, john}, bad);

        for (int run = 1; run <= 2; ++run) {
            Launch launch(caseHome.path(), builtResourceDirectory());
            ASSERT_EQ(launch.pages().size(), 2u) << "launch " << run;
            EXPECT_TRUE(launch.pages()[0].praises[0].bookmarked);
            EXPECT_EQ(launch.pages()[1].praises[15].bgColor, 2);
            EXPECT_EQ(storedPageList(launch.context())->size(), 2u);
            // The bad value is kept once and replaced by the loaded texts of this run.
            const QStringList backups = backupFiles(launch.context());
            ASSERT_EQ(backups.size(), 1) << "launch " << run;
            EXPECT_TRUE(backups[0].startsWith(QStringLiteral("BibleWordsContainer.corrupt-")));
            EXPECT_EQ(backupBytes(launch.context(), backups[0]), bad);
            EXPECT_NE(launch.context().settings().data(PageStatePersistence::bibleWordsContainerKey), bad);
            EXPECT_EQ(launch.errors().size(), run == 1 ? 1 : 0) << "launch " << run;
        }
    }
}

TEST_F(CarouselViewLaunchesTest, MarksMadeWhileSavesFailAreKeptByTheNextSaveThatWorks) {
    const auto removeWhatIsAt = [](const QString& path) {
        return QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path);
    };
    // A folder where the settings file goes; a file where the page-state folder goes.
    for (const bool folderInItsPlace : {true, false}) {
        const QTemporaryDir caseHome;
        const auto paths = TestAppContext::inHome(caseHome.path());
        const struct {
            QString path;
            bool folderInItsPlace;
        } block = {folderInItsPlace ? paths->settingsFilePath() : PageStatePersistence::settingsFolder(paths->context()),
                   folderInItsPlace};
        SCOPED_TRACE(block.path.toStdString());
        lastRunStored(caseHome.path(),
                      {storedPage(0, 0, BibleKind::kr01, 31), storedPage(42, 2, BibleKind::en01, 36)});
        {
            Launch launch(caseHome.path(), builtResourceDirectory());
            ASSERT_TRUE(removeWhatIsAt(block.path));
            ASSERT_TRUE(block.folderInItsPlace ? FileSystem::makeDirectories(block.path)
                                               : FileSystem::writeAtomically(block.path, "in the way"));
            launch.page(1).highlight(15, 2);
            EXPECT_TRUE(launch.settings.pageStateSaveFailed());

            ASSERT_TRUE(removeWhatIsAt(block.path));
            launch.page(0).toggleBookmark(3);
            EXPECT_FALSE(launch.settings.pageStateSaveFailed());
        }
        Launch next(caseHome.path(), builtResourceDirectory());
        ASSERT_EQ(next.pages().size(), 2u);
        EXPECT_TRUE(next.pages()[0].praises[3].bookmarked);
        EXPECT_EQ(next.pages()[1].praises[15].bgColor, 2);
        EXPECT_EQ(pageStateFile(next.context(), 1).value_or(BibleStructure{}).praises.at(15).bgColor, 2);
        EXPECT_TRUE(next.errors().isEmpty());
    }
}

TEST_F(CarouselViewLaunchesTest, APageListThatStaysBadIsBackedUpOnceNotAtEveryLaunch) {
    const QByteArray bad = QByteArrayLiteral("[{\"versesIndex\": 2, \"order\": ");
    TestAppContext::inHome(home.path())->context().settings().setData(PageStatePersistence::selectedBibleArrayKey,
                                                                      bad);
    for (int run = 1; run <= 3; ++run) {
        // The first-run page opens, and nothing is saved until the user acts.
        Launch launch(home.path(), builtResourceDirectory());
        ASSERT_EQ(launch.pages().size(), 1u);
        EXPECT_EQ(launch.context().settings().data(PageStatePersistence::selectedBibleArrayKey), bad);
        const QStringList backups = backupFiles(launch.context());
        ASSERT_EQ(backups.size(), 1) << "launch " << run;
        EXPECT_EQ(backupBytes(launch.context(), backups[0]), bad);
    }
}

TEST_F(CarouselViewLaunchesTest, AChosenChapterASwitchedTranslationAndMarksComeBackAtTheNextLaunch) {
    lastRunStored(home.path(),
                  {storedPage(0, 0, BibleKind::kr01, 31), storedPage(42, 2, BibleKind::kr01, 36)});
    {
        Launch launch(home.path(), builtResourceDirectory());
        BibleViewReactions first(launch.page(0));
        BibleViewReactions second(launch.page(1));
        // Exodus 3 on the first page, through its chooser.
        launch.page(0).pressTitleCapsule();
        launch.test->manualScheduler().runReady();
        BibleSelectionView chooser = launch.page(0).chapterSheetContent();
        chooser.tapBook(1);
        chooser.tapChapter(2);
        chooser.confirm();
        launch.test->manualScheduler().runReady();
        launch.page(0).highlight(4, 2);
        // KJV on the second, and a bookmark there.
        launch.page(1).pressTranslationCapsule();
        launch.test->manualScheduler().runReady();
        launch.page(1).translationSheetContent().choose(1);
        launch.test->manualScheduler().runReady();
        launch.page(1).toggleBookmark(15);
    }

    Launch next(home.path(), builtResourceDirectory());
    ASSERT_EQ(next.pages().size(), 2u);
    const BibleStructure& exodus = next.pages()[0];
    EXPECT_EQ(exodus.sectionIndex, 1);
    EXPECT_EQ(exodus.versesIndex, 2);
    EXPECT_EQ(exodus.name, "출애굽기");
    ASSERT_EQ(exodus.praises.size(), 22u);
    EXPECT_EQ(exodus.praises[4].bgColor, 2);
    EXPECT_EQ(next.page(0).shownTitle(), "출애굽기 3장");
    const BibleStructure& john = next.pages()[1];
    EXPECT_EQ(john.kindOfBible, BibleKind::en01);
    ASSERT_EQ(john.praises.size(), 36u);
    EXPECT_TRUE(contains(john.praises[15].word, "For God so loved the world"));
    EXPECT_TRUE(john.praises[15].bookmarked);
    EXPECT_EQ(next.page(1).shownTitle(), "John 3");
    EXPECT_TRUE(next.errors().isEmpty());
}

TEST_F(CarouselViewLaunchesTest, TheStoredFontSizeIsTheRestoredPagesSizeFromTheStart) {
    lastRunStored(home.path(), {storedPage(0, 0, BibleKind::kr01, 31)});
    {
        const auto last = TestAppContext::inHome(home.path());
        last->context().settings().setInteger(fontSizeKey, 11);
        last->context().settings().sync();
    }
    Launch launch(home.path(), builtResourceDirectory());
    EXPECT_EQ(launch.settings.pickerIndex(), 11);
    BibleViewWidget page(launch.page(0));
    page.show();
    launch.test->manualScheduler().runReady();
    ASSERT_GT(page.verseList()->rowCount(), 0);
    EXPECT_EQ(page.verseList()->row(0)->cell().fontSize, 35);
}

} // namespace
} // namespace lumenscroll
