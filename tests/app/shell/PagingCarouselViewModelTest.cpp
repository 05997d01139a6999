#include "app/shell/PagingCarouselViewModel.h"

#include "app/platform/Binding.h"
#include "testing/platform/TestAppContext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

// A caller with its own index, watched: every value the carousel writes into it is kept.
class PagingCarouselViewModelTest : public testing::Test {
protected:
    TestAppContext test;
    int selected = 0;
    std::vector<int> writes;
    std::vector<bool> moves; // offsetChanged: animated or not

    // Spacing and headspace 10, side scaling 0.8, unless `options` says otherwise.
    std::unique_ptr<PagingCarouselViewModel> make(int count, int index,
                                                  PagingCarouselViewModel::Options options = {}) {
        selected = index;
        Binding<int> binding([this] { return selected; },
                             [this](const int& value) {
                                 writes.push_back(value);
                                 selected = value;
                             });
        auto model = std::make_unique<PagingCarouselViewModel>(test.context(), count, binding, options);
        model->setViewSize(QSizeF(400, 300));
        QObject::connect(model.get(), &PagingCarouselViewModel::offsetChanged,
                         [this](bool animated) { moves.push_back(animated); });
        return model;
    }

    ManualScheduler& scheduler() { return test.manualScheduler(); }
};

TEST_F(PagingCarouselViewModelTest, ItemWidthAndOffsetFollowTheArea) {
    auto model = make(4, 2);
    EXPECT_DOUBLE_EQ(model->itemWidth(), 360.0);
    EXPECT_DOUBLE_EQ(model->offset(), 20.0 - 370.0 * 2);
    EXPECT_DOUBLE_EQ(model->scale(0), 1.0);
    EXPECT_DOUBLE_EQ(model->sidesScaling(), 0.8);

    // Narrower than the insets: no width, and then any drag at all turns a page.
    model->setViewSize(QSizeF(30, 300));
    EXPECT_DOUBLE_EQ(model->itemWidth(), 0.0);
    model->dragEnded(1.0);
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(selected, 1);
}

TEST_F(PagingCarouselViewModelTest, ADragFollowsThePointerForAtMostOneItem) {
    auto model = make(3, 1);
    model->dragChanged(500.0);
    EXPECT_DOUBLE_EQ(model->dragOffset(), 370.0);
    EXPECT_FALSE(model->isTimerActive());
    EXPECT_DOUBLE_EQ(model->offset(), 20.0 - 370.0 + 370.0);
    model->dragChanged(-40.0);
    EXPECT_DOUBLE_EQ(model->dragOffset(), -40.0);
    model->dragChanged(-900.0);
    EXPECT_DOUBLE_EQ(model->dragOffset(), -370.0);
    EXPECT_TRUE(test.context().settings().boolean(PagingCarouselViewModel::animatedOffsetKey));
}

TEST_F(PagingCarouselViewModelTest, ADragTurnsAPageOnlyPastASixthOfAnItem) {
    auto model = make(4, 2);
    model->dragChanged(60.0);
    model->dragEnded(60.0);
    EXPECT_EQ(model->activeIndex(), 2);
    EXPECT_DOUBLE_EQ(model->dragOffset(), 0.0);
    EXPECT_TRUE(model->isTimerActive());

    model->dragEnded(61.0);
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(selected, 1);
    model->dragEnded(-61.0);
    model->dragEnded(-61.0);
    EXPECT_EQ(model->activeIndex(), 3);
    EXPECT_EQ(selected, 3);
    // The snap is a jump, not a slide.
    EXPECT_FALSE(moves.back());
}

TEST_F(PagingCarouselViewModelTest, ADragStopsAtEitherEnd) {
    auto model = make(3, 0);
    model->dragEnded(300.0);
    EXPECT_EQ(model->activeIndex(), 0);
    model->setActiveIndex(2);
    model->dragEnded(-300.0);
    EXPECT_EQ(model->activeIndex(), 2);
    EXPECT_EQ(selected, 2);
}

