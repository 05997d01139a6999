// Where the reading page's panels stand, and what stays within reach beside them, in the
// program's window with input delivered to it as the window system delivers it: each panel is
// centred in the page at every window size, so the upper part of the title capsule stands above
// them all. And the page as the start-up screen gives way to it: a click where a title button
// stands is that button's from the page's first shown frame, while the main view still slides in.

#include "ProgramWindowTest.h"

#include "app/platform/AppContext.h"
#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/TopAreaPanel.h"
#include "app/shell/CarouselView.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/MoviePlayerWidget.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QAbstractButton>
#include <QPointF>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace lumenscroll {
namespace {

class WindowPanelsTest : public testing::ProgramWindowTest {
protected:
    // Each panel as the user brings it: the search button, or the bar's buttons.
    void open(TopAreaPanel panel) {
        switch (panel) {
        case TopAreaPanel::search:
            click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton")));
            break;
        case TopAreaPanel::settings:
            click(bar(MainView::settingsIndex));
            break;
        case TopAreaPanel::about:
            click(bar(MainView::aboutIndex));
            break;
        }
        ASSERT_NE(page()->panel(panel), nullptr);
    }
    // The middle of what `widget` covers in the window, and where its top edge stands there.
    QPointF middle(const QWidget* widget) const {
        return QPointF(inWindow(widget, QPoint(0, 0)) + inWindow(widget, QPoint(widget->width(), widget->height()))) /
               2.0;
    }
    int top(const QWidget* widget) const { return inWindow(widget, QPoint(0, 0)).y(); }

    // A run in a home of its own, its animations on as the program's are, up to the first frame
    // that shows the page: the main view is still sliding in.
    void launchToThePagesFirstFrame() {
        window.reset();
        run.reset();
        home = std::make_unique<QTemporaryDir>();
        startProcess();
        run = std::make_unique<Run>(home->path());
        run->test.context().animations().setEnabled(true);
        window = std::make_unique<LumenscrollAppWidget>(run->app, run->movie);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        run->test.manualScheduler().advance(SplashView::startupDelay);
        settle();
        run->test.manualScheduler().advance(MainView::firstSelectionDelay);
        for (int turn = 0; turn < 100 && !pageShown(); ++turn) {
            settle();
        }
        ASSERT_TRUE(pageShown());
        ASSERT_NE(main().pos(), QPoint(0, 0));
    }
    bool pageShown() const {
        return window->splashViewWidget()->mainViewWidget() != nullptr && page() != nullptr && page()->isVisible();
    }
};

TEST_F(WindowPanelsTest, EachPanelStandsCentredInThePageAtEveryWindowSize) {
    for (const bool scaled : {false, true}) {
        SCOPED_TRACE(scaled ? "the small-screen window" : "the full window");
        launch(scaled);
        ASSERT_EQ(window->contentScale() < 1.0, scaled);
        for (const TopAreaPanel panel : {TopAreaPanel::search, TopAreaPanel::settings, TopAreaPanel::about}) {
            SCOPED_TRACE(static_cast<int>(panel));
            open(panel);
            if (HasFatalFailure()) {
                return;
            }
            const QPointF off = middle(page()->panel(panel)) - middle(page());
            EXPECT_LE(std::abs(off.x()), 1.0);
            EXPECT_LE(std::abs(off.y()), 1.0);
            press(Qt::Key_Escape);
            ASSERT_EQ(page()->panel(panel), nullptr);
        }
    }
}

TEST_F(WindowPanelsTest, TheTitleCapsuleAboveEveryPanelOpensTheBookChooser) {
    const std::vector<std::vector<TopAreaPanel>> covers = {
        {TopAreaPanel::search},
        {TopAreaPanel::settings},
        {TopAreaPanel::about},
        {TopAreaPanel::search, TopAreaPanel::settings},
        {TopAreaPanel::search, TopAreaPanel::about},
    };
    for (const std::vector<TopAreaPanel>& cover : covers) {
        SCOPED_TRACE(static_cast<int>(cover.back()) + 10 * static_cast<int>(cover.size()));
        launch();
        for (const TopAreaPanel panel : cover) {
            open(panel);
        }
        if (HasFatalFailure()) {
            return;
        }
        // Its upper part, above the highest panel.
        const CapsuleButton* capsule = page()->titleCapsule();
        const QPoint at(capsule->width() / 2, 8);
        for (const TopAreaPanel panel : cover) {
            ASSERT_LT(inWindow(capsule, at).y(), top(page()->panel(panel)));
        }
        click(capsule, at);
        EXPECT_NE(page()->chapterSheet(), nullptr);
    }
}

TEST_F(WindowPanelsTest, AClickWhereATitleButtonStandsIsThatButtonsFromThePagesFirstShownFrame) {
    const struct {
        const char* button;
        std::function<QWidget*()> opened;
    } cases[] = {
        {"searchButton", [this]() -> QWidget* { return page()->panel(TopAreaPanel::search); }},
        {"translationCapsule", [this]() -> QWidget* { return page()->translationSheet(); }},
        {"titleCapsule", [this]() -> QWidget* { return page()->chapterSheet(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        launchToThePagesFirstFrame();
        if (HasFatalFailure()) {
            return;
        }
        // Where it stands once the main view is in, the pointer resting there as it comes.
        const auto* button = page()->findChild<QWidget*>(QLatin1String(c.button));
        ASSERT_NE(button, nullptr);
        const QPoint place = button->mapTo(&main(), button->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, place);
        settle();
        EXPECT_NE(c.opened(), nullptr);
        // Not a tap on the title photo; the view is in, and the movie it covered gone.
        EXPECT_FALSE(carousel().isShrinked());
        EXPECT_EQ(main().pos(), QPoint(0, 0));
        EXPECT_FALSE(window->splashViewWidget()->movie()->isVisible());
    }
}

} // namespace
} // namespace lumenscroll
