// The search page as the search button brings it and takes it away, in the program's window with
// its animations on: it fades in and out over the default animation; coming in it takes the
// clicks meant for it, going it takes no click or key; it turns back from where it stands at
// another press of the button, whose upper part stands above it; once in, nothing of the fade is
// left on it. Its other ways of closing take it away at once. Its corners, its shadow's and its
// fading picture's are rounded alike.

#include "ProgramWindowTest.h"

#include "app/platform/AppContext.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PanelFade.h"
#include "app/reading/PanelFadeWidget.h"
#include "app/reading/PanelShadow.h"
#include "app/reading/VerseListWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;

class WindowSearchFadeTest : public testing::ProgramWindowTest {
protected:
    void launchAnimated() {
        launch();
        run->test.context().animations().setEnabled(true);
    }
    QAbstractButton* searchButton() const {
        return page()->findChild<QAbstractButton*>(QStringLiteral("searchButton"));
    }
    const PanelFade& fade() const { return page()->searchFade(); }
    double drawn() const { return page()->searchFading()->drawnOpacity(); }
    void wait(milliseconds time) {
        run->test.manualScheduler().advance(time);
        settle();
    }
    QLineEdit* field() const { return searchPage()->searchBar()->queryField(); }
    // Nothing of a fade on the search page: drawn as it is, taking clicks, keys in its field.
    void expectIn() const {
        ASSERT_NE(searchPage(), nullptr);
        EXPECT_FALSE(fade().isFading());
        EXPECT_EQ(searchPage()->graphicsEffect(), nullptr);
        EXPECT_FALSE(searchPage()->testAttribute(Qt::WA_TransparentForMouseEvents));
        EXPECT_FALSE(page()->panelHost()->testAttribute(Qt::WA_TransparentForMouseEvents));
        EXPECT_FALSE(page()->searchFading()->isVisible());
        EXPECT_TRUE(field()->hasFocus());
    }
};

TEST_F(WindowSearchFadeTest, TheSearchButtonFadesThePageInAndOutAndAPressDuringAFadeTurnsItBack) {
    struct Step {
        const char* what;
        std::function<void()> act;
        bool shown;
        double opacity;
    };
    const Step steps[] = {
        {"pressed", [this] { click(searchButton()); }, true, 0.0},
        {"half-way", [this] { wait(milliseconds{165}); }, true, 0.5},
        // The button stands above the page coming in.
        {"pressed half-way: it turns back", [this] { click(searchButton()); }, false, 0.5},
        {"going", [this] { wait(milliseconds{66}); }, false, 0.3},
        {"pressed again: it comes from there", [this] { click(searchButton()); }, true, 0.3},
        {"coming", [this] { wait(milliseconds{99}); }, true, 0.5},
    };
    launchAnimated();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(page()->page().state().view()->searchBtnPressed, step.shown);
        EXPECT_TRUE(fade().isFading());
        EXPECT_NEAR(drawn(), step.opacity, 0.06);
        // Coming in, the page itself; going, a picture of it.
        EXPECT_EQ(searchPage() != nullptr, step.shown);
        EXPECT_EQ(page()->searchFading()->isVisible(), !step.shown);
        // Coming in, it takes clicks; going, none.
        EXPECT_EQ(page()->panelHost()->testAttribute(Qt::WA_TransparentForMouseEvents), !step.shown);
    }
    // Coming in, its field has the typing.
    type(QStringLiteral("빛"));
    EXPECT_EQ(field()->text(), QStringLiteral("빛"));

    wait(milliseconds{200});
    EXPECT_EQ(drawn(), 1.0);
    expectIn();
    type(QStringLiteral("과 어둠"));
    EXPECT_EQ(field()->text(), QStringLiteral("빛과 어둠"));
    click(searchPage()->closeButton());

    // Going, it takes no click and no key: they go to the page under it.
    click(searchButton());
    wait(milliseconds{297});
    click(searchButton());
    ASSERT_TRUE(page()->searchFading()->isVisible());
    click(page()->verseList()->row(2));
    EXPECT_EQ(page()->page().selectedVerseCount(), 1);
    // Switched off, the list behind scrolls at once; the fade under way goes on.
    run->test.context().animations().setEnabled(false);
    const int scrolled = page()->verseList()->verticalScrollBar()->value();
    press(Qt::Key_PageDown);
    EXPECT_GT(page()->verseList()->verticalScrollBar()->value(), scrolled);

    wait(milliseconds{400});
    EXPECT_FALSE(fade().isPresent());
    EXPECT_FALSE(page()->panelHost()->isVisible());
    EXPECT_FALSE(page()->searchFading()->isVisible());
}

