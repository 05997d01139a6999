#include "app/platform/ChangeWatchers.h"
#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/Published.h"
#include "testing/platform/ManualScheduler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

class ChangeWatchersTest : public testing::Test {
protected:
    ManualScheduler scheduler;
    ObjectWillChangePublisher state;
    Published<bool> plusBible{state, false};
    Published<bool> plusBible2{state, false};
    Published<std::vector<int>> pages{state, {0}};
    std::unique_ptr<ChangeWatchers> watchers = std::make_unique<ChangeWatchers>(scheduler);
    std::vector<std::string> calls;

    void SetUp() override { watchers->observe(state); }
};

TEST_F(ChangeWatchersTest, ReactsAfterTheActionNotInsideTheWrite) {
    watchers->watch(
        [this] { return plusBible(); },
        [this](const bool& value) { calls.push_back(value ? "plusBible true" : "plusBible false"); });
    plusBible.set(true);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(watchers->isPassPending());

    scheduler.runReady();
    EXPECT_EQ(calls, (std::vector<std::string>{"plusBible true"}));
    EXPECT_FALSE(watchers->isPassPending());
}

TEST_F(ChangeWatchersTest, CoalescesTheWritesOfOneActionAndSeesOnlyTheFinalValue) {
    watchers->watch([this] { return pages().size(); },
                    [this](const std::size_t& count) { calls.push_back("count " + std::to_string(count)); });
    // Emptied and refilled within one action: one pass, one call, with the new count.
    pages.set({});
    pages.modify([](std::vector<int>& list) { list.push_back(1); });
    pages.modify([](std::vector<int>& list) { list.push_back(2); });
    EXPECT_EQ(scheduler.pendingCount(), 1U);

    scheduler.runReady();
    EXPECT_EQ(calls, (std::vector<std::string>{"count 2"}));
}

TEST_F(ChangeWatchersTest, SetThenResetWithinOneActionTriggersNothing) {
    watchers->watch([this] { return plusBible(); }, [this](const bool&) { calls.push_back("called"); });
    plusBible.set(true);
    plusBible.set(false);
    scheduler.runReady();
    EXPECT_TRUE(calls.empty());
}

TEST_F(ChangeWatchersTest, CallsChangedWatchersInTheOrderAttached) {
    watchers->watch([this] { return plusBible2(); }, [this](const bool&) { calls.push_back("plusBible2"); });
    watchers->watch([this] { return plusBible(); }, [this](const bool&) { calls.push_back("plusBible"); });
    watchers->watch([this] { return pages().size(); },
                    [this](const std::size_t&) { calls.push_back("pages"); });
    // Written in the other order, as "New Page" sets one flag before the other.
    plusBible.set(true);
    plusBible2.set(true);
    scheduler.runReady();
    EXPECT_EQ(calls, (std::vector<std::string>{"plusBible2", "plusBible"}));
}

TEST_F(ChangeWatchersTest, AChangeMadeByAHandlerStartsAnotherPass) {
    watchers->watch([this] { return plusBible(); },
                    [this](const bool& value) {
                        calls.push_back("plusBible");
                        if (value) {
                            pages.modify([](std::vector<int>& list) { list.push_back(7); });
                        }
                    });
    watchers->watch([this] { return pages().size(); },
                    [this](const std::size_t& count) {
                        calls.push_back("count " + std::to_string(count));
                        plusBible.set(false);
                    });
    plusBible.set(true);

    // The first turn runs one pass; the count watcher comes after the flag watcher in that
    // same pass and already sees the new count.
    EXPECT_EQ(scheduler.runTurn(), 1U);
    EXPECT_EQ(calls, (std::vector<std::string>{"plusBible", "count 2"}));
    // Its reset of the flag is reacted to in the next turn, not inside the first.
    EXPECT_TRUE(watchers->isPassPending());
    EXPECT_EQ(scheduler.runTurn(), 1U);
    EXPECT_EQ(calls, (std::vector<std::string>{"plusBible", "count 2", "plusBible"}));
    scheduler.runReady();
    EXPECT_EQ(calls.size(), 3U);
}

TEST_F(ChangeWatchersTest, PlainStateChangesNeedAnExplicitPass) {
    int searchPressed = 0;
    watchers->watch([&] { return searchPressed; }, [this](const int&) { calls.push_back("search"); });
    searchPressed = 1;
    scheduler.runReady();
    EXPECT_TRUE(calls.empty());
    watchers->schedulePass();
    scheduler.runReady();
    EXPECT_EQ(calls, (std::vector<std::string>{"search"}));
}

TEST_F(ChangeWatchersTest, DestroyedWatchersCancelTheirPassAndStopListening) {
    watchers->watch([this] { return plusBible(); }, [this](const bool&) { calls.push_back("called"); });
    plusBible.set(true);
    watchers.reset();
    EXPECT_EQ(scheduler.pendingCount(), 0U);
    scheduler.runReady();
    plusBible.set(false);
    EXPECT_EQ(scheduler.pendingCount(), 0U);
    EXPECT_TRUE(calls.empty());
}

TEST_F(ChangeWatchersTest, AHandlerMayDestroyTheWatchers) {
    watchers->watch([this] { return plusBible(); },
                    [this](const bool&) {
                        calls.push_back("first");
                        watchers.reset();
                    });
    watchers->watch([this] { return plusBible(); }, [this](const bool&) { calls.push_back("second"); });
    plusBible.set(true);
    scheduler.runReady();
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
}

} // namespace
} // namespace lumenscroll
