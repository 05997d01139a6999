// The start-up screen, the main view and the window, rendered offscreen with grab() at their
// real size, and the bar's buttons clicked through the real widgets.

#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/MoviePlayerWidget.h"
#include "app/shell/ProgressSpinnerWidget.h"
#include "app/shell/ScaledContentView.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"
#include "app/shell/WindowFit.h"

#include "FakeMoviePlayer.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"
#include "testing/reading/PageListKeyForTests.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace lumenscroll {
namespace {

bool near(const QColor& actual, const QColor& expected, int tolerance = 6) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// The brightest and the darkest pixel of an area, by their lightness.
std::pair<int, int> lightnessRange(const QImage& image, const QRect& area) {
    int brightest = 0;
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int lightness = image.pixelColor(x, y).lightness();
            brightest = std::max(brightest, lightness);
            darkest = std::min(darkest, lightness);
        }
    }
    return {brightest, darkest};
}

class ShellWidgetsTest : public ::testing::Test {
protected:
    static bool addResources(TestAppContext& context) {
        return context.addResource(QStringLiteral("IntroMovie.mp4"), QByteArrayLiteral("a movie")) &&
               context.addResource(QStringLiteral("01창세기.txt"), QByteArrayLiteral("1:1 태초에\n"));
    }

    void settle() { test.manualScheduler().runReady(); }

    TestAppContext test{QString()};
    // Before the start-up screen, which looks for its movie when it is built.
    bool resourcesAdded = addResources(test);
    UserSettings settings;
    testing::FakeMoviePlayer movie;
    SplashView splash{settings, test.context(), movie};
};

