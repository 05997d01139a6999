#include "app/platform/ResourceLocator.h"
#include "app/platform/FileSystem.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

const QString genesis = QString::fromUtf8("01창세기");

QString decomposed(const QString& text) {
    return text.normalized(QString::NormalizationForm_D);
}

class ResourceLocatorTest : public testing::Test {
protected:
    QTemporaryDir folder;
    ResourceLocator locator{folder.path()};

    void add(const QString& fileName) {
        ASSERT_TRUE(FileSystem::writeAtomically(QDir(folder.path()).filePath(fileName), "1:1 text\n"));
    }
};

TEST_F(ResourceLocatorTest, FindsAResourceByNameAndType) {
    add("01Genesis.txt");
    add("IntroMovie.mp4");
    EXPECT_EQ(locator.path("01Genesis", "txt"), QDir(folder.path()).filePath("01Genesis.txt"));
    EXPECT_EQ(locator.path("IntroMovie.mp4", ""), QDir(folder.path()).filePath("IntroMovie.mp4"));
    EXPECT_EQ(locator.path("01Genesis", "mp4"), std::nullopt);
    EXPECT_EQ(locator.path("02Exodus", "txt"), std::nullopt);
}

TEST_F(ResourceLocatorTest, AComposedKoreanNameFindsADecomposedFile) {
    ASSERT_NE(decomposed(genesis), genesis);
    add(decomposed(genesis) + ".txt");
    const auto found = locator.path(genesis, "txt");
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(FileSystem::exists(*found));
}

TEST_F(ResourceLocatorTest, ADecomposedKoreanNameFindsAComposedFile) {
    add(genesis + ".txt");
    EXPECT_EQ(locator.path(decomposed(genesis), "txt"), QDir(folder.path()).filePath(genesis + ".txt"));
}

TEST_F(ResourceLocatorTest, NamesThatLeaveTheFolderOrNameAFolderAreNotFound) {
    add("inside.txt");
    FileSystem::makeDirectories(QDir(folder.path()).filePath("fonts"));
    const ResourceLocator nested(QDir(folder.path()).filePath("fonts"));
    EXPECT_EQ(nested.path("../inside", "txt"), std::nullopt);
    EXPECT_EQ(locator.path("fonts", ""), std::nullopt);
    EXPECT_EQ(locator.path("..", ""), std::nullopt);
    EXPECT_EQ(locator.path("", "txt"), std::nullopt);
}

} // namespace
} // namespace lumenscroll
