// The application's quit rule: the pages are saved at quit only once they were restored at
// launch and while one is open, so a quit during the start-up screen never overwrites them.

#include "app/shell/LumenscrollApp.h"

#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"
#include "testing/reading/PageListKeyForTests.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

BibleStructure genesisPage() {
    BibleStructure page;
    page.order = 0;
    page.name = "창세기";
    page.praises.resize(2);
    return page;
}

class LumenscrollAppTest : public ::testing::Test {
protected:
    QString pageFile(std::int64_t index) const {
        return QDir(PageStatePersistence::settingsFolder(test.context())).filePath(PageStatePersistence::fileName(index));
    }
    std::optional<QByteArray> storedPages() const {
        return test.context().settings().data(PageStatePersistence::selectedBibleArrayKey);
    }

    mutable TestAppContext test;
    LumenscrollApp app{test.context()};
};

TEST_F(LumenscrollAppTest, AQuitBeforeThePagesWereRestoredLeavesWhatTheLastRunSaved) {
    test.context().settings().setData(PageStatePersistence::selectedBibleArrayKey, QByteArrayLiteral("last run"));
    // The start-up loader has filled the texts, but no page was restored yet.
    app.userSettings().selectedBibleArray.set(testing::pageListKey(), {genesisPage()});
    EXPECT_FALSE(app.savesAtQuit());
    app.windowWillClose();
    app.applicationWillQuit();
    EXPECT_EQ(storedPages(), QByteArrayLiteral("last run"));
    EXPECT_FALSE(QFileInfo::exists(pageFile(0)));
}

TEST_F(LumenscrollAppTest, AQuitWithNoPageOpenSavesNothing) {
    app.pagesRestored().set(true);
    EXPECT_TRUE(app.hasRestoredPages());
    EXPECT_FALSE(app.savesAtQuit());
    app.windowWillClose();
    EXPECT_FALSE(storedPages().has_value());
}

TEST_F(LumenscrollAppTest, ClosingTheWindowAfterTheRestoreSavesTheOpenPagesOnce) {
    app.pagesRestored().set(true);
    app.userSettings().selectedBibleArray.set(testing::pageListKey(), {genesisPage(), genesisPage()});
    EXPECT_TRUE(app.savesAtQuit());
    app.windowWillClose();
    EXPECT_TRUE(QFileInfo::exists(pageFile(0)));
    EXPECT_TRUE(QFileInfo::exists(pageFile(1)));
    const std::optional<QByteArray> saved = storedPages();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, PageStatePersistence::selectedBibleArrayJson(app.userSettings().selectedBibleArray()));

    // The quit that follows the close does not save a second time.
    app.userSettings().selectedBibleArray.set(testing::pageListKey(), {genesisPage()});
    app.applicationWillQuit();
    EXPECT_EQ(storedPages(), saved);
    EXPECT_TRUE(QFileInfo::exists(pageFile(1)));
}

TEST_F(LumenscrollAppTest, QuittingWithoutClosingTheWindowSavesToo) {
    app.pagesRestored().set(true);
    app.userSettings().selectedBibleArray.set(testing::pageListKey(), {genesisPage()});
    app.applicationWillQuit();
    EXPECT_TRUE(QFileInfo::exists(pageFile(0)));
    EXPECT_TRUE(storedPages().has_value());
}

} // namespace
} // namespace lumenscroll
