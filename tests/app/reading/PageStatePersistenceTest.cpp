#include "app/reading/PageStatePersistence.h"
#include "CompactCoding/BinaryDecoder.h"
#include "app/platform/FileSystem.h"
#include "app/platform/SettingsStore.h"
#include "app/reading/BibleView.h"
#include "app/reading/MarkBookFile.h"
#include "app/reading/QTViewForAPraise.h"
#include "app/reading/UserSettings.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonEncoder.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::makePage;
using testing::pageStateFilePath;

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

BibleStructure decodedPageFile(const AppContext& context, std::int64_t index) {
    const std::optional<QByteArray> bytes = FileSystem::read(pageStateFilePath(context, index));
    if (!bytes) {
        ADD_FAILURE() << "no page-state file " << index;
        return {};
    }
    return coding::BinaryDecoder().decode<BibleStructure>(bytesOf(*bytes));
}

class PageStatePersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        records = {chapterRecord(0, 0, BibleKind::kr01, 3, "태초에"),
                   chapterRecord(1, 1, BibleKind::en01, 4, "Exodus"),
                   chapterRecord(18, 118, BibleKind::kr01, 5, "시편")};
        records[1].praises[2].bgColor = 3;
        records[1].praises[2].setMemoContent("a note");
        records[1].praises[2].bookmarked = true;
        settings.selectedBibleArray.set(testing::pageListKey(), records);
        // As at start-up: the first page shown has its page value, the others are to be built.
        settings.roles.set(testing::pageListKey(), {makePage(settings, app.context(), 0)});
    }

    const AppContext& context() { return app.context(); }
    QString folder() { return PageStatePersistence::settingsFolder(app.context()); }
    void save() { settings.savePageState(app.context()); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(FileSystem::makeDirectories(folder()));
        ASSERT_TRUE(FileSystem::writeAtomically(QDir(folder()).filePath(name), bytes));
    }
    // The mark book's file aside: it has tests of its own.
    QStringList folderEntries() {
        QStringList entries = FileSystem::list(folder()).value_or(QStringList{});
        entries.removeAll(MarkBookFile::fileName);
        return entries;
    }
    bool traced(const QString& line) { return app.traceCapture().contains(line); }
    bool tracedStartingWith(const QString& start) {
        for (const QString& line : app.traceCapture().lines()) {
            if (line.startsWith(start)) {
                return true;
            }
        }
        return false;
    }

    TestAppContext app;
    UserSettings settings;
    std::vector<BibleStructure> records;
};

