#include "app/platform/QtScheduler.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace lumenscroll {
namespace {

TEST(QtScheduler, PostedWorkRunsOnceBackInTheEventLoopInOrder) {
    QtScheduler scheduler;
    QObject view;
    std::vector<int> ran;
    scheduler.post(&view, [&] { ran.push_back(1); });
    scheduler.post(&view, [&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(QtScheduler, DestroyingTheContextCancelsPostedWork) {
    QtScheduler scheduler;
    auto page = std::make_unique<QObject>();
    bool ran = false;
    scheduler.post(page.get(), [&] { ran = true; });
    page.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(QtScheduler, ARepeatingTimerStopsWhenDroppedAndGoesWithItsContext) {
    QtScheduler scheduler;
    auto page = std::make_unique<QObject>();
    Subscription timer = scheduler.repeatEvery(page.get(), std::chrono::milliseconds{2000}, [] {});
    auto* qtTimer = page->findChild<QTimer*>();
    ASSERT_NE(qtTimer, nullptr);
    EXPECT_TRUE(qtTimer->isActive());
    EXPECT_EQ(qtTimer->interval(), 2000);
    timer.cancel();
    EXPECT_FALSE(qtTimer->isActive());

    Subscription second = scheduler.repeatEvery(page.get(), std::chrono::milliseconds{2000}, [] {});
    page.reset();
    // Dropped after its context (and the timer with it) is gone: harmless.
    second.cancel();
    EXPECT_FALSE(second.isActive());
}

} // namespace
} // namespace lumenscroll
