// The carousel in the main view, through the real widgets: the pages restored on the first
// showing, "New Page" and the close button clicked, the overview mode, the notice, and a smoke
// render of the main view with two pages at 1200 by 800.

#include "CarouselViewTestSupport.h"
#include "FakeMoviePlayer.h"
#include "tests/app/ContrastRatio.h"

#include "app/reading/BibleContentCell.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/NoticeCapsule.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/UserSettings.h"
#include "app/reading/Utils.h"
#include "app/reading/VerseListWidget.h"
#include "app/search/KindOfBibleSearchViewWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/AboutViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/PagingCarouselViewModel.h"
#include "app/shell/PagingCarouselWidget.h"
#include "app/shell/SettingsPicker.h"
#include "app/shell/SettingsViewWidget.h"
#include "testing/platform/TestAppContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace lumenscroll {
namespace {

using testing::builtResourceDirectory;
using testing::contrastRatio;
using testing::lightestIn;
using testing::loadStartUpChapter;
using testing::pageStateFiles;
using testing::storedPage;
using testing::storedPageList;
using testing::storePageList;

bool near(const QColor& actual, const QColor& expected, int tolerance = 8) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

void click(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(target, &release);
}

class CarouselViewWidgetTest : public testing::CarouselTest {
protected:
    // The main view as the start-up screen hands over to it, shown and past its first selection.
    void showMainView() {
        loadStartUpChapter(settings, test.context());
        widget = std::make_unique<MainViewWidget>(view, nullptr, &movie);
        widget->show();
        test.manualScheduler().advance(MainView::firstSelectionDelay);
        settle();
    }
    void settle() { test.manualScheduler().runReady(); }