TEST_F(PageStatePersistenceTest, SavesEveryPageAndBuildsThePagesBackFromThem) {
    int notifications = 0;
    {
        Subscription counting = settings.publisher().sink([&] { ++notifications; });
        save();
    }
    // Saving writes nothing of the shared state: the JSON is made from a blanked copy.
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(settings.selectedBibleArray(), records);

    EXPECT_EQ(folderEntries(), (QStringList{"LSC_Settings_0", "LSC_Settings_1", "LSC_Settings_2"}));
    for (std::int64_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decodedPageFile(context(), i), records[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(decodedPageFile(context(), 1).praises[2].memo->memoContent, "a note");
    EXPECT_TRUE(traced("** selectedBibleArray[2].versesIndex 118"));
    EXPECT_TRUE(traced("** selectedBibleArray[1].praises.count 4"));

    // The user defaults, read back from the settings file as the next run will.
    SettingsStore stored(app.settingsFilePath());
    const std::optional<QByteArray> pagesJson = stored.data("SelectedBibleArray");
    ASSERT_TRUE(pagesJson.has_value());
    const auto pages = coding::JsonDecoder().decode<std::vector<BibleStructure>>(pagesJson->toStdString());
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        BibleStructure expected = records[i];
        for (BiblePraise& praise : expected.praises) {
            praise.word.clear();
        }
        EXPECT_EQ(pages[i], expected) << i;
    }
    const std::optional<QByteArray> textsJson = stored.data("BibleWordsContainer");
    ASSERT_TRUE(textsJson.has_value());
    EXPECT_EQ(
        coding::JsonDecoder().decode<std::vector<std::vector<BibleStructure>>>(textsJson->toStdString()),
        settings.BibleWordsContainer());

    // The next run: the first page shown builds the others from the stored page list.
    settings.roles()[0].loadSavedState();
    const std::vector<BibleView>& roles = settings.roles();
    ASSERT_EQ(roles.size(), 3u);
    for (std::int64_t i = 1; i < 3; ++i) {
        const BibleView& page = roles[static_cast<std::size_t>(i)];
        EXPECT_EQ(page.pageIndex(), i);
        EXPECT_EQ(page.bibleViewFixedIndex, i);
        EXPECT_FALSE(page.isShrinkStatus());
        EXPECT_FALSE(page.plusBtnPressed());
        EXPECT_TRUE(page.pickedPhotoName().starts_with("TopArea"));
        EXPECT_EQ(page.translateVersion, "개역한글");
        EXPECT_EQ(page.qtContentAtEachPraise(), std::vector<std::string>{""});
        EXPECT_EQ(page.userSettings, roles[0].userSettings);
    }
    EXPECT_EQ(settings.selectedBibleArray()[1].name, "Exodus");
    EXPECT_EQ(settings.selectedBibleArray()[2].name, "시편");
    EXPECT_EQ(roles[1].bibleSectionTitle, "Exodus 2");
    EXPECT_EQ(roles[2].bibleSectionTitle, "시편 119장");
    EXPECT_TRUE(traced("fileArray count 3"));
    EXPECT_TRUE(traced("i 2"));

    // Restored pages write through the bindings of the page that built them.
    roles[2].plusBible.set(true);
    EXPECT_TRUE(settings.plusBible());
}

TEST_F(PageStatePersistenceTest, AFailedSaveLeavesThePreviousFilesWhole) {
    save();
    const std::optional<QByteArray> firstFile = FileSystem::read(pageStateFilePath(context(), 0));
    const std::optional<QByteArray> storedPages = app.context().settings().data("SelectedBibleArray");
    ASSERT_TRUE(firstFile && storedPages);

    // Text that is not UTF-8 cannot be coded: nothing of page 0 may be lost for it.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].praises[0].word = "\xff";
    });
    writeFile("LSC_Settings_5", "stale");
    app.traceCapture().clear();
    save();

    EXPECT_TRUE(tracedStartingWith("error "));
    EXPECT_EQ(FileSystem::read(pageStateFilePath(context(), 0)), firstFile);
    EXPECT_EQ(app.context().settings().data("SelectedBibleArray"), storedPages);
    // The pages on screen keep their texts, the bad one included.
    EXPECT_EQ(settings.selectedBibleArray()[0].praises[0].word, "\xff");
    EXPECT_EQ(settings.selectedBibleArray()[1].praises[0].word, "Exodus 1");
    // An incomplete save removes nothing.
    EXPECT_TRUE(folderEntries().contains("LSC_Settings_5"));
}

TEST_F(PageStatePersistenceTest, AFileThatCannotBeWrittenStopsTheWritingButNotTheSave) {
    ASSERT_TRUE(FileSystem::makeDirectories(QDir(folder()).filePath("LSC_Settings_1")));
    save();
    EXPECT_TRUE(tracedStartingWith("error "));
    EXPECT_EQ(decodedPageFile(context(), 0), records[0]);
    EXPECT_FALSE(folderEntries().contains("LSC_Settings_2"));
    // The user defaults are still written.
    EXPECT_TRUE(app.context().settings().data("SelectedBibleArray").has_value());
}

