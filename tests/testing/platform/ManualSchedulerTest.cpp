#include "testing/platform/ManualScheduler.h"

#include <QObject>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using namespace std::chrono_literals;

class ManualSchedulerTest : public testing::Test {
protected:
    ManualScheduler scheduler;
    QObject view;
    std::vector<std::string> ran;

    Scheduler::Task note(std::string name) {
        return [this, name] { ran.push_back(name + " at " + std::to_string(scheduler.now().count())); };
    }
};

TEST_F(ManualSchedulerTest, RunsByDueTimeThenByPostingOrder) {
    scheduler.postAfter(&view, 3000ms, note("splash"));
    scheduler.postAfter(&view, 100ms, note("bar"));
    scheduler.post(&view, note("first"));
    scheduler.post(&view, note("second"));
    scheduler.postAfter(&view, 100ms, note("bar again"));

    EXPECT_EQ(scheduler.runReady(), 2U);
    EXPECT_EQ(scheduler.advance(3000ms), 3U);
    EXPECT_EQ(ran, (std::vector<std::string>{"first at 0", "second at 0", "bar at 100", "bar again at 100",
                                             "splash at 3000"}));
    EXPECT_EQ(scheduler.now(), 3000ms);
}

TEST_F(ManualSchedulerTest, AdvanceStopsShortOfWorkNotYetDue) {
    scheduler.postAfter(&view, 2000ms, note("reset"));
    scheduler.advance(1999ms);
    EXPECT_TRUE(ran.empty());
    scheduler.advance(1ms);
    EXPECT_EQ(ran, (std::vector<std::string>{"reset at 2000"}));
}

TEST_F(ManualSchedulerTest, WorkPostedByWorkWaitsForTheNextTurn) {
    scheduler.post(&view, [this] {
        ran.push_back("outer");
        scheduler.post(&view, [this] { ran.push_back("inner"); });
        // A delay is measured from the moment the work runs.
        scheduler.postAfter(&view, 10ms, note("later"));
    });
    EXPECT_EQ(scheduler.runTurn(), 1U);
    EXPECT_EQ(ran, (std::vector<std::string>{"outer"}));
    EXPECT_EQ(scheduler.runReady(), 1U);
    EXPECT_EQ(ran, (std::vector<std::string>{"outer", "inner"}));
    scheduler.advance(10ms);
    EXPECT_EQ(ran.back(), "later at 10");
}

TEST_F(ManualSchedulerTest, DestroyingTheContextCancelsItsWork) {
    auto page = std::make_unique<QObject>();
    scheduler.post(page.get(), note("page posted"));
    scheduler.postAfter(page.get(), 2000ms, note("page delayed"));
    Subscription timer = scheduler.repeatEvery(page.get(), 500ms, note("page timer"));
    scheduler.post(&view, note("view posted"));
    page.reset();

    EXPECT_EQ(scheduler.pendingCount(), 1U);
    scheduler.advance(5000ms);
    EXPECT_EQ(ran, (std::vector<std::string>{"view posted at 0"}));
}

TEST_F(ManualSchedulerTest, RepeatsUntilTheSubscriptionIsDropped) {
    Subscription gradient = scheduler.repeatEvery(&view, 2000ms, note("tick"));
    scheduler.advance(1999ms);
    EXPECT_TRUE(ran.empty());
    scheduler.advance(4001ms);
    EXPECT_EQ(ran, (std::vector<std::string>{"tick at 2000", "tick at 4000", "tick at 6000"}));

    gradient.cancel();
    scheduler.advance(10000ms);
    EXPECT_EQ(ran.size(), 3U);
    EXPECT_EQ(scheduler.pendingCount(), 0U);
}

TEST_F(ManualSchedulerTest, ARepeatingTaskMayStopItself) {
    Subscription timer;
    int ticks = 0;
    timer = scheduler.repeatEvery(&view, 1000ms, [&] {
        if (++ticks == 2) {
            timer.cancel();
        }
    });
    scheduler.advance(10000ms);
    EXPECT_EQ(ticks, 2);
}

TEST_F(ManualSchedulerTest, WorkThatFeedsItselfWithoutEndIsReportedNotHung) {
    std::function<void()> again = [&] { scheduler.post(&view, again); };
    scheduler.post(&view, again);
    EXPECT_THROW(scheduler.runReady(), std::runtime_error);
}

} // namespace
} // namespace lumenscroll