TEST_F(PagingCarouselViewModelTest, AFixedCarouselIgnoresDrags) {
    auto model = make(3, 1, {.canMove = false});
    model->dragChanged(200.0);
    model->dragEnded(200.0);
    EXPECT_DOUBLE_EQ(model->dragOffset(), 0.0);
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_TRUE(writes.empty());
}

TEST_F(PagingCarouselViewModelTest, AnIndexOutsideTheItemsIsReportedAndKeptInside) {
    auto model = make(3, 5);
    EXPECT_TRUE(test.traceCapture().contains("The index should be less than the count of data "));
    EXPECT_EQ(model->activeIndex(), 2);
    // Nothing is written back while the carousel is being built.
    EXPECT_TRUE(writes.empty());
}

TEST_F(PagingCarouselViewModelTest, WrappingShowsCopiesAndJumpsFromThemToTheRealItem) {
    auto model = make(3, 0, {.isWrap = true});
    EXPECT_TRUE(model->isWrapping());
    EXPECT_EQ(model->displayedItems(), (std::vector<int>{2, 0, 1, 2, 0}));
    EXPECT_EQ(model->activeIndex(), 1);

    model->setActiveIndex(4); // the copy of item 0 after the last item
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(model->activeIndex(), 4);
    EXPECT_TRUE(test.context().settings().boolean(PagingCarouselViewModel::animatedOffsetKey));
    scheduler().advance(milliseconds{9});
    EXPECT_EQ(model->activeIndex(), 4);
    scheduler().advance(milliseconds{1});
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(selected, 0);
    EXPECT_FALSE(test.context().settings().boolean(PagingCarouselViewModel::animatedOffsetKey));

    model->dragEnded(100.0); // back past the first item, onto the copy of the last
    EXPECT_EQ(model->activeIndex(), 0);
    EXPECT_EQ(selected, 0);
    scheduler().advance(milliseconds{10});
    EXPECT_EQ(model->activeIndex(), 3);
    EXPECT_EQ(selected, 2);
}

TEST_F(PagingCarouselViewModelTest, AutoScrollTurnsOnTheFifthBeatOfAFiveSecondInterval) {
    for (double seconds : {0.0, -3.0, 5.0}) {
        auto model = make(3, 0, {.autoScroll = PagingCarouselAutoScroll::active(seconds)});
        EXPECT_EQ(model->timerInterval(), 5.0);
        model->appear();
        EXPECT_TRUE(model->hasTimer());
        scheduler().advance(milliseconds{4000});
        EXPECT_EQ(model->activeIndex(), 0);
        EXPECT_DOUBLE_EQ(model->timing(), 4.0);
        scheduler().advance(milliseconds{1000});
        EXPECT_EQ(model->activeIndex(), 1);
        EXPECT_DOUBLE_EQ(model->timing(), 0.0);
        EXPECT_EQ(selected, 1);
        model->disappear();
    }
}

TEST_F(PagingCarouselViewModelTest, AutoScrollGoesFromTheLastItemBackToTheFirst) {
    auto model = make(2, 1, {.autoScroll = PagingCarouselAutoScroll::active(2.0)});
    model->appear();
    scheduler().advance(milliseconds{1000});
    EXPECT_EQ(model->activeIndex(), 1);
    scheduler().advance(milliseconds{1000});
    EXPECT_EQ(model->activeIndex(), 0);
    scheduler().advance(milliseconds{2000});
    EXPECT_EQ(model->activeIndex(), 1);
}

TEST_F(PagingCarouselViewModelTest, AutoScrollPausesWhileDraggingAndWhileTheApplicationIsInactive) {
    auto model = make(3, 0, {.autoScroll = PagingCarouselAutoScroll::active(4.0)});
    model->appear();
    model->dragChanged(5.0);
    scheduler().advance(milliseconds{3000});
    EXPECT_DOUBLE_EQ(model->timing(), 0.0);
    model->dragEnded(5.0);

    test.context().activity().notify(false);
    scheduler().advance(milliseconds{3000});
    EXPECT_DOUBLE_EQ(model->timing(), 0.0);
    test.context().activity().notify(true);
    scheduler().advance(milliseconds{1000});
    EXPECT_DOUBLE_EQ(model->timing(), 1.0);
}