    CarouselView& carousel() { return view.carousel(); }
    CarouselViewWidget& carouselWidget() { return *widget->carouselView(); }
    QAbstractButton* button(const char* name) const {
        return widget->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    QAbstractButton* closeButton() const { return button("closePageButton"); }
    void pressNewPage() {
        ASSERT_NE(button("newPageButton"), nullptr);
        button("newPageButton")->click();
        settle();
    }
    // The main view with three pages, the first one on screen.
    void showThreePages() {
        storePageList(test.context(), {storedPage(0, 0, BibleKind::kr01, 0), storedPage(0, 1, BibleKind::kr01, 0),
                                       storedPage(0, 2, BibleKind::kr01, 0)});
        showMainView();
        ASSERT_EQ(settings.roles().size(), 3u);
    }
    BibleViewWidget* page(int index) const {
        return qobject_cast<BibleViewWidget*>(widget->carouselView()->cell(index)->page());
    }
    void turnTo(int index) {
        carousel().selectedTab.set(index);
        settle();
    }

    TestAppContext test{builtResourceDirectory()};
    UserSettings settings;
    bool pagesRestored = false;
    MainView view{settings, test.context(), Binding<bool>::to(pagesRestored)};
    // The program's one movie player, which the About panel plays in.
    testing::FakeMoviePlayer movie;
    std::unique_ptr<MainViewWidget> widget;
};

TEST_F(CarouselViewWidgetTest, TheFirstShowingRestoresThePagesAndDrawsTheCurrentOneInTheCarouselArea) {
    showMainView();
    EXPECT_TRUE(pagesRestored);
    ASSERT_EQ(settings.roles().size(), 1u);
    ASSERT_NE(carouselWidget().carousel(), nullptr);
    EXPECT_EQ(carouselWidget().geometry(), QRect(0, 0, 1200, 680));
    EXPECT_EQ(carouselWidget().carousel()->geometry(), QRect(0, -36, 1200, 728));

    CarouselViewPageCell* cell = carouselWidget().cell(0);
    ASSERT_NE(cell, nullptr);
    auto* page = qobject_cast<BibleViewWidget*>(cell->page());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    // The page fills the top of the carousel area, full width.
    EXPECT_EQ(page->mapTo(widget.get(), QPoint(0, 0)), QPoint(0, 18));
    EXPECT_EQ(page->size(), QSize(1200, 670));
    EXPECT_EQ(cell->shownScale(), 1.0);
    EXPECT_FALSE(closeButton()->isVisible());
    EXPECT_FALSE(carouselWidget().pageCounter()->isVisible());
    EXPECT_FALSE(carouselWidget().toast()->isVisible());

    // Shown again (restored from minimised): nothing is restored twice.
    widget->hide();
    widget->show();
    settle();
    EXPECT_EQ(settings.roles().size(), 1u);
    EXPECT_EQ(settings.selectedBibleArray()[0].praises.size(), 31u);
}

TEST_F(CarouselViewWidgetTest, NewPageWorksAgainOnceTheNewestPageTookTheLastOneIn) {
    showMainView();
    pressNewPage();
    ASSERT_EQ(settings.roles().size(), 2u);
    // The newest page cleared the page-adding flags, so the button adds again.
    EXPECT_FALSE(settings.plusBible());
    EXPECT_FALSE(settings.plusBible2());
    pressNewPage();
    EXPECT_EQ(settings.roles().size(), 3u);
    EXPECT_EQ(settings.selectedBibleArray().size(), 3u);
}

TEST_F(CarouselViewWidgetTest, NewPageAndTheCloseButtonAddAndCloseAPageThroughTheRealWidgets) {
    showMainView();
    pressNewPage();

    ASSERT_EQ(settings.roles().size(), 2u);
    EXPECT_EQ(carousel().selectedTab(), 1);
    EXPECT_TRUE(view.isShrinked());
    EXPECT_FALSE(view.plusBtnPressed());
    ASSERT_NE(carouselWidget().carouselModel(), nullptr);
    EXPECT_EQ(carouselWidget().carouselModel()->activeIndex(), 1);
    EXPECT_EQ(carouselWidget().carousel()->pageCount(), 2);
    ASSERT_TRUE(closeButton()->isVisible());
    EXPECT_EQ(carouselWidget().pageCounter()->text(), QStringLiteral("2 / 2"));
    ASSERT_NE(carouselWidget().cell(1), nullptr);
    EXPECT_DOUBLE_EQ(carouselWidget().cell(1)->shownScale(), 0.8);

    closeButton()->click();
    settle();
    ASSERT_EQ(settings.roles().size(), 1u);
    EXPECT_EQ(carousel().selectedTab(), 0);
    EXPECT_EQ(carouselWidget().carouselModel()->activeIndex(), 0);
    EXPECT_EQ(pageStateFiles(test.context()), QStringList{QStringLiteral("LSC_Settings_0")});
    ASSERT_TRUE(storedPageList(test.context()));
    EXPECT_EQ(storedPageList(test.context())->size(), 1u);
    EXPECT_EQ(carouselWidget().pageCounter()->text(), QStringLiteral("1 / 1"));

    // The last page stays, and the notice says why, for a while.
    closeButton()->click();
    settle();
    EXPECT_EQ(settings.roles().size(), 1u);
    ASSERT_TRUE(carouselWidget().toast()->isVisible());
    EXPECT_EQ(carouselWidget().toast()->text(),
              QStringLiteral("성경 페이지가 최소 한 개는 열려있어야 합니다."));
    // Under the shrunk page, clear of the page counter.
    ASSERT_TRUE(carouselWidget().pageCounter()->isVisible());
    EXPECT_FALSE(carouselWidget().toast()->geometry().intersects(carouselWidget().pageCounter()->geometry()));
    test.manualScheduler().advance(CarouselView::toastDuration);
    EXPECT_FALSE(carouselWidget().toast()->isVisible());

    // A tap on the page ends the overview.
    CarouselViewPageCell* cell = carouselWidget().cell(0);
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(cell->tapArea()->isVisible());
    click(cell->tapArea(), cell->tapArea()->rect().center());
    settle();
    EXPECT_FALSE(view.isShrinked());
    EXPECT_FALSE(closeButton()->isVisible());
    EXPECT_FALSE(cell->tapArea()->isVisible());
    EXPECT_EQ(cell->shownScale(), 1.0);
}

TEST_F(CarouselViewWidgetTest, AHitChosenOnThePagesSearchOpensANewPageAtThatVerse) {
    showMainView();
    auto* page = qobject_cast<BibleViewWidget*>(carouselWidget().cell(0)->page());
    ASSERT_NE(page, nullptr);
    page->findChild<QAbstractButton*>(QStringLiteral("searchButton"))->click();
    settle();
    auto* search = qobject_cast<SearchBibleViewWidget*>(page->panel(TopAreaPanel::search));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->geometry(), QRect(0, 0, 1000, 600));