// A crash during a save leaves the temporary file of a page-state file half-written.
TEST_F(PageStatePersistenceTest, TemporaryFilesAreNeverTakenForPagesAndGoWithTheirPages) {
    save();
    const auto temporary = [&](const QString& name) {
        return FileSystem::temporaryPath(QDir(folder()).filePath(name));
    };
    for (const QString& name :
         {QString("LSC_Settings_1"), QString("LSC_Settings_5"), QString("LSC_Settings_01")}) {
        ASSERT_TRUE(FileSystem::writeAtomically(temporary(name), "\x0a\xff"));
    }

    // The next launch finds the pages whole; its next save writes over the temporary file of an
    // open page and removes that of a page no longer open, and nothing else.
    UserSettings next;
    PageStatePersistence::restoreStoredValues(next, context(), true);
    next.roles.set(testing::pageListKey(), {makePage(next, app.context(), 0)});
    next.roles()[0].loadSavedState();
    EXPECT_FALSE(traced("one or more files are corrupted"));
    EXPECT_EQ(next.roles().size(), 3u);
    next.selectedBibleArray.modify(
        testing::pageListKey(), [](std::vector<BibleStructure>& pages) { pages[1].praises[0].bgColor = 4; });
    next.savePageState(context());
    EXPECT_EQ(decodedPageFile(context(), 1), next.selectedBibleArray()[1]);
    EXPECT_FALSE(FileSystem::exists(temporary("LSC_Settings_5")));
    EXPECT_TRUE(FileSystem::exists(temporary("LSC_Settings_01")));
    EXPECT_FALSE(next.pageStateSaveFailed());
}

TEST_F(PageStatePersistenceTest, FailingSavesAreToldOnceOnThePageOnScreenUntilASaveSucceeds) {
    const BibleView page = settings.roles()[0];
    const std::string told = page.noticeText(BibleView::Notice::saveFailed);
    EXPECT_TRUE(told.starts_with("페이지를 저장하지 못했습니다."));
    // A page file, then the settings file, that cannot be written.
    for (const QString& blocked : {QDir(folder()).filePath("LSC_Settings_1"), app.settingsFilePath()}) {
        SCOPED_TRACE(blocked.toStdString());
        QFile::remove(blocked);
        ASSERT_TRUE(FileSystem::makeDirectories(blocked));
        save();
        EXPECT_TRUE(settings.pageStateSaveFailed());
        EXPECT_EQ(page.shownNotice(), told);
        app.manualScheduler().advance(BibleView::noticeDuration);
        EXPECT_EQ(page.shownNotice(), "");
        save();
        EXPECT_EQ(page.shownNotice(), "");

        ASSERT_TRUE(QDir(blocked).removeRecursively());
        save();
        EXPECT_FALSE(settings.pageStateSaveFailed());
        EXPECT_EQ(page.shownNotice(), "");
        EXPECT_EQ(decodedPageFile(context(), 1), records[1]);
    }
}

TEST_F(PageStatePersistenceTest, ASuccessfulSaveRemovesTheFilesOfPagesNoLongerOpen) {
    save();
    writeFile("LSC_Settings_9", "stale");
    writeFile("notes.txt", "foreign");
    writeFile("LSC_Settings_01", "foreign");

    // Page 1 is closed: the last page moves to index 1.
    settings.selectedBibleArray.modify(
        testing::pageListKey(), [](std::vector<BibleStructure>& pages) { pages.erase(pages.begin() + 1); });
    save();
    EXPECT_EQ(folderEntries(),
              (QStringList{"LSC_Settings_0", "LSC_Settings_01", "LSC_Settings_1", "notes.txt"}));
    EXPECT_EQ(decodedPageFile(context(), 1), records[2]);
}

TEST_F(PageStatePersistenceTest, LoadingCountsOnlyThePageStateFilesOfOpenPages) {
    save();
    writeFile("notes.txt", "foreign");
    writeFile(".hidden", "foreign");
    writeFile("LSC_Settings_01", "foreign");
    writeFile("LSC_Settings_1.bak", "foreign");
    writeFile("LSC_Settings_5", "left over from an earlier run");
    ASSERT_TRUE(FileSystem::makeDirectories(QDir(folder()).filePath("LSC_Settings_3")));

    settings.roles()[0].loadSavedState();
    EXPECT_TRUE(traced("fileArray count 3"));
    EXPECT_FALSE(traced("one or more files are corrupted"));
    EXPECT_EQ(settings.roles().size(), 3u);
}

TEST_F(PageStatePersistenceTest, AMissingIndexRebuildsNothing) {
    save();
    ASSERT_TRUE(FileSystem::removeFile(pageStateFilePath(context(), 1)));
    settings.roles()[0].loadSavedState();
    EXPECT_TRUE(traced("one or more files are corrupted"));
    EXPECT_EQ(settings.roles().size(), 1u);
    // Nothing is touched.
    EXPECT_EQ(folderEntries(), (QStringList{"LSC_Settings_0", "LSC_Settings_2"}));
}

