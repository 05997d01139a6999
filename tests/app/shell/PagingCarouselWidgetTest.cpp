// The page carousel as drawn, rendered offscreen with grab(): pages where the carousel says, and
// a drag that reaches the carousel through a page.

#include "app/shell/PagingCarouselWidget.h"
#include "app/shell/PagingCarouselViewModel.h"

#include "app/platform/Binding.h"
#include "testing/platform/TestAppContext.h"

#include "../SolidWidget.h"

#include <QApplication>
#include <QColor>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace lumenscroll {
namespace {

using testing::solidWidget;

void sendMouse(QWidget* target, QEvent::Type type, QPoint local) {
    const QPoint global = target->mapToGlobal(local);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class PagingCarouselWidgetTest : public ::testing::Test {
protected:
    TestAppContext test;
    int selected = 1;
    const std::vector<QColor> colors{Qt::red, Qt::green, Qt::blue};
    PagingCarouselViewModel model{test.context(), 3, Binding<int>::to(selected), {}};
    PagingCarouselWidget carousel{model, test.context().animations(), [this](int item) {
                                      return solidWidget(colors[static_cast<std::size_t>(item)]);
                                  }};

    void SetUp() override {
        carousel.resize(400, 300);
        carousel.show();
    }

    QColor pixel(int x, int y) { return carousel.grab().toImage().pixelColor(x, y); }
};

TEST_F(PagingCarouselWidgetTest, DrawsTheActivePageWithItsNeighboursAtTheSides) {
    EXPECT_EQ(carousel.pageCount(), 3);
    EXPECT_EQ(carousel.pageAt(1)->geometry(), QRect(20, 0, 360, 300));
    EXPECT_EQ(pixel(200, 150), QColor(Qt::green));
    EXPECT_EQ(pixel(5, 150), QColor(Qt::red));
    EXPECT_EQ(pixel(395, 150), QColor(Qt::blue));
}

TEST_F(PagingCarouselWidgetTest, ADragStartedOnAPageTurnsToTheNextPage) {
    QWidget* page = carousel.pageAt(1);
    sendMouse(page, QEvent::MouseButtonPress, QPoint(180, 150));
    sendMouse(page, QEvent::MouseMove, QPoint(175, 150)); // under the drag distance
    EXPECT_DOUBLE_EQ(model.dragOffset(), 0.0);
    sendMouse(page, QEvent::MouseMove, QPoint(-120, 150));
    EXPECT_DOUBLE_EQ(model.dragOffset(), -300.0);
    EXPECT_DOUBLE_EQ(carousel.shownOffset(), -350.0 - 300.0);
    sendMouse(page, QEvent::MouseButtonRelease, QPoint(-120, 150));

    EXPECT_EQ(model.activeIndex(), 2);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(pixel(200, 150), QColor(Qt::blue));
}

TEST_F(PagingCarouselWidgetTest, AClickIsNoDrag) {
    QWidget* page = carousel.pageAt(1);
    sendMouse(page, QEvent::MouseButtonPress, QPoint(180, 150));
    sendMouse(page, QEvent::MouseButtonRelease, QPoint(180, 150));
    EXPECT_EQ(model.activeIndex(), 1);
    EXPECT_EQ(pixel(200, 150), QColor(Qt::green));
}

TEST_F(PagingCarouselWidgetTest, KeepsThePagesThatStayWhenTheItemsChange) {
    QWidget* first = carousel.pageAt(0);
    QWidget* last = carousel.pageAt(2);
    selected = 0;
    // An item taken from the middle: the ones after it move down, as they are.
    carousel.removePage(1);
    model.update(2);
    EXPECT_EQ(carousel.pageCount(), 2);
    EXPECT_EQ(carousel.pageAt(0), first);
    EXPECT_EQ(carousel.pageAt(1), last);
    EXPECT_EQ(pixel(200, 150), QColor(Qt::red));
    EXPECT_EQ(pixel(395, 150), QColor(Qt::blue));

    // An item added at the end: only its page is built.
    model.update(3);
    EXPECT_EQ(carousel.pageAt(1), last);
    EXPECT_EQ(carousel.pageCount(), 3);
}

TEST_F(PagingCarouselWidgetTest, SlidesToAnIndexTheCallerSetsAndFollowsADragAtOnce) {
    test.context().animations().setEnabled(true);
    selected = 2;
    model.update(3);
    EXPECT_DOUBLE_EQ(model.offset(), 20.0 - 370.0 * 2);
    EXPECT_DOUBLE_EQ(carousel.shownOffset(), 20.0 - 370.0); // the slide has only begun

    model.dragChanged(-30.0);
    EXPECT_DOUBLE_EQ(carousel.shownOffset(), model.offset());
}

} // namespace
} // namespace lumenscroll