    QLineEdit* query = search->searchBar()->queryField();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("독생자"));
    QApplication::sendEvent(query, &typed);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(query, &enter);
    settle();
    const std::vector<std::string> locators = search->view().foundWordLocation();
    const auto john = std::find(locators.begin(), locators.end(), "42@2@15");
    ASSERT_NE(john, locators.end());
    QListView* hits = search->hitList();
    const QModelIndex row = hits->model()->index(static_cast<int>(john - locators.begin()), 0);
    hits->scrollTo(row);
    click(hits->viewport(), hits->visualRect(row).center());
    settle();

    // The search is gone; a new page stands on John 3, saved, current, with verse 16 selected.
    EXPECT_EQ(page->panel(TopAreaPanel::search), nullptr);
    ASSERT_EQ(settings.roles().size(), 2u);
    ASSERT_EQ(settings.selectedBibleArray().size(), 2u);
    const BibleStructure& opened = settings.selectedBibleArray()[1];
    EXPECT_EQ(opened.sectionIndex, 42);
    EXPECT_EQ(opened.versesIndex, 2);
    EXPECT_EQ(carousel().selectedTab(), 1);
    EXPECT_TRUE(settings.foundSectionVerseAndPraiseArray().empty());
    EXPECT_EQ(pageStateFiles(test.context()).size(), 2);
    auto* newPage = qobject_cast<BibleViewWidget*>(carouselWidget().cell(1)->page());
    ASSERT_NE(newPage, nullptr);
    EXPECT_EQ(newPage->titleCapsule()->caption(), QStringLiteral("요한복음 3장"));
    const std::vector<bool>& selected = settings.roles()[1].isSelectedArray2;
    ASSERT_EQ(selected.size(), 36u);
    EXPECT_TRUE(selected[15]);
    EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(newPage->verseList()->verticalScrollBar()->value(), newPage->verseList()->row(15)->y());
}

TEST_F(CarouselViewWidgetTest, APageThatIsNotShownTakesNoClickMeantForTheCurrentPage) {
    storePageList(test.context(),
                  {storedPage(0, 0, BibleKind::kr01, 0), storedPage(0, 1, BibleKind::kr01, 0)});
    showMainView();
    auto* page = qobject_cast<BibleViewWidget*>(carouselWidget().cell(0)->page());
    ASSERT_NE(page, nullptr);
    auto* next = page->findChild<QWidget*>(QStringLiteral("nextChapterButton"));
    // Every point of the next chapter button, up to its right edge, is the button's.
    for (const int x : {2, next->width() / 2, next->width() - 2}) {
        const QPoint at = widget->mapFromGlobal(next->mapToGlobal(QPoint(x, next->height() / 2)));
        QWidget* hit = widget->childAt(at);
        EXPECT_TRUE(hit == next || next->isAncestorOf(hit))
            << x << " " << (hit ? hit->objectName().toStdString() : "");
    }
}

