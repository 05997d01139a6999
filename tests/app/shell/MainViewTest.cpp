// The main view's button bar: what each button selects and which flags it sets, the first
// selection 0.1 seconds after the view appears, and what reaches the shared tabIndex.

#include "app/shell/MainView.h"

#include "app/model/User.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

class MainViewTest : public ::testing::Test {
protected:
    // Shown, with "Bible" selected.
    MainView& shownView() {
        view.appear();
        test.manualScheduler().advance(MainView::firstSelectionDelay);
        return view;
    }
    void settle() { test.manualScheduler().runReady(); }

    TestAppContext test;
    UserSettings settings;
    MainView view{settings, test.context()};
};

TEST_F(MainViewTest, NothingIsSelectedUntilATenthOfASecondAfterTheViewFirstAppears) {
    settings.tabIndex.set(9);
    EXPECT_EQ(view.index(), MainView::noSelection);
    EXPECT_FALSE(view.isMainAreaShown());
    EXPECT_FALSE(view.isButtonBarShown());

    view.appear();
    view.appear();
    test.manualScheduler().advance(milliseconds{99});
    EXPECT_EQ(view.index(), MainView::noSelection);
    test.manualScheduler().advance(milliseconds{1});
    EXPECT_EQ(view.index(), MainView::bibleIndex);
    EXPECT_TRUE(view.isMainAreaShown());
    EXPECT_TRUE(view.isButtonBarShown());
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0u);
    // The bar finds "Bible" selected as it comes: no change to hand on.
    EXPECT_EQ(settings.tabIndex(), 9);
}

TEST_F(MainViewTest, SettingsTwiceKeepsItSelectedAndItsFlagAsBeforeAndHandsTheSelectionOn) {
    shownView();
    view.settingsButtonPressed();
    EXPECT_EQ(view.index(), MainView::settingsIndex);
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    view.settingsButtonPressed();
    EXPECT_EQ(view.index(), MainView::settingsIndex);
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_FALSE(settings.aboutViewBtnPressed());
    settle();
    EXPECT_EQ(settings.tabIndex(), MainView::settingsIndex);
}

TEST_F(MainViewTest, AboutFlipsOnlyItsOwnFlag) {
    shownView();
    settings.settingsViewBtnPressed.set(true);
    view.aboutButtonPressed();
    EXPECT_EQ(view.index(), MainView::aboutIndex);
    EXPECT_TRUE(settings.aboutViewBtnPressed());
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    view.aboutButtonPressed();
    EXPECT_FALSE(settings.aboutViewBtnPressed());
}

TEST_F(MainViewTest, BibleSelectsItselfAndWhenSelectedTogglesTheOverview) {
    shownView();
    view.aboutButtonPressed();
    view.bibleButtonPressed();
    EXPECT_EQ(view.index(), MainView::bibleIndex);
    EXPECT_FALSE(view.isShrinked());
    view.bibleButtonPressed();
    EXPECT_EQ(view.index(), MainView::bibleIndex);
    EXPECT_TRUE(view.isShrinked());
    view.bibleButtonPressed();
    EXPECT_FALSE(view.isShrinked());
}

TEST_F(MainViewTest, BiblePressedAfterAnotherButtonInTheOverviewEndsItAtOnce) {
    shownView();
    view.isShrinked.set(true);
    // "New Page" leaves the carousel in the overview, with its new page.
    view.newPageButtonPressed();
    settle();
    ASSERT_TRUE(view.isShrinked());
    view.bibleButtonPressed();
    EXPECT_EQ(view.index(), MainView::bibleIndex);
    EXPECT_FALSE(view.isShrinked());
}

TEST_F(MainViewTest, NewPageSetsTheSharedAndTheBoundFlagEveryTime) {
    shownView();
    view.newPageButtonPressed();
    EXPECT_EQ(view.index(), MainView::newPageIndex);
    EXPECT_TRUE(settings.plusBible());
    EXPECT_TRUE(view.plusBtnPressed());
    EXPECT_FALSE(view.plusBible());

    // The carousel clears them once the page is added; a second click sets them again.
    settings.plusBible.set(false);
    view.plusBtnPressed.set(false);
    view.newPageButtonPressed();
    EXPECT_TRUE(settings.plusBible());
    EXPECT_TRUE(view.plusBtnPressed());
    settle();
    EXPECT_EQ(settings.tabIndex(), MainView::newPageIndex);
}

TEST_F(MainViewTest, TheSelectedLabelIsBlackInTheLightSchemeAndEveryOtherWhite) {
    shownView();
    view.settingsButtonPressed();
    for (const MainView::BarButton& button : MainView::barButtons()) {
        EXPECT_EQ(view.labelColor(button.index),
                  button.index == MainView::settingsIndex ? NamedColor::black : NamedColor::white);
    }
    view.scheme.set(ColorScheme::dark);
    for (const MainView::BarButton& button : MainView::barButtons()) {
        EXPECT_EQ(view.labelColor(button.index), NamedColor::white);
    }
}

TEST_F(MainViewTest, AHiddenBarHandsNoSelectionOnAndComesBackWithTheSameSelection) {
    shownView();
    view.aboutButtonPressed();
    settle();
    EXPECT_EQ(settings.tabIndex(), MainView::aboutIndex);

    settings.isMainTabBarHide.set(true);
    EXPECT_FALSE(view.isButtonBarShown());
    EXPECT_TRUE(view.isMainAreaShown());
    settle();
    settings.tabIndex.set(9);
    settings.isMainTabBarHide.set(false);
    settle();
    EXPECT_TRUE(view.isButtonBarShown());
    EXPECT_EQ(view.index(), MainView::aboutIndex);
    EXPECT_EQ(settings.tabIndex(), 9);
}

TEST_F(MainViewTest, AUserWithIdAndEmailIsMarkedLoggedInWhenTheMainAreaAppears) {
    settings.user()->id = "u1";
    settings.user()->email = "u1@example.org";
    int announcements = 0;
    QObject::connect(&settings, &ObservableObject::objectWillChange, [&] { ++announcements; });
    view.appear();
    settle();
    EXPECT_FALSE(settings.user()->loginned);
    test.manualScheduler().advance(MainView::firstSelectionDelay);
    EXPECT_TRUE(settings.user()->loginned);
    EXPECT_EQ(announcements, 0);
}

TEST_F(MainViewTest, AUserWithoutIdOrEmailIsLeftAsItIs) {
    for (const auto& [id, email] : {std::pair{"u1", ""}, std::pair{"", "u1@example.org"}}) {
        UserSettings local;
        local.user()->id = id;
        local.user()->email = email;
        MainView localView(local, test.context());
        localView.appear();
        test.manualScheduler().advance(MainView::firstSelectionDelay);
        EXPECT_FALSE(local.user()->loginned);
    }
}

} // namespace
} // namespace lumenscroll
