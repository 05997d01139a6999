#include "app/platform/Look.h"
#include "app/platform/Animations.h"
#include "app/platform/AppActivity.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumenscroll {
namespace {

TEST(Look, FontsAreSizedInLogicalPixels) {
    EXPECT_EQ(Look::font(TextStyle::largeTitle).pixelSize(), 26);
    EXPECT_EQ(Look::font(TextStyle::subheadline).pixelSize(), 11);
    EXPECT_TRUE(Look::font(TextStyle::headline).bold());
    EXPECT_FALSE(Look::font(TextStyle::body).bold());
    // A family that is not installed still gives a usable font of the asked size.
    const QFont missing = Look::font("NoSuchFamily-Lumenscroll", 27, true);
    EXPECT_EQ(missing.pixelSize(), 27);
    EXPECT_TRUE(missing.bold());
}

TEST(Look, NamedColoursKeepTheirValuesAndTakeAnOpacity) {
    EXPECT_EQ(Look::color(NamedColor::blue), QColor(0x00, 0x7A, 0xFF));
    EXPECT_EQ(Look::color(NamedColor::cyan).name(), "#55bef0");
    EXPECT_EQ(Look::color(NamedColor::white).alpha(), 255);
    EXPECT_NEAR(Look::color(NamedColor::gray, 0.2).alphaF(), 0.2, 0.01);
}

TEST(Animations, TheSwitchTurnsEveryCurveIntoAJump) {
    Animations animations;
    EXPECT_EQ(animations.standard().duration.count(), 350);
    EXPECT_EQ(animations.spring().duration.count(), 300);
    EXPECT_EQ(animations.spring().easing.type(), QEasingCurve::OutBack);
    // Ease-in-out: symmetric, slow at both ends.
    const QEasingCurve easing = animations.standard().easing;
    EXPECT_NEAR(easing.valueForProgress(0.5), 0.5, 0.01);
    EXPECT_LT(easing.valueForProgress(0.1), 0.1);

    animations.setEnabled(false);
    EXPECT_EQ(animations.standard().duration.count(), 0);
    EXPECT_EQ(animations.spring().duration.count(), 0);
    EXPECT_EQ(animations.timed(std::chrono::milliseconds{2000}, QEasingCurve()).duration.count(), 0);
}

TEST(AppActivity, EveryNotificationReachesEveryListenerInOrderAndTheLastOneHolds) {
    AppActivity activity;
    EXPECT_TRUE(activity.isActive());
    std::vector<bool> seen;
    Subscription first = activity.onChange([&](bool active) { seen.push_back(active); });
    activity.notify(true);
    activity.notify(true);
    activity.notify(false);
    EXPECT_FALSE(activity.isActive());
    first.cancel();
    activity.notify(true);
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));
    EXPECT_TRUE(activity.isActive());
}

} // namespace
} // namespace lumenscroll