TEST_F(CarouselViewWidgetTest, ClosingAMiddlePageShowsThePageBeforeIt) {
    storePageList(test.context(), {storedPage(0, 0, BibleKind::kr01, 0), storedPage(0, 1, BibleKind::kr01, 0),
                                   storedPage(0, 2, BibleKind::kr01, 0)});
    showMainView();
    ASSERT_EQ(settings.roles().size(), 3u);
    carousel().selectedTab.set(1);
    settle();
    view.bibleButtonPressed();
    settle();
    ASSERT_TRUE(view.isShrinked());

    closeButton()->click();
    settle();
    ASSERT_EQ(settings.selectedBibleArray().size(), 2u);
    EXPECT_EQ(settings.selectedBibleArray()[1].versesIndex, 2);
    // The carousel stands where the close put it, not one further.
    EXPECT_EQ(carousel().selectedTab(), 0);
    EXPECT_EQ(carouselWidget().carouselModel()->activeIndex(), 0);
    EXPECT_EQ(carouselWidget().carousel()->pageCount(), 2);
    EXPECT_EQ(carouselWidget().pageCounter()->text(), QStringLiteral("1 / 2"));

    // Closing the first page: the next one takes its place and is shown.
    closeButton()->click();
    settle();
    ASSERT_EQ(settings.selectedBibleArray().size(), 1u);
    EXPECT_EQ(settings.selectedBibleArray()[0].versesIndex, 2);
    EXPECT_EQ(carousel().selectedTab(), 0);
    EXPECT_EQ(Utils::currentIndex, 0);
    EXPECT_EQ(carouselWidget().carouselModel()->activeIndex(), 0);
    ASSERT_NE(carouselWidget().cell(0), nullptr);
    EXPECT_TRUE(carouselWidget().cell(0)->tapArea()->isVisible());
}

TEST_F(CarouselViewWidgetTest, ThePagesThatStayKeepTheirWidgetsAndScrollPositionsWhenAPageComesOrGoes) {
    storePageList(test.context(), {storedPage(0, 0, BibleKind::kr01, 0), storedPage(0, 1, BibleKind::kr01, 0),
                                   storedPage(0, 2, BibleKind::kr01, 0)});
    showMainView();
    ASSERT_EQ(settings.roles().size(), 3u);
    const auto page = [this](int index) { return qobject_cast<BibleViewWidget*>(carouselWidget().cell(index)->page()); };
    BibleViewWidget* first = page(0);
    BibleViewWidget* last = page(2);
    carousel().selectedTab.set(2);
    settle();
    QScrollBar* scroll = last->verseList()->verticalScrollBar();
    scroll->setValue(200);

    pressNewPage();
    EXPECT_EQ(page(0), first);
    EXPECT_EQ(page(2), last);

    carousel().selectedTab.set(1);
    settle();
    closeButton()->click();
    settle();
    ASSERT_EQ(settings.roles().size(), 3u);
    EXPECT_EQ(page(0), first);
    ASSERT_EQ(page(1), last);
    EXPECT_EQ(carouselWidget().cell(1)->index(), 1);
    EXPECT_EQ(scroll->value(), 200);
    // It goes on showing its own page, which now stands at index 1.
    EXPECT_EQ(last->page().pageIndex.get(), 1);
    EXPECT_EQ(last->titleCapsule()->caption().toStdString(), settings.roles()[1].bibleSectionTitle);
    EXPECT_EQ(last->verseList()->rowCount(), 24);
}

TEST_F(CarouselViewWidgetTest, ThePageCounterStandsBelowTheShrunkPageAndReadsAtAGlance) {
    showMainView();
    pressNewPage();
    ASSERT_TRUE(view.isShrinked());
    QLabel* counter = carouselWidget().pageCounter();
    ASSERT_TRUE(counter->isVisible());
    const QWidget* shrunk = carouselWidget().cell(1)->tapArea();
    const QImage image = widget->grab().toImage();
    const QRect text(counter->mapTo(widget.get(), QPoint(0, 0)), counter->size());
    EXPECT_FALSE(text.intersects(QRect(shrunk->mapTo(widget.get(), QPoint(0, 0)), shrunk->size())));
    const QColor behind = image.pixelColor(text.left() + 5, text.center().y());
    EXPECT_GE(contrastRatio(lightestIn(image, text), behind), 4.5);
}

