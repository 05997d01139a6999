// The keys of a scroll view as the window system delivers them to the program's window, in the
// situations the user reaches: they move the verse list of the page on screen whatever was
// clicked or closed before, and they never press a button.

#include "ProgramWindowTest.h"

#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/TopAreaPanel.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"

#include <QAbstractButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace lumenscroll {
namespace {

class WindowKeysTest : public testing::ProgramWindowTest {
protected:

    // The close button of the panel the page on screen shows.
    QAbstractButton* panelCloseButton(TopAreaPanel panel) const {
        QWidget* shown = page()->panel(panel);
        return shown != nullptr ? shown->findChild<QAbstractButton*>(QStringLiteral("closeButton")) : nullptr;
    }
    // What a button pressed would have changed.
    auto buttonState() const {
        const UserSettings& settings = run->app.userSettings();
        return std::tuple(main().view().index(), carousel().isShrinked(), carousel().pageCount(),
                          settings.settingsViewBtnPressed(), settings.aboutViewBtnPressed(),
                          page()->panel(TopAreaPanel::search) != nullptr, page()->chapterSheet() != nullptr,
                          page()->translationSheet() != nullptr);
    }
};

TEST_F(WindowKeysTest, TheKeysOfAScrollViewReachThePageOnScreenAfterAnythingAndNeverPressAButton) {
    struct Case {
        const char* situation;
        bool scaled;
        std::function<void()> before;
        // False while something stands in front of the verses, and in the overview.
        bool scrolls = true;
    };
    const auto openSearch = [this] {
        click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton")));
    };
    const Case cases[] = {
        {"right after launch", false, [] {}},
        {"a click on a verse", false, [this] { click(page()->verseList()->row(1)); }},
        {"a click on the bar between its buttons", false,
         [this] {
             const QWidget* bible = bar(MainView::bibleIndex);
             click(main().buttonBar(),
                   QPoint(bible->geometry().right() + 40, main().buttonBar()->height() / 2));
         }},
        // The overview: no page moves there.
        {"Bible", false, [this] { click(bar(MainView::bibleIndex)); }, false},
        {"Bible twice", false,
         [this] {
             click(bar(MainView::bibleIndex));
             click(bar(MainView::bibleIndex));
         }},
        {"New Page", false, [this] { click(bar(MainView::newPageIndex)); }, false},
        {"Settings, the preferences in front", false, [this] { click(bar(MainView::settingsIndex)); }, false},
        {"Settings twice", false,
         [this] {
             click(bar(MainView::settingsIndex));
             click(bar(MainView::settingsIndex));
         }},
        {"About twice", false,
         [this] {
             click(bar(MainView::aboutIndex));
             click(bar(MainView::aboutIndex));
         }},
        {"Escape closing the preferences", false,
         [this] {
             click(bar(MainView::settingsIndex));
             press(Qt::Key_Escape);
         }},
        {"the close button of About", false,
         [this] {
             click(bar(MainView::aboutIndex));
             click(panelCloseButton(TopAreaPanel::about));
         }},
        {"Escape closing the search page from its field", false,
         [this, openSearch] {
             openSearch();
             press(Qt::Key_Escape);
         }},
        {"the close button of the search page", false,
         [this, openSearch] {
             openSearch();
             click(panelCloseButton(TopAreaPanel::search));
         }},
        {"New Page and a tap on the new page, drawn scaled", true,
         [this] {
             click(bar(MainView::newPageIndex));
             click(main().carouselView()->cell(static_cast<int>(carousel().selectedTab()))->tapArea());
         }},
        {"the close button of the preferences, drawn scaled", true,
         [this] {
             click(bar(MainView::settingsIndex));
             click(panelCloseButton(TopAreaPanel::settings));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        launch(c.scaled);
        c.before();
        if (HasFatalFailure()) {
            return;
        }
        const auto state = buttonState();
        const int start = scrolled();
        const int line = c.scrolls ? VerseListWidget::lineStep : 0;

        press(Qt::Key_Down);
        EXPECT_EQ(scrolled(), start + line);
        press(Qt::Key_Space);
        const int pageStep = scrolled() - start - line;
        if (c.scrolls) {
            EXPECT_GT(pageStep, page()->verseList()->viewport()->height() / 2);
        } else {
            EXPECT_EQ(pageStep, 0);
        }
        press(Qt::Key_Space, Qt::ShiftModifier);
        EXPECT_EQ(scrolled(), start + line);
        press(Qt::Key_PageDown);
        EXPECT_EQ(scrolled(), start + line + pageStep);
        press(Qt::Key_PageUp);
        press(Qt::Key_Up);
        EXPECT_EQ(scrolled(), start);
        press(Qt::Key_End);
        EXPECT_EQ(scrolled(), c.scrolls ? page()->verseList()->verticalScrollBar()->maximum() : start);
        press(Qt::Key_Home);
        EXPECT_EQ(scrolled(), c.scrolls ? 0 : start);
        EXPECT_EQ(buttonState(), state);
    }
}

} // namespace
} // namespace lumenscroll
