#include "testing/platform/TestAppContext.h"
#include "app/platform/FileSystem.h"
#include "app/platform/Trace.h"

#include <QDir>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace lumenscroll {
namespace {

TEST(TestAppContext, KeepsEverythingInATemporaryFolderOfItsOwn) {
    QString root;
    {
        TestAppContext test;
        AppContext& context = test.context();
        root = test.rootPath();
        EXPECT_TRUE(context.documents().path().startsWith(root));
        EXPECT_TRUE(FileSystem::isDirectory(context.documents().path()));
        EXPECT_TRUE(context.resources().directory().startsWith(root));

        context.settings().setInteger("fontSize", 4);
        EXPECT_TRUE(context.settings().sync());
        EXPECT_TRUE(FileSystem::exists(test.settingsFilePath()));

        ASSERT_TRUE(test.addResource("01Genesis.txt", "1:1 In the beginning\r\n"));
        EXPECT_TRUE(context.resources().path("01Genesis", "txt").has_value());
    }
    EXPECT_FALSE(QDir(root).exists());
}

TEST(TestAppContext, NeverWritesIntoAGivenResourceFolder) {
    QTemporaryDir real;
    TestAppContext test(real.path());
    EXPECT_EQ(test.context().resources().directory(), real.path());
    EXPECT_FALSE(test.addResource("stray.txt", "x"));
    EXPECT_EQ(FileSystem::list(real.path()), QStringList{});
}

TEST(TestAppContext, ServicesAreTheTestStandIns) {
    TestAppContext test;
    AppContext& context = test.context();

    QObject view;
    bool ran = false;
    context.scheduler().postAfter(&view, std::chrono::milliseconds{3000}, [&] { ran = true; });
    test.manualScheduler().advance(std::chrono::milliseconds{3000});
    EXPECT_TRUE(ran);

    trace("captured");
    EXPECT_EQ(test.traceCapture().lines(), QStringList{"captured"});

    EXPECT_FALSE(context.keys().isOptionKeyDown());
    test.fixedKeyProbe().setOptionKeyDown(true);
    EXPECT_TRUE(context.keys().isOptionKeyDown());

    EXPECT_FALSE(context.animations().enabled());
    EXPECT_EQ(context.animations().standard().duration.count(), 0);
}

TEST(TestAppContext, TheSameSeedGivesTheSameChoices) {
    TestAppContext first(QString(), 7);
    TestAppContext second(QString(), 7);
    for (int i = 0; i < 20; ++i) {
        const int choice = first.context().random().below(9);
        EXPECT_EQ(choice, second.context().random().below(9));
        EXPECT_GE(choice, 0);
        EXPECT_LT(choice, 9);
    }
    EXPECT_EQ(first.context().random().below(0), 0);
}

} // namespace
} // namespace lumenscroll