TEST_F(CarouselViewWidgetTest, TheKeysOfAScrollViewMoveTheVerseListOfThePageOnScreenWhereverTheyAreSent) {
    // Psalm 119 on screen, between two pages of Genesis.
    storePageList(test.context(), {storedPage(0, 0, BibleKind::kr01, 0), storedPage(18, 118, BibleKind::kr01, 0),
                                   storedPage(0, 2, BibleKind::kr01, 0)});
    showMainView();
    carousel().selectedTab.set(1);
    settle();
    const auto page = [this](int index) { return qobject_cast<BibleViewWidget*>(carouselWidget().cell(index)->page()); };
    const auto scrolled = [&](int index) { return page(index)->verseList()->verticalScrollBar()->value(); };
    // Keys no widget takes reach the window, be they sent there or to a page that is not shown.
    const auto press = [this](QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, key == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QApplication::sendEvent(to, &event);
        settle();
    };
    press(widget.get(), Qt::Key_Down);
    EXPECT_EQ(scrolled(1), VerseListWidget::lineStep);
    press(page(0), Qt::Key_Down);
    EXPECT_EQ(scrolled(1), 2 * VerseListWidget::lineStep);
    press(page(0)->verseList(), Qt::Key_Up);
    EXPECT_EQ(scrolled(1), VerseListWidget::lineStep);

    press(widget.get(), Qt::Key_PageDown);
    const int pageStep = scrolled(1) - VerseListWidget::lineStep;
    EXPECT_GT(pageStep, page(1)->verseList()->viewport()->height() / 2);
    EXPECT_LT(pageStep, page(1)->verseList()->viewport()->height());
    press(widget.get(), Qt::Key_Space);
    EXPECT_EQ(scrolled(1), VerseListWidget::lineStep + 2 * pageStep);
    press(widget.get(), Qt::Key_Space, Qt::ShiftModifier);
    press(widget.get(), Qt::Key_PageUp);
    EXPECT_EQ(scrolled(1), VerseListWidget::lineStep);
    press(widget.get(), Qt::Key_End);
    EXPECT_EQ(scrolled(1), page(1)->verseList()->verticalScrollBar()->maximum());
    EXPECT_GT(scrolled(1), 2 * pageStep);
    press(widget.get(), Qt::Key_Home);
    EXPECT_EQ(scrolled(1), 0);
    // No other key, and no other page.
    press(widget.get(), Qt::Key_Down, Qt::ControlModifier);
    press(widget.get(), Qt::Key_Tab);
    EXPECT_EQ(scrolled(1), 0);
    EXPECT_EQ(scrolled(0), 0);
    EXPECT_EQ(scrolled(2), 0);
}