TEST_F(ShellWidgetsTest, TheStartUpScreenDrawsTitleAndLoadingOverADarkBackdropAndHandsOverToTheMainView) {
    ASSERT_TRUE(resourcesAdded);
    SplashViewWidget widget(splash);
    widget.show();
    settle();
    EXPECT_EQ(widget.size(), QSize(1200, 800));
    EXPECT_TRUE(movie.isPlaying());

    const QImage start = widget.grab().toImage();
    EXPECT_EQ(start.size(), QSize(1200, 800));
    // No movie frame (a movie that cannot play looks the same): a dark backdrop.
    EXPECT_TRUE(near(start.pixelColor(5, 5), Qt::black));
    EXPECT_FALSE(widget.movie()->hasFrame());
    EXPECT_EQ(widget.movie()->geometry(), QRect(-100, -100, 1400, 1000));
    ASSERT_TRUE(widget.titleBlock()->isVisible());
    EXPECT_NEAR(widget.titleBlock()->geometry().center().y(), 400, 1);
    // The white title stands out against the backdrop.
    EXPECT_GT(lightnessRange(start, widget.titleBlock()->geometry()).first, 200);
    ASSERT_TRUE(widget.loadingBlock()->isVisible());
    auto* loading = widget.findChild<QLabel*>(QStringLiteral("loadingText"));
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(loading->text(), QStringLiteral("Loading "));
    // The player's frames fill the screen behind the title.
    QImage red(140, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    movie.showFrame(red);
    EXPECT_TRUE(widget.movie()->hasFrame());
    EXPECT_TRUE(near(widget.grab().toImage().pixelColor(5, 5), Qt::red));

    test.manualScheduler().advance(SplashView::startupDelay);
    ASSERT_NE(widget.mainViewWidget(), nullptr);
    EXPECT_FALSE(widget.loadingBlock()->isVisible());
    EXPECT_EQ(widget.mainViewWidget()->geometry(), QRect(0, 0, 1200, 800));
    EXPECT_FALSE(movie.isPlaying());
    // White until the first selection.
    EXPECT_TRUE(near(widget.grab().toImage().pixelColor(600, 400), Qt::white));

    test.manualScheduler().advance(MainView::firstSelectionDelay);
    const QImage main = widget.grab().toImage();
    EXPECT_EQ(main.size(), QSize(1200, 800));
    // Black at 0.85 over white, in the strip above the carousel's pages.
    EXPECT_TRUE(near(main.pixelColor(600, 8), QColor(38, 38, 38)));
}

class MainViewWidgetTest : public ShellWidgetsTest {
protected:
    MainViewWidgetTest() {
        widget.show();
        test.manualScheduler().advance(MainView::firstSelectionDelay);
    }

    QAbstractButton* button(const char* name) const {
        return widget.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    MainView view{settings, test.context()};
    MainViewWidget widget{view};
};

TEST_F(MainViewWidgetTest, TheCarouselAreaAndTheBarStandWhereTheLayoutPutsThem) {
    ASSERT_NE(widget.carouselArea(), nullptr);
    EXPECT_EQ(widget.carouselArea()->objectName(), QStringLiteral("carouselArea"));
    EXPECT_EQ(widget.carouselArea()->geometry(), QRect(0, 18, 1200, 680));
    EXPECT_EQ(widget.buttonBar()->geometry(), QRect(12, 698, 1176, 80));
    ASSERT_EQ(widget.buttons().size(), 4u);
    for (const char* name : {"bibleButton", "newPageButton", "settingsButton", "aboutButton"}) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_TRUE(button(name)->isVisible()) << name;
    }
    // Left to right in bar order.
    EXPECT_LT(button("bibleButton")->x(), button("newPageButton")->x());
    EXPECT_LT(button("newPageButton")->x(), button("settingsButton")->x());
    EXPECT_LT(button("settingsButton")->x(), button("aboutButton")->x());
}

TEST_F(MainViewWidgetTest, ClickingTheButtonsSetsTheirFlags) {
    button("newPageButton")->click();
    EXPECT_EQ(view.index(), MainView::newPageIndex);
    EXPECT_TRUE(settings.plusBible());
    EXPECT_TRUE(view.plusBtnPressed());

    button("settingsButton")->click();
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    button("aboutButton")->click();
    EXPECT_TRUE(settings.aboutViewBtnPressed());
    button("bibleButton")->click();
    button("bibleButton")->click();
    EXPECT_EQ(view.index(), MainView::bibleIndex);
    EXPECT_TRUE(view.isShrinked());
    settle();
    EXPECT_EQ(settings.tabIndex(), MainView::bibleIndex);
}

TEST_F(MainViewWidgetTest, OnlyTheSelectedButtonShowsTheGradientAndTheOthersDrawWhiteLabels) {
    settle();
    auto* bible = static_cast<MainBarButton*>(button("bibleButton"));
    auto* about = static_cast<MainBarButton*>(button("aboutButton"));
    EXPECT_FALSE(bible->background().view().colored());
    EXPECT_TRUE(about->background().view().colored());

    const QImage image = widget.grab().toImage();
    const QRect aboutArea(about->mapTo(&widget, QPoint(0, 0)), about->size());
    // White label on the dark area, no background of its own.
    const auto [brightest, darkest] = lightnessRange(image, aboutArea);
    EXPECT_GT(brightest, 200);
    EXPECT_LT(darkest, 60);

    about->click();
    settle();
    EXPECT_TRUE(bible->background().view().colored());
    EXPECT_FALSE(about->background().view().colored());
}

TEST_F(MainViewWidgetTest, HidingTheBarKeepsTheCarouselArea) {
    settings.isMainTabBarHide.set(true);
    settle();
    EXPECT_FALSE(widget.buttonBar()->isVisible());
    EXPECT_TRUE(widget.carouselArea()->isVisible());
    EXPECT_EQ(widget.carouselArea()->height(), 680);
    settings.isMainTabBarHide.set(false);
    settle();
    EXPECT_TRUE(widget.buttonBar()->isVisible());
}

TEST(LumenscrollAppWidget, TheWindowIsFixedAtTwelveHundredByEightHundredAndClosingItRunsTheQuitRule) {
    TestAppContext test{QString()};
    LumenscrollApp app(test.context());
    testing::FakeMoviePlayer movie;
    LumenscrollAppWidget window(app, movie);
    window.show();
    test.manualScheduler().runReady();
    EXPECT_EQ(window.size(), QSize(1200, 800));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.grab().size(), QSize(1200, 800));
    // No movie among these resources: reported, and the start-up goes on.
    EXPECT_TRUE(test.traceCapture().contains(QStringLiteral("error IntroMovie.mp4 is not among the resources")));
    test.manualScheduler().advance(SplashView::startupDelay);
    EXPECT_TRUE(window.splashView().goToMain());

    // Closed during the start-up screen's era of no restored pages: nothing is saved.
    app.userSettings().selectedBibleArray.set(testing::pageListKey(), {BibleStructure{}});
    window.close();
    EXPECT_FALSE(test.context().settings().hasValue(QStringLiteral("SelectedBibleArray")));

    // Ctrl+Q closes it the same way; with the pages restored, they are saved.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    app.pagesRestored().set(true);
    QTest::keyClick(window.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(test.context().settings().hasValue(QStringLiteral("SelectedBibleArray")));
}

TEST(WindowFit, TheContentIsScaledDownUniformlyToFitTheRoomAndNeverUp) {
    const struct {
        QSize room;
        double scale;
        QSize window;
    } cases[] = {
        {{1200, 800}, 1.0, {1200, 800}},
        {{2560, 1400}, 1.0, {1200, 800}},
        // A 1366 by 768 screen less a panel and a title bar; a 1280 by 720 one without either.
        {{1366, 708}, 708.0 / 800, {1062, 708}},
        {{1280, 720}, 0.9, {1080, 720}},
        // The narrow side decides.
        {{800, 600}, 800.0 / 1200, {800, 533}},
        // No screen yet: nothing to fit.
        {{0, 0}, 1.0, {1200, 800}},
    };
    for (const auto& c : cases) {
        const WindowFit fit(c.room);
        EXPECT_DOUBLE_EQ(fit.scale(), c.scale) << c.room.width() << "x" << c.room.height();
        EXPECT_EQ(fit.windowSize(), c.window) << c.room.width() << "x" << c.room.height();
    }
}

TEST(LumenscrollAppWidget, InASmallRoomTheWholeWindowIsDrawnSmallerAndEveryBarButtonStillTakesClicks) {
    TestAppContext test{QString()};
    LumenscrollApp app(test.context());
    testing::FakeMoviePlayer movie;
    LumenscrollAppWidget window(app, movie);
    window.fitTo(QSize(1000, 600));
    window.show();
    test.manualScheduler().runReady();
    EXPECT_EQ(window.size(), QSize(900, 600));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_DOUBLE_EQ(window.contentScale(), 0.75);
    test.manualScheduler().advance(SplashView::startupDelay);
    test.manualScheduler().advance(MainView::firstSelectionDelay);
    QCoreApplication::processEvents();

    MainViewWidget* main = window.splashViewWidget()->mainViewWidget();
    ASSERT_NE(main, nullptr);
    // Laid out as at 1200 by 800.
    EXPECT_EQ(main->size(), QSize(1200, 800));
    ScaledContentView* view = window.scaledView();
    ASSERT_NE(view, nullptr);
    for (MainBarButton* button : main->buttons()) {
        const QRect drawn(view->mapFromContent(button->mapTo(window.splashViewWidget(), QPoint(0, 0))),
                          view->mapFromContent(button->mapTo(window.splashViewWidget(),
                                                             QPoint(button->width(), button->height()))));
        EXPECT_TRUE(window.rect().contains(drawn)) << button->objectName().toStdString();
    }
    // A click where "Settings" is drawn reaches it.
    QAbstractButton* settings = main->findChild<QAbstractButton*>(QStringLiteral("settingsButton"));
    ASSERT_NE(settings, nullptr);
    const QPoint at = view->mapFromContent(settings->mapTo(window.splashViewWidget(), settings->rect().center()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(app.userSettings().settingsViewBtnPressed());

    // With room enough, the window is as it always was.
    window.fitTo(QSize(1600, 1000));
    EXPECT_EQ(window.size(), QSize(1200, 800));
    EXPECT_DOUBLE_EQ(window.contentScale(), 1.0);
}

TEST(LumenscrollAppWidget, FittedToItsScreenItIsPlacedWholeOnItAndThenStaysWhereItIsMoved) {
    TestAppContext test{QString()};
    LumenscrollApp app(test.context());
    testing::FakeMoviePlayer movie;
    LumenscrollAppWidget window(app, movie);
    const QRect available = window.screen()->availableGeometry();
    ASSERT_TRUE(WindowFit(available.size()).isScaled());
    // Asked for beyond the screen's corner.
    window.move(available.topLeft() + QPoint(available.width() / 2, available.height() / 2));
    window.fitToScreen();
    window.show();
    test.manualScheduler().runReady();
    const QSize frame = window.frameGeometry().size() - window.size();
    EXPECT_EQ(window.size(), WindowFit(available.size() - frame).windowSize());
    EXPECT_TRUE(available.contains(window.frameGeometry()));
    // A later move is the user's.
    const QPoint moved = available.topLeft() + QPoint(40, 30);
    window.move(moved);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), moved);
}

TEST(ProgressSpinnerWidget, TurnsOnARoundTranslucentBackdropNotOnABlackSquare) {
    TestAppContext test;
    ProgressSpinnerWidget spinner(test.context().animations());
    QImage image(spinner.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    spinner.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // The corners show what is behind; inside the circle, between the spokes' ends and its
    // edge, the backdrop darkens it.
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    const QColor inside = image.pixelColor(spinner.width() / 2, ProgressSpinnerWidget::padding / 2);
    EXPECT_LT(inside.lightness(), 200);
    EXPECT_GT(inside.lightness(), 60);
}

} // namespace
} // namespace lumenscroll