TEST_F(PagingCarouselViewModelTest, TheTurnTimerExistsOnlyWhileShownWithAnIntervalAndIsNeverDoubled) {
    auto inactive = make(3, 0);
    inactive->appear();
    EXPECT_FALSE(inactive->hasTimer());
    EXPECT_EQ(scheduler().pendingCount(), 0U);

    auto model = make(1, 0, {.autoScroll = PagingCarouselAutoScroll::active(3.0)});
    model->appear();
    EXPECT_FALSE(model->hasTimer()); // one item: nothing to turn to
    selected = 0;
    model->update(2);
    EXPECT_TRUE(model->hasTimer());
    scheduler().runReady();
    model->appear();
    EXPECT_EQ(scheduler().pendingCount(), 1U);

    model->disappear();
    EXPECT_FALSE(model->hasTimer());
    scheduler().advance(milliseconds{10000});
    EXPECT_EQ(model->activeIndex(), 0);
    test.context().activity().notify(false);
    EXPECT_TRUE(model->isTimerActive()); // no longer listening once gone
}

// Pages closed and added: the caller changes its items and usually its index in one update.

TEST_F(PagingCarouselViewModelTest, ClosingAPageInTheMiddleMovesBackOnceNotTwice) {
    auto model = make(4, 2);
    selected = 1; // the caller stands on the page before the closed one
    model->update(3);
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(selected, 1);
    scheduler().runReady();
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_TRUE(moves.back());
}

TEST_F(PagingCarouselViewModelTest, ClosingTheLastPageStandsOnTheNewLastPage) {
    auto model = make(3, 2);
    selected = 1;
    model->update(2);
    scheduler().runReady();
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(selected, 1);
}

TEST_F(PagingCarouselViewModelTest, ANewPageTheCallerStandsOnIsShown) {
    auto model = make(4, 2);
    selected = 4;
    model->update(5);
    scheduler().runReady();
    EXPECT_EQ(model->activeIndex(), 4);
    EXPECT_EQ(selected, 4);
}

TEST_F(PagingCarouselViewModelTest, ClosingTheFirstPageSlidesTheNewFirstPageIn) {
    auto model = make(3, 0);
    moves.clear();
    model->update(2); // the caller's index stays 0
    EXPECT_EQ(model->activeIndex(), 1);
    scheduler().runReady();
    EXPECT_EQ(model->activeIndex(), 0);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(moves, (std::vector<bool>{false, true}));
}

TEST_F(PagingCarouselViewModelTest, ACountChangeTheCallerDidNotFollowMovesByTheRules) {
    // In the middle: one back.
    auto middle = make(5, 2);
    middle->update(4);
    EXPECT_EQ(middle->activeIndex(), 1);
    EXPECT_EQ(selected, 1);

    // On the last item: stays on the last item.
    auto last = make(5, 3);
    last->update(4);
    EXPECT_EQ(last->activeIndex(), 3);

    // Fewer than three items, not on the first: the last item.
    auto small = make(3, 1);
    small->update(2);
    EXPECT_EQ(small->activeIndex(), 1);
}

TEST_F(PagingCarouselViewModelTest, TheCallerNeverGetsAnIndexOutsideItsItems) {
    auto model = make(2, 0);
    model->update(1);
    scheduler().runReady();
    EXPECT_EQ(model->activeIndex(), 0);
    for (int value : writes) {
        EXPECT_EQ(value, 0);
    }

    auto empty = make(1, 0);
    writes.clear();
    empty->update(0);
    empty->dragEnded(-200.0);
    scheduler().runReady();
    EXPECT_EQ(empty->activeIndex(), 0);
    EXPECT_TRUE(writes.empty());
}

TEST_F(PagingCarouselViewModelTest, AnIndexTheCallerSetsAloneIsFollowedWithASlide) {
    auto model = make(4, 0);
    selected = 3;
    model->update(4);
    EXPECT_EQ(model->activeIndex(), 3);
    EXPECT_TRUE(moves.back());
    const std::size_t before = moves.size();
    model->update(4); // nothing changed
    EXPECT_EQ(moves.size(), before);
}

} // namespace
} // namespace lumenscroll