TEST_F(PageStatePersistenceTest, ASingleFileOrNoFolderRebuildsNothing) {
    settings.roles()[0].loadSavedState();
    EXPECT_TRUE(tracedStartingWith("error "));
    EXPECT_EQ(settings.roles().size(), 1u);

    save();
    ASSERT_TRUE(FileSystem::removeFile(pageStateFilePath(context(), 1)));
    ASSERT_TRUE(FileSystem::removeFile(pageStateFilePath(context(), 2)));
    settings.roles()[0].loadSavedState();
    EXPECT_TRUE(traced("fileArray count 1"));
    EXPECT_EQ(settings.roles().size(), 1u);
}

TEST_F(PageStatePersistenceTest, ACorruptFileIsReportedAndEndsTheRebuildThere) {
    save();
    ASSERT_TRUE(
        FileSystem::writeAtomically(pageStateFilePath(context(), 2), QByteArray("\x0a\xff\xff\xff", 4)));
    settings.roles()[0].loadSavedState();
    EXPECT_TRUE(tracedStartingWith("error "));
    EXPECT_TRUE(traced("one or more files are corrupted"));
    ASSERT_EQ(settings.roles().size(), 2u);
    EXPECT_EQ(settings.roles()[1].pageIndex(), 1);
    // The corrupt file is left for the next save to replace.
    EXPECT_TRUE(folderEntries().contains("LSC_Settings_2"));
}

TEST_F(PageStatePersistenceTest, PagesThatRolesHoldsAreNotBuiltTwice) {
    save();
    settings.roles.modify(testing::pageListKey(), [&](std::vector<BibleView>& views) {
        views.push_back(makePage(settings, app.context(), 1));
    });
    settings.roles()[0].loadSavedState();
    ASSERT_EQ(settings.roles().size(), 3u);
    EXPECT_EQ(settings.roles()[1].pageIndex(), 1);
    EXPECT_EQ(settings.roles()[2].pageIndex(), 2);

    settings.roles()[0].loadSavedState();
    EXPECT_EQ(settings.roles().size(), 3u);
}

TEST_F(PageStatePersistenceTest, DeletesOnlyPageStateFiles) {
    save();
    writeFile("notes.txt", "foreign");
    ASSERT_TRUE(FileSystem::writeAtomically(app.context().documents().filePath("Lumenscroll_QT/keep"), "x"));

    deletePageStateFile(context(), "LSC_Settings_2");
    EXPECT_FALSE(folderEntries().contains("LSC_Settings_2"));

    // A name that is not there: nothing happens, nothing is said.
    app.traceCapture().clear();
    deletePageStateFile(context(), "LSC_Settings_7");
    EXPECT_TRUE(app.traceCapture().lines().isEmpty());

    for (const QString& name :
         {QString("notes.txt"), QString("../keep"), QString("LSC_Settings_1/../../keep"), QString("."),
          QString(".."), QString(""), QString("LSC_Settings_"), QString("LSC_Settings_01"),
          QString("LSC_Settings_-1"), QString("/LSC_Settings_1")}) {
        deletePageStateFile(context(), name);
    }
    EXPECT_EQ(folderEntries(), (QStringList{"LSC_Settings_0", "LSC_Settings_1", "notes.txt"}));
    EXPECT_TRUE(FileSystem::exists(app.context().documents().filePath("Lumenscroll_QT/keep")));
}

TEST_F(PageStatePersistenceTest, ReplacesOnlyTheFilesOfChangedPages) {
    save();
    // A second name for file 0 shows whether the file was replaced.
    const std::filesystem::path file0 = pageStateFilePath(context(), 0).toStdString();
    const std::filesystem::path alias = app.context().documents().filePath("alias").toStdString();
    std::filesystem::create_hard_link(file0, alias);

    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[1].praises[0].bookmarked = true;
    });
    save();
    EXPECT_EQ(std::filesystem::hard_link_count(file0), 2u);
    EXPECT_TRUE(decodedPageFile(context(), 1).praises[0].bookmarked);
    const auto pages = coding::JsonDecoder().decode<std::vector<BibleStructure>>(
        app.context().settings().data("SelectedBibleArray").value_or(QByteArray()).toStdString());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[1].praises[0].bookmarked);
}

