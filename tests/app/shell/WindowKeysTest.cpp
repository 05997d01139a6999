// The keys of a scroll view as the window system delivers them to the program's window, in the
// situations the user reaches: they move the verse list of the page on screen whatever was
// clicked or closed before, and they never press a button.

#include "CarouselViewTestSupport.h"
#include "FakeMoviePlayer.h"

#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/TopAreaPanel.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/ScaledContentView.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace lumenscroll {
namespace {

class WindowKeysTest : public testing::CarouselTest {
protected:
    // The program's window past its start-up screen, made the active window once the main view
    // is up, as a window manager or a first click does; drawn scaled down when `scaled`.
    void launch(bool scaled) {
        window.reset();
        run.reset();
        startProcess();
        run = std::make_unique<Run>();
        window = std::make_unique<LumenscrollAppWidget>(run->app, run->movie);
        if (scaled) {
            window->fitTo(QSize(1000, 600));
        }
        window->show();
        run->test.manualScheduler().advance(SplashView::startupDelay);
        run->test.manualScheduler().advance(MainView::firstSelectionDelay);
        settle();
        ASSERT_NE(page(), nullptr);
        turnAwayAndBack();
    }
    void turnAwayAndBack() {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        settle();
    }
    void settle() {
        run->test.manualScheduler().runReady();
        QCoreApplication::processEvents();
        run->test.manualScheduler().runReady();
    }

    MainViewWidget& main() const { return *window->splashViewWidget()->mainViewWidget(); }
    CarouselView& carousel() const { return main().view().carousel(); }
    BibleViewWidget* page() const { return main().carouselView()->pageOnScreen(); }
    QAbstractButton* bar(std::int64_t index) const {
        return main().buttons().at(static_cast<std::size_t>(index));
    }
    int scrolled() const { return page()->verseList()->verticalScrollBar()->value(); }

    // Where a point of the content stands in the window, scaled or not.
    QPoint inWindow(const QWidget* widget, QPoint at) const {
        const QPoint content = widget->mapTo(window->splashViewWidget(), at);
        return window->scaledView() != nullptr ? window->scaledView()->mapFromContent(content) : content;
    }
    // A click at `at` in `widget` (its centre by default), delivered to the window where the
    // widget is drawn.
    void click(const QWidget* widget, QPoint at = QPoint(-1, -1)) {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          inWindow(widget, at == QPoint(-1, -1) ? widget->rect().center() : at));
        settle();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), key, modifiers);
        settle();
    }
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

    // One run of the program, in a home of its own.
    struct Run {
        TestAppContext test{testing::builtResourceDirectory()};
        LumenscrollApp app{test.context()};
        testing::FakeMoviePlayer movie;
    };
    std::unique_ptr<Run> run;
    // Goes before the run it draws.
    std::unique_ptr<LumenscrollAppWidget> window;
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
