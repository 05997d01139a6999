// Where the reading page's panels stand, and what stays within reach beside them, in the
// program's window with input delivered to it as the window system delivers it: each panel is
// centred in the page at every window size, so the upper part of the title capsule stands above
// them all.

#include "ProgramWindowTest.h"

#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/TopAreaPanel.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"

#include <QAbstractButton>
#include <QPointF>

#include <gtest/gtest.h>

#include <cmath>
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

} // namespace
} // namespace lumenscroll
