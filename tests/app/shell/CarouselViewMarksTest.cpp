// A reader's marks belong to the verse, not to a page's visit of its chapter: across launches they
// follow their verse to whichever page shows its chapter, whatever the page did in between; the
// marks pages stored before there was a mark book are taken in; a mark book that does not read
// whole costs only what it lost; and a launch with an Option key held keeps the stored pages it
// saves over.

#include "CarouselViewTestSupport.h"

#include "app/platform/FileSystem.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/BibleViewReactions.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/MarkBookFile.h"
#include "app/reading/PageStatePersistence.h"
#include "testing/reading/PageStateFileContents.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::backupBytes;
using testing::backupFiles;
using testing::builtResourceDirectory;
using testing::lastRunStored;
using testing::Launch;
using testing::storedPage;

const std::string psalmNote = "주께서 나와 함께 하심이라";

// The marks the tests put on Psalm 23: a bookmark on verse 1, a highlight on verse 3, a note on
// verse 4.
bool showsPsalmMarks(const BibleStructure& page) {
    return page.sectionIndex == 18 && page.versesIndex == 22 && page.kindOfBible == BibleKind::kr01 &&
           page.praises.size() == 6 && page.praises[0].bookmarked && page.praises[2].bgColor == 4 &&
           page.praises[3].hasMemo && page.praises[3].memo->memoContent == psalmNote && !page.praises[1].bookmarked &&
           page.praises[1].bgColor == 0 && page.praises[5].bgColor == 0;
}

bool showsNoMarks(const BibleStructure& page) {
    for (const BiblePraise& verse : page.praises) {
        if (verse.bookmarked || verse.bgColor != 0 || verse.hasMemo || !verse.memo->memoContent.empty()) {
            return false;
        }
    }
    return true;
}

class CarouselViewMarksTest : public testing::CarouselTest {
protected:
    // A launch whose pages react to their sheets as on screen.
    struct Session {
        Session(const QString& home, bool optionKeyDown = false)
            : launch(home, builtResourceDirectory(), optionKeyDown) {
            for (std::size_t i = 0; i < launch.settings.roles->size(); ++i) {
                reactions.push_back(std::make_unique<BibleViewReactions>(launch.page(static_cast<std::int64_t>(i))));
            }
        }
        void settle() { launch.test->manualScheduler().runReady(); }

        // Psalm 23's marks on page `page`, made as the reader makes them.
        void markPsalm(std::int64_t page) {
            launch.page(page).toggleBookmark(0);
            launch.page(page).highlight(2, 4);
            testing::writeNote(launch.settings, page, 3, psalmNote);
            launch.settings.savePageState(launch.context());
        }
        // The chooser on page `page`, confirmed on book `book`, chapter `chapter` (from 0), or on
        // what it opens on when `book` is negative.
        void choose(std::int64_t page, std::int64_t book, std::int64_t chapter) {
            launch.page(page).pressTitleCapsule();
            settle();
            BibleSelectionView chooser = launch.page(page).chapterSheetContent();
            if (book >= 0) {
                chooser.tapBook(book);
                chooser.tapChapter(chapter);
            }
            chooser.confirm();
            settle();
        }
        void translate(std::int64_t page, std::int64_t row) {
            launch.page(page).pressTranslationCapsule();
            settle();
            launch.page(page).translationSheetContent().choose(row);
            settle();
        }
        const BibleStructure& page(std::size_t index) const { return launch.pages().at(index); }

        Launch launch;
        std::vector<std::unique_ptr<BibleViewReactions>> reactions;
    };

    QTemporaryDir home;
};