TEST_F(PageStatePersistenceTest, ANoteTypedIntoThePageOnScreenIsSaved) {
    save();
    std::string note = "a longer note";
    QTViewForAPraise(Binding<std::int64_t>::constant(2), Binding<std::int64_t>::constant(1), "", "",
                     Binding<std::string>::to(note), settings, {}, {}, {})
        .noteChanged();
    save();
    EXPECT_EQ(decodedPageFile(context(), 1).praises[2].memo->memoContent, "a longer note");
    const auto pages = coding::JsonDecoder().decode<std::vector<BibleStructure>>(
        app.context().settings().data("SelectedBibleArray").value_or(QByteArray()).toStdString());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].praises[2].memo->memoContent, "a longer note");
}

TEST_F(PageStatePersistenceTest, TheMarkBookIsSavedWithThePagesWhenItChanged) {
    const QString file = MarkBookFile::path(folder());
    const auto stored = [&] {
        const QByteArray bytes = FileSystem::read(file).value_or(QByteArray("(none)"));
        return MarkBookFile::decode(bytesOf(bytes));
    };
    // Written at the first save, empty as it is: that it is there says the pages' marks are in it.
    save();
    const std::optional<FileStamp> first = FileSystem::stamp(file);
    ASSERT_TRUE(first);
    EXPECT_TRUE(stored().whole);
    EXPECT_EQ(stored().book, settings.markBook());
    save();
    EXPECT_EQ(FileSystem::stamp(file), first);

    // A mark, and a file something else changed.
    makePage(settings, app.context(), 0).toggleBookmark(1);
    EXPECT_TRUE(stored().book.marks({BibleKind::kr01, 0, 0}, 1).bookmarked);
    ASSERT_TRUE(FileSystem::writeAtomically(file, "not a mark book"));
    save();
    EXPECT_TRUE(stored().whole);
    EXPECT_EQ(stored().book, settings.markBook());
}

TEST_F(PageStatePersistenceTest, AFileChangedOrRemovedSinceTheLastSaveIsWrittenAgain) {
    save();
    ASSERT_TRUE(FileSystem::writeAtomically(pageStateFilePath(context(), 0), "not a page"));
    ASSERT_TRUE(FileSystem::removeFile(pageStateFilePath(context(), 2)));
    save();
    for (std::int64_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decodedPageFile(context(), i), records[static_cast<std::size_t>(i)]) << i;
    }

    ASSERT_TRUE(QDir(folder()).removeRecursively());
    save();
    EXPECT_EQ(folderEntries(), (QStringList{"LSC_Settings_0", "LSC_Settings_1", "LSC_Settings_2"}));
}

TEST_F(PageStatePersistenceTest, TheNextRunWritesOnlyWhatItChanges) {
    save();
    const std::optional<FileStamp> settingsFile = FileSystem::stamp(app.settingsFilePath());
    const std::optional<FileStamp> file1 = FileSystem::stamp(pageStateFilePath(context(), 1));
    ASSERT_TRUE(settingsFile && file1);

    // The next run: the stored values come back, the texts from the resources, and the restore
    // saves.
    UserSettings next;
    PageStatePersistence::restoreStoredValues(next, context(), true);
    EXPECT_EQ(next.BibleWordsContainer(), settings.BibleWordsContainer());
    next.selectedBibleArray.set(testing::pageListKey(), records);
    next.savePageState(context());
    EXPECT_EQ(FileSystem::stamp(app.settingsFilePath()), settingsFile);
    EXPECT_EQ(FileSystem::stamp(pageStateFilePath(context(), 1)), file1);

    // A change to one page: the stored list is the whole list as the encoder writes it.
    next.selectedBibleArray.modify(
        testing::pageListKey(), [](std::vector<BibleStructure>& pages) { pages[2].praises[4].bgColor = 2; });
    next.savePageState(context());
    EXPECT_EQ(app.context().settings().data("SelectedBibleArray"),
              PageStatePersistence::selectedBibleArrayJson(next.selectedBibleArray()));
    EXPECT_EQ(FileSystem::stamp(pageStateFilePath(context(), 1)), file1);
    EXPECT_EQ(decodedPageFile(context(), 2), next.selectedBibleArray()[2]);
}