TEST_F(CarouselViewWidgetTest, EscapeClosesThePanelsFrontmostFirstAndTypingInTheSearchFieldIsLeftAlone) {
    showMainView();
    auto* page = qobject_cast<BibleViewWidget*>(carouselWidget().cell(0)->page());
    ASSERT_NE(page, nullptr);
    const auto press = [this](QWidget* to, int key, const QString& text = QString()) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(to, &event);
        settle();
    };
    page->findChild<QAbstractButton*>(QStringLiteral("searchButton"))->click();
    settle();
    auto* search = qobject_cast<SearchBibleViewWidget*>(page->panel(TopAreaPanel::search));
    ASSERT_NE(search, nullptr);
    QLineEdit* query = search->searchBar()->queryField();
    press(query, 0, QStringLiteral("사랑"));
    press(query, Qt::Key_Space, QStringLiteral(" "));
    press(query, Qt::Key_Home);
    press(query, Qt::Key_Down);
    EXPECT_EQ(query->text(), QStringLiteral("사랑 "));
    EXPECT_EQ(query->cursorPosition(), 0);
    EXPECT_EQ(page->verseList()->verticalScrollBar()->value(), 0);

    // The search page's chooser, and the preferences over the search page: the chooser stands
    // in front of them and goes first, then the preferences, then the search page.
    search->view().searchBar.openChooser();
    settle();
    ASSERT_NE(search->chooser(), nullptr);
    button("settingsButton")->click();
    settle();
    ASSERT_NE(page->panel(TopAreaPanel::settings), nullptr);
    press(search->chooser(), Qt::Key_Escape);
    EXPECT_EQ(search->chooser(), nullptr);
    EXPECT_TRUE(settings.settingsViewBtnPressed());
    press(query, Qt::Key_Escape);
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_EQ(page->panel(TopAreaPanel::settings), nullptr);
    EXPECT_EQ(page->panel(TopAreaPanel::search), search);
    press(query, Qt::Key_Escape);
    EXPECT_EQ(page->panel(TopAreaPanel::search), nullptr);
    // With nothing in front, Escape does nothing.
    press(widget.get(), Qt::Key_Escape);
    EXPECT_FALSE(settings.settingsViewBtnPressed());
}

TEST_F(CarouselViewWidgetTest, AClickWithOptionHeldAnywhereOnTheCarouselIsNoticed) {
    showMainView();
    CarouselViewPageCell* cell = carouselWidget().cell(0);
    ASSERT_NE(cell, nullptr);
    click(cell->page(), QPoint(600, 300));
    EXPECT_FALSE(carousel().optionKeyPressed());
    click(cell->page(), QPoint(600, 300), Qt::AltModifier);
    EXPECT_TRUE(carousel().optionKeyPressed());
}

TEST_F(CarouselViewWidgetTest, TheSettingsButtonShowsThePreferencesOnTheCurrentPageUntilPressedAgain) {
    showMainView();
    auto* page = qobject_cast<BibleViewWidget*>(carouselWidget().cell(0)->page());
    ASSERT_NE(page, nullptr);
    button("settingsButton")->click();
    settle();
    QWidget* preferences = page->panel(TopAreaPanel::settings);
    ASSERT_NE(preferences, nullptr);
    EXPECT_TRUE(preferences->isVisible());
    ASSERT_NE(preferences->findChild<QWidget*>(QStringLiteral("settingsView")), nullptr);
    button("settingsButton")->click();
    settle();
    EXPECT_EQ(page->panel(TopAreaPanel::settings), nullptr);
}

// Every widget of type T alive in the program, shown or not.
template <class T> std::vector<T*> allOf() {
    std::vector<T*> found;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* typed = qobject_cast<T*>(widget)) {
            found.push_back(typed);
        }
    }
    return found;
}

TEST_F(CarouselViewWidgetTest, OnePreferencesAndOneAboutPanelStandOnThePageOnScreenWhateverThePageCount) {
    showThreePages();
    button("settingsButton")->click();
    settle();
    ASSERT_EQ(allOf<SettingsViewWidget>().size(), 1u);
    SettingsViewWidget* preferences = allOf<SettingsViewWidget>().front();
    EXPECT_TRUE(page(0)->isAncestorOf(preferences));
    EXPECT_TRUE(preferences->isVisible());

    turnTo(2);
    EXPECT_EQ(allOf<SettingsViewWidget>(), std::vector<SettingsViewWidget*>{preferences});
    EXPECT_TRUE(page(2)->isAncestorOf(preferences));
    EXPECT_TRUE(preferences->isVisible());
    EXPECT_EQ(page(0)->panel(TopAreaPanel::settings), nullptr);

    // About takes its place: one panel, one movie, on the page on screen, gone once closed.
    button("aboutButton")->click();
    settle();
    EXPECT_TRUE(allOf<SettingsViewWidget>().empty());
    ASSERT_EQ(allOf<AboutViewWidget>().size(), 1u);
    AboutViewWidget* about = allOf<AboutViewWidget>().front();
    EXPECT_TRUE(page(2)->isAncestorOf(about));
    EXPECT_TRUE(movie.isPlaying());
    turnTo(1);
    EXPECT_EQ(allOf<AboutViewWidget>(), std::vector<AboutViewWidget*>{about});
    EXPECT_TRUE(page(1)->isAncestorOf(about));
    EXPECT_TRUE(movie.isPlaying());
    button("aboutButton")->click();
    settle();
    EXPECT_TRUE(allOf<AboutViewWidget>().empty());
    // The player stays, done with the movie.
    EXPECT_EQ(movie.unloads, 1);
    EXPECT_FALSE(movie.isPlaying());
}