TEST_F(CarouselViewMarksTest, MarksFollowTheirVerseToThePageThatShowsTheirChapterAtTheNextLaunch) {
    const struct {
        const char* name;
        // On the launch that marked Psalm 23 on page 1.
        std::function<void(Session&)> leave;
        // On the next launch: back on Psalm 23, on the page returned.
        std::function<std::size_t(Session&)> comeBack;
    } cases[] = {
        {"a step away and back", [](Session& s) { s.launch.page(1).goToNextChapter(); },
         [](Session& s) {
             s.launch.page(1).goToPreviousChapter();
             return std::size_t{1};
         }},
        {"a switch of translation and back", [](Session& s) { s.translate(1, 1); },
         [](Session& s) {
             // The KJV chapter has marks of its own: none.
             EXPECT_TRUE(showsNoMarks(s.page(1)));
             s.translate(1, 0);
             return std::size_t{1};
         }},
        {"the chooser's go without a pick", [](Session& s) { s.choose(1, -1, 0); },
         [](Session& s) {
             EXPECT_EQ(s.page(1).sectionIndex, 0);
             EXPECT_TRUE(showsNoMarks(s.page(1)));
             s.choose(1, 18, 22);
             return std::size_t{1};
         }},
        {"the page closed, the chapter opened on another page",
         [](Session& s) {
             s.launch.carousel->selectedTab.set(1);
             s.settle();
             s.launch.carousel->deletePage();
         },
         [](Session& s) {
             s.choose(0, 18, 22);
             return std::size_t{0};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir caseHome;
        lastRunStored(caseHome.path(), {storedPage(0, 0, BibleKind::kr01, 31), storedPage(18, 22, BibleKind::kr01, 6)});
        {
            Session marking(caseHome.path());
            marking.markPsalm(1);
            ASSERT_TRUE(showsPsalmMarks(marking.page(1)));
            c.leave(marking);
            EXPECT_TRUE(marking.launch.errors().isEmpty());
        }
        Session next(caseHome.path());
        const std::size_t shown = c.comeBack(next);
        EXPECT_TRUE(showsPsalmMarks(next.page(shown)));
        // Saved as shown: the launch after sees them too.
        Session third(caseHome.path());
        EXPECT_TRUE(showsPsalmMarks(third.page(shown)));
        EXPECT_TRUE(third.launch.errors().isEmpty());
        EXPECT_TRUE(backupFiles(third.launch.context()).isEmpty());
    }
}

TEST_F(CarouselViewMarksTest, AMarkShowsAtOnceOnEveryPageOfItsChapterAndItsClearingToo) {
    lastRunStored(home.path(), {storedPage(18, 22, BibleKind::kr01, 6), storedPage(18, 22, BibleKind::kr01, 6),
                                storedPage(18, 22, BibleKind::en01, 6), storedPage(18, 23, BibleKind::kr01, 10)});
    {
        Session s(home.path());
        s.markPsalm(0);
        EXPECT_TRUE(showsPsalmMarks(s.page(1)));
        EXPECT_TRUE(s.launch.settings.bookmarkArray()[1][0]);
        // Another translation of the chapter, and the next chapter, keep their own.
        EXPECT_TRUE(showsNoMarks(s.page(2)));
        EXPECT_TRUE(showsNoMarks(s.page(3)));
        s.launch.page(3).goToPreviousChapter();
        EXPECT_TRUE(showsPsalmMarks(s.page(3)));

        s.launch.page(1).highlight(2, 4);
        for (std::size_t page : {0u, 1u, 3u}) {
            EXPECT_EQ(s.page(page).praises[2].bgColor, 0) << "page " << page;
        }
    }
    Session next(home.path());
    for (std::size_t page : {0u, 1u, 3u}) {
        EXPECT_EQ(next.page(page).praises[2].bgColor, 0) << "page " << page;
        EXPECT_TRUE(next.page(page).praises[0].bookmarked) << "page " << page;
    }
}

TEST_F(CarouselViewMarksTest, ALaunchWithTheOptionKeyKeepsTheStoredPagesBeforeItSavesOverThem) {
    lastRunStored(home.path(), {storedPage(0, 0, BibleKind::kr01, 31), storedPage(18, 22, BibleKind::kr01, 6),
                                storedPage(42, 2, BibleKind::en01, 36)});
    QByteArray storedList;
    std::vector<QByteArray> storedFiles;
    {
        Session marked(home.path());
        marked.launch.page(0).highlight(0, 3);
        marked.markPsalm(1);
        marked.launch.page(2).toggleBookmark(15);
        storedList = *marked.launch.context().settings().data(PageStatePersistence::selectedBibleArrayKey);
        for (std::int64_t i = 0; i < 3; ++i) {
            storedFiles.push_back(*FileSystem::read(testing::pageStateFilePath(marked.launch.context(), i)));
        }
    }
    {
        // The first-run page, with the marks of its chapter; the stored pages kept, and the trace
        // says where.
        Session optionKey(home.path(), true);
        ASSERT_EQ(optionKey.launch.pages().size(), 1u);
        EXPECT_EQ(optionKey.page(0).praises[0].bgColor, 3);
        const QStringList backups = backupFiles(optionKey.launch.context());
        ASSERT_EQ(backups.size(), 4);
        EXPECT_TRUE(backups[0].startsWith(QStringLiteral("LSC_Settings_0.unread-")));
        EXPECT_TRUE(backups[3].startsWith(QStringLiteral("SelectedBibleArray.unread-")));
        EXPECT_TRUE(backups[3].endsWith(QStringLiteral(".json")));
        EXPECT_EQ(backupBytes(optionKey.launch.context(), backups[3]), storedList);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(backupBytes(optionKey.launch.context(), backups[i]), storedFiles[static_cast<std::size_t>(i)]);
            EXPECT_TRUE(optionKey.launch.test->traceCapture().lines().contains(
                QStringLiteral("the stored LSC_Settings_%1 was kept in %2")
                    .arg(i)
                    .arg(QDir(PageStatePersistence::settingsFolder(optionKey.launch.context()) + "/..")
                             .absoluteFilePath(backups[i]))));
        }
        // Quit: the save at the quit replaces the stored pages.
        optionKey.launch.settings.savePageState(optionKey.launch.context());
    }
    Session after(home.path());
    ASSERT_EQ(after.launch.pages().size(), 1u);
    EXPECT_EQ(after.page(0).praises[0].bgColor, 3);
    after.choose(0, 18, 22);
    EXPECT_TRUE(showsPsalmMarks(after.page(0)));
    after.translate(0, 1);
    after.choose(0, 42, 2);
    EXPECT_TRUE(after.page(0).praises[15].bookmarked);
    EXPECT_EQ(backupFiles(after.launch.context()).size(), 4);
    EXPECT_TRUE(after.launch.errors().isEmpty());
}

TEST_F(CarouselViewMarksTest, MarksStoredOnPagesBeforeThereWasAMarkBookGoInAtTheFirstLaunchAndTheBookThenStands) {
    BibleStructure first = storedPage(18, 22, BibleKind::kr01, 6);
    first.praises[0].bookmarked = true;
    first.praises[2].bgColor = 4;
    BibleStructure second = storedPage(18, 22, BibleKind::kr01, 6);
    second.praises[2].bgColor = 7;
    second.praises[3].hasMemo = true;
    second.praises[3].setMemoContent(psalmNote);
    lastRunStored(home.path(), {first, storedPage(0, 0, BibleKind::kr01, 31), second});
    {
        // Each kind of mark from the first page that has one; the book is written.
        Session s(home.path());
        EXPECT_TRUE(showsPsalmMarks(s.page(0)));
        EXPECT_TRUE(showsPsalmMarks(s.page(2)));
        EXPECT_TRUE(FileSystem::isFile(MarkBookFile::path(PageStatePersistence::settingsFolder(s.launch.context()))));
        EXPECT_TRUE(s.launch.errors().isEmpty());
    }
    // A page list that says otherwise than the book, as one stored by an earlier build after it:
    // the book stands.
    BibleStructure stale = storedPage(18, 22, BibleKind::kr01, 6);
    stale.praises[5].bgColor = 2;
    lastRunStored(home.path(), {stale});
    Session next(home.path());
    EXPECT_TRUE(showsPsalmMarks(next.page(0)));
}

TEST_F(CarouselViewMarksTest, AMissingMarkBookIsAnEmptyOneThePagesMarksGoingInWithoutAnError) {
    lastRunStored(home.path(), {storedPage(18, 22, BibleKind::kr01, 6)});
    QString bookPath;
    {
        Session s(home.path());
        s.markPsalm(0);
        bookPath = MarkBookFile::path(PageStatePersistence::settingsFolder(s.launch.context()));
    }
    ASSERT_TRUE(QFile::remove(bookPath));
    Session next(home.path());
    EXPECT_TRUE(showsPsalmMarks(next.page(0)));
    EXPECT_TRUE(next.launch.errors().isEmpty());
    EXPECT_TRUE(backupFiles(next.launch.context()).isEmpty());
    EXPECT_TRUE(FileSystem::isFile(bookPath));
}

TEST_F(CarouselViewMarksTest, AMarkBookThatDoesNotReadWholeIsBackedUpOnceAndWhatItHoldsIsUsed) {
    MarkBook book;
    const auto blank = std::make_shared<const Memo>();
    book.put({BibleKind::kr01, 0, 0}, MarkedVerse{0, 3, false, false, "", blank});
    book.put({BibleKind::kr01, 18, 22}, MarkedVerse{5, 0, true, false, "", blank});
    const QByteArray whole = MarkBookFile::encode(book);
    const QByteArray damaged = whole.left(whole.size() - 3);
    // Genesis 1 is read from the book; Psalm 23 is lost there, and the page's own marks stand.
    BibleStructure genesis = storedPage(0, 0, BibleKind::kr01, 31);
    genesis.praises[1].bookmarked = true;
    BibleStructure psalm = storedPage(18, 22, BibleKind::kr01, 6);
    psalm.praises[2].bgColor = 4;
    lastRunStored(home.path(), {genesis, psalm});
    const auto last = TestAppContext::inHome(home.path());
    ASSERT_TRUE(FileSystem::makeDirectories(PageStatePersistence::settingsFolder(last->context())));
    ASSERT_TRUE(FileSystem::writeAtomically(
        MarkBookFile::path(PageStatePersistence::settingsFolder(last->context())), damaged));

    for (int run = 1; run <= 2; ++run) {
        Session s(home.path());
        EXPECT_EQ(s.page(0).praises[0].bgColor, 3) << "launch " << run;
        EXPECT_FALSE(s.page(0).praises[1].bookmarked) << "launch " << run;
        EXPECT_EQ(s.page(1).praises[2].bgColor, 4) << "launch " << run;
        EXPECT_FALSE(s.page(1).praises[5].bookmarked) << "launch " << run;
        const QStringList backups = backupFiles(s.launch.context());
        ASSERT_EQ(backups.size(), 1) << "launch " << run;
        EXPECT_TRUE(backups[0].startsWith(QStringLiteral("LSC_MarkBook.corrupt-")));
        EXPECT_EQ(backupBytes(s.launch.context(), backups[0]), damaged);
        EXPECT_EQ(s.launch.errors().size(), run == 1 ? 1 : 0) << "launch " << run;
    }
}

} // namespace
} // namespace lumenscroll