// A changed page's entry is made from its last one where its verses are as they were: whatever
// changed, the stored list is what the encoder writes of the whole list, and the next run, which
// finds it in another layout, stores the same pages.
TEST_F(PageStatePersistenceTest, TheStoredListIsTheEncodersWhateverChangedSinceTheLastSave) {
    const std::vector<std::function<void(std::vector<BibleStructure>&)>> changes = {
        [](auto& pages) { pages[0].praises[1].setMemoContent("\"quoted\"\n새 메모"); },
        [](auto& pages) { pages[1].praises.push_back(pages[1].praises[0]); },
        [](auto& pages) { pages[1].praises.erase(pages[1].praises.begin()); },
        [](auto& pages) { pages[2].versesIndex = 7; pages[2].praises[0].isSelected = true; },
        [](auto& pages) { pages[2].praises.clear(); },
        [](auto& pages) { pages[2].praises = pages[0].praises; pages[0].name = "praises\":[]"; },
    };
    save();
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            // The next run finds the list in another layout: no entry of it is made around.
            SettingsStore& stored = app.context().settings();
            stored.setData("SelectedBibleArray", stored.data("SelectedBibleArray")->replace("\"praises\":", "\"praises\" : "));
        }
        UserSettings next;
        PageStatePersistence::restoreStoredValues(next, context(), true);
        UserSettings& saving = run == 0 ? settings : next;
        for (const auto& change : changes) {
            saving.selectedBibleArray.modify(testing::pageListKey(), change);
            saving.savePageState(context());
            const QByteArray stored = app.context().settings().data("SelectedBibleArray").value_or("");
            const QByteArray whole = PageStatePersistence::selectedBibleArrayJson(saving.selectedBibleArray());
            // An unchanged page keeps its entry as the last run stored it.
            if (run == 0) {
                EXPECT_EQ(stored, whole);
            }
            const auto decoded = [](const QByteArray& json) {
                return coding::JsonDecoder().decode<std::vector<BibleStructure>>(json.toStdString());
            };
            EXPECT_EQ(decoded(stored), decoded(whole));
        }
    }
}

TEST_F(PageStatePersistenceTest, TheStoredTextsComeBackAsTheyWereStoredInAnyLayout) {
    std::vector<std::vector<BibleStructure>> books = UserSettings::placeholderBooks();
    books[0] = {BibleStructure{}, chapterRecord(0, 1, BibleKind::kr01, 3, "태초에, [하나님이] {천지를}")};
    books[65].push_back(chapterRecord(65, 22, BibleKind::en01, 2, "\"Amen\""));
    const QByteArray compact = PageStatePersistence::bibleWordsContainerJson(books);
    QByteArray spaced = compact;
    spaced.replace("[[", " [ [ ").replace("],[", " ] ,\n[ ").replace("]]", "] ]\n");
    for (const QByteArray& stored : {compact, spaced}) {
        app.context().settings().setData("BibleWordsContainer", stored);
        UserSettings next;
        PageStatePersistence::restoreStoredValues(next, context(), false);
        EXPECT_EQ(next.BibleWordsContainer(), books) << stored.left(40).toStdString();
    }
}

TEST_F(PageStatePersistenceTest, ABackupIsNamedByTheClockAndNeverReplaced) {
    const QString key = PageStatePersistence::selectedBibleArrayKey;
    app.fixedClock().set(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)));
    PageStatePersistence::backUp(context(), key, "first", "corrupt");
    PageStatePersistence::backUp(context(), key, "second", "corrupt");
    // The same bytes again, however much later: already kept.
    app.fixedClock().set(QDateTime(QDate(2026, 1, 2), QTime(8, 0, 0)));
    PageStatePersistence::backUp(context(), key, "first", "corrupt");

    const QDir base(app.context().documents().filePath(PageStatePersistence::baseFolderName));
    EXPECT_EQ(base.entryList(QDir::Files).size(), 2);
    EXPECT_EQ(FileSystem::read(base.filePath("SelectedBibleArray.corrupt-20251231-235958.json")),
              QByteArray("first"));
    EXPECT_EQ(FileSystem::read(base.filePath("SelectedBibleArray.corrupt-20251231-235958-2.json")),
              QByteArray("second"));
}

