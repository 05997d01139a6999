#include "app/platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

class FileSystemTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QString path(const QString& relative) const { return QDir(folder.path()).filePath(relative); }
};

TEST_F(FileSystemTest, AnAtomicWriteReplacesTheWholeFileAndLeavesNothingBeside) {
    const QString file = path("LSC_Settings_0");
    ASSERT_TRUE(FileSystem::writeAtomically(file, QByteArray(1000, 'x')));
    ASSERT_TRUE(FileSystem::writeAtomically(file, "short"));
    EXPECT_EQ(FileSystem::read(file), QByteArray("short"));
    EXPECT_EQ(FileSystem::list(folder.path()), QStringList{"LSC_Settings_0"});
}

TEST_F(FileSystemTest, AFailedWriteSaysWhyAndCreatesNothing) {
    QString error;
    EXPECT_FALSE(FileSystem::writeAtomically(path("Lumenscroll_QT/LSC_Settings_0"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(FileSystem::exists(path("Lumenscroll_QT")));

    // A folder standing where the file should be is not replaced.
    ASSERT_TRUE(FileSystem::makeDirectories(path("taken")));
    EXPECT_FALSE(FileSystem::writeAtomically(path("taken"), "x"));
    EXPECT_TRUE(FileSystem::isDirectory(path("taken")));
}

TEST_F(FileSystemTest, ABatchReplacesInOrderUpToTheFirstFileThatCannotBeReplaced) {
    ASSERT_TRUE(FileSystem::writeAtomically(path("a"), "old a"));
    ASSERT_TRUE(FileSystem::writeAtomically(path("c"), "old c"));
    ASSERT_TRUE(FileSystem::makeDirectories(path("b")));
    const std::vector<FileSystem::Replacement> batch = {
        {path("a"), "new a"}, {path("b"), "x"}, {path("c"), "new c"}};
    QString error;
    EXPECT_EQ(FileSystem::writeAllAtomically(batch, &error), 1u);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FileSystem::read(path("a")), QByteArray("new a"));
    EXPECT_TRUE(FileSystem::isDirectory(path("b")));
    EXPECT_EQ(FileSystem::read(path("c")), QByteArray("old c"));
    EXPECT_EQ(FileSystem::list(folder.path()), (QStringList{"a", "b", "c"}));

    // The file put out of place is written over by the next replacement, unless it has another
    // name, whose bytes stay; a shorter file leaves nothing of a longer one behind.
    EXPECT_EQ(
        FileSystem::writeAllAtomically(std::vector<FileSystem::Replacement>{{path("a"), "newer a, longer"}}),
        1u);
    ASSERT_EQ(::link(QFile::encodeName(path("a")).constData(), QFile::encodeName(path("kept")).constData()),
              0);
    for (const QByteArray& bytes : {QByteArray("third"), QByteArray("4th"), QByteArray("5")}) {
        EXPECT_EQ(FileSystem::writeAllAtomically(std::vector<FileSystem::Replacement>{{path("a"), bytes}}),
                  1u);
        EXPECT_EQ(FileSystem::read(path("a")), bytes);
    }
    EXPECT_EQ(FileSystem::read(path("kept")), QByteArray("newer a, longer"));
}

TEST_F(FileSystemTest, MakeDirectoriesCreatesEveryLevelAndAcceptsAnExistingFolder) {
    const QString settings = path("Lumenscroll_QT/Lumenscroll_Settings");
    EXPECT_TRUE(FileSystem::makeDirectories(settings));
    EXPECT_TRUE(FileSystem::makeDirectories(settings));
    EXPECT_TRUE(FileSystem::isDirectory(settings));
}

TEST_F(FileSystemTest, ListingShowsVisibleEntriesSortedAndFailsForAMissingFolder) {
    FileSystem::writeAtomically(path("LSC_Settings_1"), "b");
    FileSystem::writeAtomically(path("LSC_Settings_0"), "a");
    FileSystem::writeAtomically(path(".DS_Store"), "hidden");
    FileSystem::makeDirectories(path("sub"));
    EXPECT_EQ(FileSystem::list(folder.path()), (QStringList{"LSC_Settings_0", "LSC_Settings_1", "sub"}));

    QString error;
    EXPECT_EQ(FileSystem::list(path("missing"), &error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FileSystemTest, ListingFilesShowsHiddenOnesAndNoFolders) {
    FileSystem::writeAtomically(path("LSC_Settings_0"), "a");
    FileSystem::writeAtomically(FileSystem::temporaryPath(path("LSC_Settings_1")), "hidden");
    FileSystem::makeDirectories(path("sub"));
    std::optional<QStringList> files = FileSystem::listFiles(folder.path());
    ASSERT_TRUE(files.has_value());
    files->sort();
    EXPECT_EQ(files, (QStringList{".LSC_Settings_1.saving", "LSC_Settings_0"}));

    QString error;
    EXPECT_EQ(FileSystem::listFiles(path("missing"), &error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FileSystemTest, AFileIsARegularFileOrALinkToOne) {
    FileSystem::writeAtomically(path("file"), "x");
    FileSystem::makeDirectories(path("folder"));
    ASSERT_TRUE(QFile::link(path("file"), path("link")));
    EXPECT_EQ(FileSystem::filePath(folder.path(), "file"), folder.path() + "/file");
    const std::pair<const char*, bool> cases[] = {
        {"file", true}, {"link", true}, {"folder", false}, {"missing", false}};
    for (const auto& [name, isFile] : cases) {
        EXPECT_EQ(FileSystem::isFile(path(name)), isFile) << name;
    }
}

TEST_F(FileSystemTest, ANewFileIsWrittenOnlyWhereNothingIs) {
    EXPECT_EQ(FileSystem::writeNew(path("backup"), "first"), FileSystem::NewFile::written);
    EXPECT_EQ(FileSystem::writeNew(path("backup"), "second"), FileSystem::NewFile::alreadyThere);
    EXPECT_EQ(FileSystem::read(path("backup")), QByteArray("first"));
    FileSystem::makeDirectories(path("folder"));
    EXPECT_EQ(FileSystem::writeNew(path("folder"), "x"), FileSystem::NewFile::alreadyThere);

    QString error;
    EXPECT_EQ(FileSystem::writeNew(path("missing/backup"), "x", &error), FileSystem::NewFile::failed);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FileSystemTest, ReadingTextRequiresValidUtf8) {
    FileSystem::writeAtomically(path("01창세기.txt"), "1:1 태초에 하나님이 천지를 창조하시니라\n");
    FileSystem::writeAtomically(path("broken.txt"), QByteArray("1:1 \xff\xfe", 6));
    EXPECT_EQ(FileSystem::readUtf8(path("01창세기.txt")),
              QString("1:1 태초에 하나님이 천지를 창조하시니라\n"));
    QString error;
    EXPECT_EQ(FileSystem::readUtf8(path("broken.txt"), &error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FileSystem::read(path("missing.txt")), std::nullopt);
}

TEST_F(FileSystemTest, RemovingAMissingFileFailsAndRemovingAFileWorks) {
    QString error;
    EXPECT_FALSE(FileSystem::removeFile(path("LSC_Settings_3"), &error));
    EXPECT_FALSE(error.isEmpty());
    FileSystem::writeAtomically(path("LSC_Settings_3"), "x");
    EXPECT_TRUE(FileSystem::removeFile(path("LSC_Settings_3")));
    EXPECT_FALSE(FileSystem::exists(path("LSC_Settings_3")));
}

} // namespace
} // namespace lumenscroll
