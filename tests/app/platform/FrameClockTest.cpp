#include "app/platform/FrameClock.h"

#include "testing/platform/ManualScheduler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

TEST(FrameClock, EveryListenerTakesTheSameBeatWhichRunsOnlyWhileSomeoneListens) {
    ManualScheduler scheduler;
    using Frame = std::pair<std::string, milliseconds>;
    std::vector<Frame> frames;
    std::optional<FrameClock> clock(std::in_place, scheduler);
    EXPECT_EQ(scheduler.pendingCount(), 0U);
    Subscription shimmer = clock->onFrame([&] { frames.emplace_back("shimmer", clock->now()); });
    Subscription fade = clock->onFrame([&] { frames.emplace_back("fade", clock->now()); });
    EXPECT_EQ(scheduler.pendingCount(), 1U);
    scheduler.advance(FrameClock::interval * 2);
    const milliseconds beat = FrameClock::interval;
    EXPECT_EQ(frames, (std::vector<Frame>{
                          {"shimmer", beat}, {"fade", beat}, {"shimmer", beat * 2}, {"fade", beat * 2}}));

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
