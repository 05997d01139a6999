#include "app/reading/AnimatableGradientView.h"
#include "app/reading/Shimmer.h"

#include "app/platform/Binding.h"
#include "testing/platform/TestAppContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;
using Point = Shimmer::UnitPoint;

TEST(Shimmer, TheBandRunsFromTheTopLeadingCornerToTheBottomTrailingCorner) {
    Shimmer leftToRight(Shimmer::defaultAnimation(), Shimmer::defaultGradient(), 0.3);
    EXPECT_DOUBLE_EQ(leftToRight.min(), -0.3);
    EXPECT_DOUBLE_EQ(leftToRight.max(), 1.3);
    EXPECT_TRUE(leftToRight.isInitialState());
    EXPECT_EQ(leftToRight.startPoint(), (Point{-0.3, -0.3}));
    EXPECT_EQ(leftToRight.endPoint(), (Point{0.0, 0.0}));
    leftToRight.appear();
    EXPECT_FALSE(leftToRight.isInitialState());
    EXPECT_EQ(leftToRight.startPoint(), (Point{1.0, 1.0}));
    EXPECT_EQ(leftToRight.endPoint(), (Point{1.3, 1.3}));

    Shimmer rightToLeft(Shimmer::defaultAnimation(), Shimmer::defaultGradient(), 0.3,
                        Shimmer::LayoutDirection::rightToLeft);
    EXPECT_EQ(rightToLeft.startPoint(), (Point{1.3, -0.3}));
    EXPECT_EQ(rightToLeft.endPoint(), (Point{1.0, 0.0}));
    rightToLeft.appear();
    EXPECT_EQ(rightToLeft.startPoint(), (Point{0.0, 1.0}));
    EXPECT_EQ(rightToLeft.endPoint(), (Point{-0.3, 1.3}));
}

class AnimatableGradientViewTest : public testing::Test {
protected:
    TestAppContext test;
    bool colored = false;
    AnimatableGradientView view{test.context(), Binding<bool>::to(colored)};
    std::vector<AnimatableGradientView::Fade> fades;
    Subscription listening =
        view.onChange([this](AnimatableGradientView::Fade fade) { fades.push_back(fade); });

    ManualScheduler& scheduler() { return test.manualScheduler(); }
};

TEST_F(AnimatableGradientViewTest, StartsOnTwoRandomGradientsWithTheLowerOneShowing) {
    ASSERT_EQ(view.gradientA().size(), 2U);
    ASSERT_EQ(view.gradientB().size(), 2U);
    EXPECT_NE(view.gradientA(), view.gradientB());
    EXPECT_TRUE(view.firstPlane());
    EXPECT_DOUBLE_EQ(view.upperPlaneOpacity(), 0.0);
    EXPECT_FALSE(view.hasTimer());
    EXPECT_FALSE(view.colored());
    colored = true;
    EXPECT_TRUE(view.colored());

    // The same seed gives the same colours.
    TestAppContext other;
    AnimatableGradientView twin(other.context(), Binding<bool>::constant(false));
    EXPECT_EQ(twin.gradientA(), view.gradientA());
    EXPECT_EQ(twin.gradientB(), view.gradientB());
}

TEST_F(AnimatableGradientViewTest, RandomColoursAreOpaqueWithComponentsFromZeroToOne) {
    double lowest = 1.0;
    double highest = 0.0;
    for (int i = 0; i < 2000; ++i) {
        const AnimatableGradientView::Color color = view.randomColor();
        for (double component : {color.red, color.green, color.blue}) {
            lowest = std::min(lowest, component);
            highest = std::max(highest, component);
        }
        EXPECT_EQ(color.opacity, 1.0);
    }
    EXPECT_GE(lowest, 0.0);
    EXPECT_LE(highest, 1.0);
    // Spread over the whole range, not bunched at one end.
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
}

TEST_F(AnimatableGradientViewTest, CrossFadesToANewGradientEveryTwoSeconds) {
    const auto firstA = view.gradientA();
    const auto firstB = view.gradientB();
    view.startTimer();
    EXPECT_TRUE(view.hasTimer());
    scheduler().advance(milliseconds{1999});
    EXPECT_TRUE(fades.empty());

    // First beat: the hidden upper plane takes new colours and fades in over the old ones.
    scheduler().advance(milliseconds{1});
    EXPECT_EQ(view.gradientA(), firstA);
    EXPECT_NE(view.gradientB(), firstB);
    EXPECT_FALSE(view.firstPlane());
    EXPECT_DOUBLE_EQ(view.upperPlaneOpacity(), 1.0);
    EXPECT_EQ(fades, (std::vector{AnimatableGradientView::Fade::linear}));

    // Second beat: now the lower plane takes new colours, and the upper one fades out.
    const auto secondB = view.gradientB();
    scheduler().advance(milliseconds{2000});
    EXPECT_NE(view.gradientA(), firstA);
    EXPECT_EQ(view.gradientB(), secondB);
    EXPECT_TRUE(view.firstPlane());
    EXPECT_EQ(fades.size(), 2U);
}

TEST_F(AnimatableGradientViewTest, AppearingTwiceRunsOneTimerAndLeavingStopsIt) {
    view.startTimer();
    scheduler().advance(milliseconds{1500});
    view.startTimer(); // shown again: the running timer keeps its beat
    EXPECT_EQ(scheduler().pendingCount(), 1U);
    scheduler().advance(milliseconds{500});
    EXPECT_EQ(fades.size(), 1U);

    view.stopTimer();
    EXPECT_FALSE(view.hasTimer());
    scheduler().advance(milliseconds{10000});
    EXPECT_EQ(fades.size(), 1U);
    view.stopTimer(); // nothing to stop

    view.startTimer();
    scheduler().advance(milliseconds{2000});
    EXPECT_EQ(fades.size(), 2U);
}

TEST_F(AnimatableGradientViewTest, LeavingBeforeTheFirstBeatMeansNoBeatAtAll) {
    view.startTimer();
    scheduler().advance(milliseconds{1500});
    view.stopTimer();
    scheduler().advance(milliseconds{5000});
    EXPECT_TRUE(fades.empty());
    EXPECT_TRUE(view.firstPlane());
}

TEST_F(AnimatableGradientViewTest, TheTimerRunsOnWhileTransparent) {
    colored = true;
    view.startTimer();
    scheduler().advance(milliseconds{4000});
    EXPECT_EQ(fades.size(), 2U);
}

TEST_F(AnimatableGradientViewTest, TheButtonSwapsWithAnEaseIn) {
    const auto firstB = view.gradientB();
    view.pressButton();
    EXPECT_NE(view.gradientB(), firstB);
    EXPECT_FALSE(view.firstPlane());
    EXPECT_EQ(fades, (std::vector{AnimatableGradientView::Fade::easeIn}));

    const std::vector<AnimatableGradientView::Color> chosen{{0.0, 0.0, 0.0, 1.0}, {1.0, 1.0, 1.0, 1.0}};
    view.swapGradient(chosen);
    EXPECT_EQ(view.gradientA(), chosen);
    EXPECT_TRUE(view.firstPlane());
}

TEST(AnimatableGradientViewLifetime, ADestroyedViewLeavesNoTimerBehind) {
    TestAppContext test;
    {
        AnimatableGradientView view(test.context(), Binding<bool>::constant(false));
        view.startTimer();
    }
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0U);
    test.manualScheduler().advance(milliseconds{4000});
}

} // namespace
} // namespace lumenscroll