// As the program saves: the user defaults are written on the settings store's writer thread.
TEST(PageStateSavedInTheBackground, AFailedSaveIsToldWhenTheEventLoopBringsItsOutcome) {
    TestAppContext app({}, 1, SettingsStore::Writes::onWriterThread);
    UserSettings settings;
    settings.selectedBibleArray.set(testing::pageListKey(),
                                    {chapterRecord(0, 0, BibleKind::kr01, 3, "태초에")});
    settings.roles.set(testing::pageListKey(), {makePage(settings, app.context(), 0)});
    const auto eventLoopUntil = [](const std::function<bool()>& done) {
        const QDeadlineTimer deadline(10'000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
        return done();
    };

    ASSERT_TRUE(FileSystem::makeDirectories(app.settingsFilePath()));
    settings.savePageState(app.context());
    EXPECT_TRUE(eventLoopUntil([&] { return settings.pageStateSaveFailed(); }));

    ASSERT_TRUE(QDir(app.settingsFilePath()).removeRecursively());
    settings.savePageState(app.context());
    EXPECT_TRUE(eventLoopUntil([&] { return !settings.pageStateSaveFailed(); }));
    EXPECT_EQ(SettingsStore(app.settingsFilePath()).data("SelectedBibleArray"),
              PageStatePersistence::selectedBibleArrayJson(settings.selectedBibleArray()));
}

TEST(PageStateJson, TheStoredValuesAreWhatTheEncoderWrites) {
    std::vector<BibleStructure> pages = {chapterRecord(0, 0, BibleKind::kr01, 3, "태초에"),
                                         chapterRecord(42, 2, BibleKind::en01, 2, "\"In\" the beginning")};
    pages[1].praises[1].setMemoContent("note");
    std::vector<BibleStructure> blanked = pages;
    for (BibleStructure& page : blanked) {
        for (BiblePraise& verse : page.praises) {
            verse.word.clear();
        }
    }
    EXPECT_EQ(PageStatePersistence::selectedBibleArrayJson(pages).toStdString(),
              std::string(coding::JsonEncoder().encode(blanked).view()));
    EXPECT_EQ(PageStatePersistence::selectedBibleArrayJson({}).toStdString(), "[]");

    std::vector<std::vector<BibleStructure>> books = UserSettings::placeholderBooks();
    EXPECT_EQ(PageStatePersistence::bibleWordsContainerJson(books).toStdString(),
              std::string(coding::JsonEncoder().encode(books).view()));
    books[3].resize(5);
    books[3][4] = chapterRecord(3, 4, BibleKind::kr01, 2, "민수기 \"인용\"");
    books[65].push_back(chapterRecord(65, 1, BibleKind::en01, 1));
    EXPECT_EQ(PageStatePersistence::bibleWordsContainerJson(books).toStdString(),
              std::string(coding::JsonEncoder().encode(books).view()));
    EXPECT_EQ(PageStatePersistence::bibleWordsContainerJson({}).toStdString(), "[]");
    EXPECT_EQ(PageStatePersistence::bibleWordsContainerJson({{}}).toStdString(), "[[]]");
}

TEST(PageStateFileName, IsThePrefixAndADecimalIndex) {
    EXPECT_EQ(PageStatePersistence::fileName(0), "LSC_Settings_0");
    EXPECT_EQ(PageStatePersistence::fileName(12), "LSC_Settings_12");
    EXPECT_EQ(PageStatePersistence::pageIndexOfFileName("LSC_Settings_0"), 0);
    EXPECT_EQ(PageStatePersistence::pageIndexOfFileName("LSC_Settings_12"), 12);
    for (const char* name :
         {"LSC_Settings_", "LSC_Settings_01", "LSC_Settings_-1", "LSC_Settings_1 ", "LSC_Settings_1.bak",
          "lsc_settings_1", "LSC_Settings_1/x", "LSC_Settings_١", "LSC_Settings_1234567890123456789"}) {
        EXPECT_FALSE(PageStatePersistence::pageIndexOfFileName(QString::fromUtf8(name)).has_value()) << name;
    }
}

} // namespace
} // namespace lumenscroll