TEST_F(CarouselViewWidgetTest, ThePreferencesShowOnEveryPageWhatThePagesDrawWithAndEveryChoiceTakesEffect) {
    showThreePages();
    button("settingsButton")->click();
    settle();
    const auto picker = [this](int index) {
        return page(index)->findChild<SettingsViewWidget*>()->picker(0);
    };
    emit picker(0)->activated(10);
    settle();
    EXPECT_EQ(settings.pickerIndex(), 10);

    turnTo(1);
    EXPECT_EQ(picker(1)->currentText(), "30");
    emit picker(1)->activated(12);
    settle();
    EXPECT_EQ(page(1)->verseList()->row(0)->cell().fontSize, 40);

    turnTo(0);
    EXPECT_EQ(picker(0)->currentText(), "40");
    emit picker(0)->activated(10);
    settle();
    EXPECT_EQ(settings.pickerIndex(), 10);
    EXPECT_EQ(test.context().settings().integer(QStringLiteral("fontSize")), 10);
    EXPECT_EQ(page(0)->verseList()->row(0)->cell().fontSize, 30);
}

TEST_F(CarouselViewWidgetTest, SmokeRenderOfTheMainViewWithTwoPages) {
    BibleStructure genesis = storedPage(0, 0, BibleKind::kr01, 31);
    genesis.praises[0].bgColor = 1;
    genesis.praises[2].bookmarked = true;
    BibleStructure john = storedPage(42, 2, BibleKind::en01, 36);
    john.praises[15].bgColor = 2;
    storePageList(test.context(), {genesis, john});
    showMainView();
    ASSERT_EQ(settings.roles().size(), 2u);

    const QImage normal = widget->grab().toImage();
    ASSERT_EQ(normal.size(), QSize(1200, 800));
    normal.save(QStringLiteral("/tmp/lumenscroll-carousel-two-pages.png"));
    // The current page fills the carousel area (its right margin, clear of the buttons, is
    // white); the bar stays below it on the dark area.
    EXPECT_TRUE(near(normal.pixelColor(1100, 300), Qt::white));
    EXPECT_FALSE(near(normal.pixelColor(20, 740), Qt::white));

    carousel().selectedTab.set(1);
    settle();
    view.bibleButtonPressed();
    settle();
    ASSERT_TRUE(view.isShrinked());
    const QImage overview = widget->grab().toImage();
    overview.save(QStringLiteral("/tmp/lumenscroll-carousel-overview.png"));
    // In the overview the page is drawn smaller: its former edge shows the gray behind it.
    EXPECT_FALSE(near(overview.pixelColor(60, 400), Qt::white));
    // The page's margin, kept clear of its buttons, is white in the picture.
    EXPECT_TRUE(near(overview.pixelColor(1040, 300), Qt::white));
    EXPECT_EQ(carouselWidget().pageCounter()->text(), QStringLiteral("2 / 2"));
}

} // namespace
} // namespace lumenscroll
