// The drawing layers, rendered offscreen with grab(): pages where the carousel says, a drag
// that reaches the carousel through a page, and the effects' pixels.

#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/ShimmerEffect.h"
#include "app/shell/PagingCarouselViewModel.h"
#include "app/shell/PagingCarouselWidget.h"

#include "app/platform/Binding.h"
#include "app/platform/TestAppContext.h"

#include <QApplication>
#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

QWidget* solidPage(const QColor& color) {
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, color);
    page->setPalette(palette);
    return page;
}

bool near(const QColor& actual, const QColor& expected, int tolerance = 3) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint local) {
    const QPoint global = target->mapToGlobal(local);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class PagingCarouselWidgetTest : public testing::Test {
protected:
    TestAppContext test;
    int selected = 1;
    const std::vector<QColor> colors{Qt::red, Qt::green, Qt::blue};
    PagingCarouselViewModel model{test.context(),
                                  3,
                                  Binding<int>::to(selected),
                                  10.0,
                                  10.0,
                                  0.8,
                                  false,
                                  PagingCarouselAutoScroll::inactive(),
                                  true};
    PagingCarouselWidget carousel{model, test.context().animations(), [this](int item) {
                                      return solidPage(colors[static_cast<std::size_t>(item)]);
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

TEST(AnimatableGradientViewWidget, DrawsTheLowerGradientThenCrossFadesAndStopsWhenHidden) {
    TestAppContext test;
    bool colored = false;
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    host.setPalette(palette);
    host.resize(200, 100);
    auto* gradient = new AnimatableGradientViewWidget(test.context(), Binding<bool>::to(colored), &host);
    gradient->resize(200, 100);
    EXPECT_FALSE(gradient->view().hasTimer());
    host.show();
    EXPECT_TRUE(gradient->view().hasTimer());

    const auto toColor = [](const AnimatableGradientView::Color& color) {
        return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                                static_cast<float>(color.blue));
    };
    QImage image = host.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(0, 0), toColor(gradient->view().gradientA()[0])));
    EXPECT_TRUE(near(image.pixelColor(199, 99), toColor(gradient->view().gradientA()[1])));

    test.manualScheduler().advance(milliseconds{2000});
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 1.0);
    image = host.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(0, 0), toColor(gradient->view().gradientB()[0])));

    colored = true;
    EXPECT_EQ(host.grab().toImage().pixelColor(100, 50), QColor(Qt::magenta));

    gradient->hide();
    EXPECT_FALSE(gradient->view().hasTimer());
    gradient->show();
    gradient->show();
    EXPECT_EQ(test.manualScheduler().pendingCount(), 1U);
}

TEST(ShimmerEffect, MasksTheWidgetAndComesOffWhenInactive) {
    TestAppContext test;
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::black);
    host.setPalette(palette);
    host.resize(100, 100);
    QWidget* row = solidPage(Qt::white);
    row->setParent(&host);
    row->setGeometry(0, 0, 100, 100);

    ShimmerEffect::apply(row, true, test.context().animations());
    ShimmerEffect* effect = ShimmerEffect::of(row);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->shimmer().isInitialState()); // not on screen yet
    host.show();
    EXPECT_FALSE(effect->shimmer().isInitialState());
    // Animation is off: the band stands past the bottom-right corner, the row shows faintly.
    EXPECT_DOUBLE_EQ(effect->progress(), 1.0);
    const QColor faint = host.grab().toImage().pixelColor(50, 50);
    EXPECT_NEAR(faint.red(), 77, 3);

    ShimmerEffect::apply(row, true, test.context().animations());
    EXPECT_EQ(ShimmerEffect::of(row), effect);

    ShimmerEffect::apply(row, false, test.context().animations());
    EXPECT_EQ(ShimmerEffect::of(row), nullptr);
    EXPECT_EQ(host.grab().toImage().pixelColor(50, 50), QColor(Qt::white));
}

TEST(DropShadowEffect, DrawsThePlatformsShadowAndBlursItOnlyWhenTheOutlineChanges) {
    struct Case {
        qreal radius;
        QPointF offset;
    };
    // Below and above the radius from which the blur runs at half size.
    for (const Case& shadow : {Case{3, QPointF(2, 2)}, Case{10, QPointF(0, 0)}, Case{30, QPointF(0, 4)}}) {
        SCOPED_TRACE(shadow.radius);
        const auto castOn = [](QWidget& host, QGraphicsEffect* effect) {
            host.resize(160, 120);
            host.setAutoFillBackground(true);
            QWidget* caster = solidPage(Qt::red);
            caster->setParent(&host);
            caster->setGeometry(50, 40, 60, 40);
            caster->setGraphicsEffect(effect);
            return caster;
        };
        QWidget platformHost;
        auto* platform = new QGraphicsDropShadowEffect;
        platform->setColor(QColor(0, 0, 0, 200));
        platform->setBlurRadius(shadow.radius);
        platform->setOffset(shadow.offset);
        castOn(platformHost, platform);
        QWidget ownHost;
        auto* own = new DropShadowEffect(QColor(0, 0, 0, 200), shadow.radius, shadow.offset);
        QWidget* caster = castOn(ownHost, own);

        const QImage expected = platformHost.grab().toImage();
        const QImage drawn = ownHost.grab().toImage();
        int largest = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y);
                const QColor b = expected.pixelColor(x, y);
                largest = std::max({largest, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
            }
        }
        EXPECT_LE(largest, 4);
        EXPECT_EQ(own->blurCount(), 1);

        QPalette palette = caster->palette();
        palette.setColor(QPalette::Window, Qt::green);
        caster->setPalette(palette);
        EXPECT_EQ(ownHost.grab().toImage().pixelColor(80, 60), QColor(Qt::green));
        EXPECT_EQ(own->blurCount(), 1);

        caster->resize(70, 40);
        ownHost.grab();
        EXPECT_EQ(own->blurCount(), 2);
    }
}

} // namespace
} // namespace lumenscroll
