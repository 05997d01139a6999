// The preferences panel's behaviour: what the pickers show when the panel appears and what a
// choice writes, into the shared state and into the user defaults, across a restart.

#include "app/shell/SettingsView.h"

#include "app/model/FontSizes.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

class SettingsViewTest : public ::testing::Test {
protected:
    void settle() { test.manualScheduler().runReady(); }
    SettingsStore& defaults() { return test.context().settings(); }

    TestAppContext test;
    UserSettings settings;
    SettingsView view{settings, test.context()};
};

TEST_F(SettingsViewTest, WithNothingStoredTheSizeIs14AndOnlyTheSizeIsWrittenBack) {
    settings.pickerIndex.set(7);
    view.appear();
    settle();
    EXPECT_EQ(view.pickerIndex(), 2);
    EXPECT_EQ(view.pickerIndex2(), 0);
    EXPECT_EQ(view.pickerIndex3(), 0);
    EXPECT_EQ(view.options[2], 14);
    EXPECT_EQ(settings.pickerIndex(), 2);
    EXPECT_EQ(defaults().integer(QStringLiteral("fontSize")), 2);
    EXPECT_FALSE(defaults().hasValue(QStringLiteral("fontColor")));
    EXPECT_FALSE(defaults().hasValue(QStringLiteral("font")));
    // The sizes are the ones the pages draw with.
    EXPECT_EQ(view.options, std::vector<std::int64_t>(fontSizes.begin(), fontSizes.end()));
    EXPECT_EQ(view.fontColorNameArray.size(), view.fontColorArray.size());
    EXPECT_EQ(view.customFontsNameArray.size(), 16u);
}

TEST_F(SettingsViewTest, AChoiceGoesToTheSharedStateAndSurvivesARestart) {
    view.appear();
    settle();
    struct Case {
        Published<std::int64_t>& picker;
        std::int64_t index;
        const Published<std::int64_t>& shared;
        QString key;
    };
    // Size 55, "하얀색", "배민 한나 11주년".
    const std::vector<Case> cases{{view.pickerIndex, 15, settings.pickerIndex, QStringLiteral("fontSize")},
                                  {view.pickerIndex2, 11, settings.pickerIndex2, QStringLiteral("fontColor")},
                                  {view.pickerIndex3, 4, settings.pickerIndex3, QStringLiteral("font")}};
    for (const Case& c : cases) {
        c.picker.set(c.index);
        settle();
        EXPECT_EQ(c.shared(), c.index) << c.key.toStdString();
    }
    EXPECT_EQ(view.options[15], 55);
    EXPECT_EQ(view.fontColorNameArray[11], "하얀색");

    // What the next run reads: the file on disk, through a store of its own.
    const SettingsStore nextRun(test.settingsFilePath());
    for (const Case& c : cases) {
        EXPECT_EQ(nextRun.integer(c.key), c.index) << c.key.toStdString();
    }
    UserSettings nextSettings;
    SettingsView nextView(nextSettings, test.context());
    nextView.appear();
    EXPECT_EQ(nextView.pickerIndex(), 15);
    EXPECT_EQ(nextView.pickerIndex2(), 11);
    EXPECT_EQ(nextView.pickerIndex3(), 4);
}

TEST_F(SettingsViewTest, AStoredIndexOutsideTheListIsKeptAndReadersFallBack) {
    defaults().setInteger(QStringLiteral("fontSize"), 99);
    defaults().setInteger(QStringLiteral("fontColor"), -3);
    view.appear();
    settle();
    EXPECT_EQ(settings.pickerIndex(), 99);
    EXPECT_EQ(settings.pickerIndex2(), -3);
    EXPECT_EQ(defaults().integer(QStringLiteral("fontSize")), 99);
    EXPECT_EQ(fontSizeForIndex(settings.pickerIndex()), 14);
}

TEST_F(SettingsViewTest, CloseClearsOnlyItsFlag) {
    settings.settingsViewBtnPressed.set(true);
    settings.aboutViewBtnPressed.set(true);
    view.close();
    settle();
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_TRUE(settings.aboutViewBtnPressed());
    EXPECT_FALSE(defaults().hasValue(QStringLiteral("fontSize")));
}

} // namespace
} // namespace lumenscroll
