#include "app/platform/FrameClock.h"

#include "testing/platform/ManualScheduler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

TEST(FrameClock, EveryListenerTakesTheSameBeatWhichRunsOnlyWhileSomeoneListens) {
    ManualScheduler scheduler;
    std::vector<std::string> frames;
    std::optional<FrameClock> clock(std::in_place, scheduler);
    EXPECT_EQ(scheduler.pendingCount(), 0U);
    Subscription shimmer =
        clock->onFrame([&] { frames.push_back("shimmer " + std::to_string(clock->now().count())); });
    Subscription fade =
        clock->onFrame([&] { frames.push_back("fade " + std::to_string(clock->now().count())); });
    EXPECT_EQ(scheduler.pendingCount(), 1U);
    scheduler.advance(FrameClock::interval * 2);
    EXPECT_EQ(frames, (std::vector<std::string>{"shimmer 16", "fade 16", "shimmer 32", "fade 32"}));

    shimmer.cancel();
    EXPECT_TRUE(clock->isRunning());
    fade.cancel();
    EXPECT_FALSE(clock->isRunning());
    EXPECT_EQ(scheduler.pendingCount(), 0U);

    // A listener that outlives the clock lets go of it harmlessly.
    Subscription late = clock->onFrame([] {});
    clock.reset();
    late.cancel();
    EXPECT_EQ(scheduler.pendingCount(), 0U);
}

} // namespace
} // namespace lumenscroll