TEST_F(WindowSearchFadeTest, ComingInItTakesTheClicksMeantForItAndOnceInAPressAboveItFadesItOut) {
    launchAnimated();
    click(searchButton());
    wait(milliseconds{165});
    ASSERT_TRUE(fade().isFading());
    // A verse behind the page coming in is not the click's.
    click(page()->verseList()->row(2));
    EXPECT_EQ(page()->page().selectedVerseCount(), 0);
    EXPECT_TRUE(fade().isShown());

    wait(milliseconds{300});
    expectIn();
    click(searchButton(), QPoint(searchButton()->width() / 2, 4));
    EXPECT_FALSE(page()->page().state().view()->searchBtnPressed);
    EXPECT_TRUE(fade().isFading());
    EXPECT_TRUE(page()->searchFading()->isVisible());
}

TEST_F(WindowSearchFadeTest, ItsCornersItsShadowAndItsFadingPictureAreRoundedTo30) {
    // How opaque `widget` draws itself and its children at `at`, on nothing.
    const auto alpha = [](QWidget* widget, QPoint at) {
        QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return qAlpha(image.pixel(at));
    };
    // Off a corner of radius 30, within one of 25; and within both.
    const QPoint off(7, 7);
    const QPoint within(12, 12);
    launchAnimated();
    click(searchButton());
    wait(milliseconds{400});
    expectIn();
    EXPECT_EQ(alpha(searchPage(), off), 0);
    EXPECT_EQ(alpha(searchPage(), within), 255);
    const QPointF corner = searchPage()->mapTo(page(), QPoint(0, 0));
    for (const PanelShadow* shadow : page()->findChildren<PanelShadow*>()) {
        if (shadow != page()->panelShadow()) {
            EXPECT_FALSE(shadow->shape().contains(corner + QPointF(off) + QPointF(0.5, 0.5)));
            EXPECT_TRUE(shadow->shape().contains(corner + QPointF(within)));
        }
    }

    click(searchButton());
    ASSERT_TRUE(page()->searchFading()->isVisible());
    EXPECT_EQ(alpha(page()->searchFading(), off), 0);
    EXPECT_GT(alpha(page()->searchFading(), within), 0);
}

TEST_F(WindowSearchFadeTest, ItsOtherWaysOfClosingTakeThePageAwayAtOnce) {
    const struct {
        const char* way;
        std::function<void()> close;
    } ways[] = {
        {"its close button", [this] { click(searchPage()->closeButton()); }},
        {"Escape", [this] { press(Qt::Key_Escape); }},
        {"a hit opened",
         [this] {
             type(QStringLiteral("태초"));
             press(Qt::Key_Return);
             QListView* hits = searchPage()->hitList();
             ASSERT_GT(hits->model()->rowCount(), 0);
             click(hits->viewport(), hits->visualRect(hits->model()->index(0, 0)).center());
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        launchAnimated();
        click(searchButton());
        wait(milliseconds{400});
        expectIn();
        way.close();
        EXPECT_EQ(searchPage(), nullptr);
        EXPECT_FALSE(fade().isPresent());
        EXPECT_FALSE(page()->panelHost()->isVisible());
    }
}

} // namespace
} // namespace lumenscroll
