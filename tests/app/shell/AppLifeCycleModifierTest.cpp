#include "app/shell/AppLifeCycleModifier.h"

#include "app/platform/AppActivity.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumenscroll {
namespace {

class AppLifeCycleModifierTest : public ::testing::Test {
protected:
    AppActivity activity;
    std::vector<bool> calls;
    AppLifeCycleModifier modifier{activity, [this](bool active) { calls.push_back(active); }};
};

TEST_F(AppLifeCycleModifierTest, EveryNotificationWhileShownCallsTheActionInOrderRepeatsIncluded) {
    modifier.appear();
    EXPECT_TRUE(calls.empty());
    activity.notify(true);
    activity.notify(true);
    activity.notify(false);
    EXPECT_EQ(calls, (std::vector<bool>{true, true, false}));
}

TEST_F(AppLifeCycleModifierTest, NothingIsCalledWhileTheViewIsNotShown) {
    activity.notify(false);
    modifier.appear();
    modifier.appear();
    activity.notify(true);
    modifier.disappear();
    EXPECT_FALSE(modifier.isShown());
    activity.notify(false);
    EXPECT_EQ(calls, (std::vector<bool>{true}));

    modifier.appear();
    activity.notify(false);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(AppLifeCycleModifierTest, AModifierGoneBeforeTheActivityHearsNothingMore) {
    {
        AppLifeCycleModifier shortLived(activity, [this](bool active) { calls.push_back(active); });
        shortLived.appear();
    }
    activity.notify(true);
    EXPECT_TRUE(calls.empty());
}

} // namespace
} // namespace lumenscroll
