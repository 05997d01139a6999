// Clicks as the window system delivers them to the program's window, at the point of what the
// user clicks: a chooser sheet stands in front of whatever covers its page and takes none meant
// for what lies behind it, but only while it can be seen and reached, and a drag that starts on
// it turns no page; a close closes, however many arrive together; and the animated gradient
// takes those that nothing drawn on it takes, and only those.

#include "ProgramWindowTest.h"

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/HighlightSwatchButton.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/PageHandle.h"
#include "app/reading/SelectionBarWidget.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TopAreaPanel.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"
#include "app/search/KindOfBibleSearchViewWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/PagingCarouselWidget.h"
#include "app/shell/PanelCloseButton.h"
#include "app/shell/SettingsPicker.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <tuple>
#include <vector>

namespace lumenscroll {
namespace {

// Reports `what` when it does not hold, and says whether it holds: a case that finds a fault
// reports it and leaves what depends on it undone, and the cases after it still run.
bool holds(bool holding, const char* what) {
    EXPECT_TRUE(holding) << what;
    return holding;
}

// What may cover the page when a sheet opens: the bar button that opens a panel, and the panel.
struct Cover {
    const char* name;
    std::optional<std::int64_t> button;
    TopAreaPanel panel = TopAreaPanel::settings;
};
const Cover uncovered{"nothing over the page", std::nullopt};
const Cover preferences{"the preferences over the page", MainView::settingsIndex, TopAreaPanel::settings};
const Cover about{"About over the page", MainView::aboutIndex, TopAreaPanel::about};

class WindowClicksTest : public testing::ProgramWindowTest {
protected:
    // A chooser sheet: how it opens, and a choice made on it with what that changes.
    struct Sheet {
        const char* name;
        // What the sheet needs first, before the cover comes; false when that failed.
        std::function<bool()> prepare;
        std::function<void()> open;
        std::function<QWidget*()> shown;
        std::function<void()> choose;
        std::function<bool()> chosen;
    };
    // What a sheet must withstand: each leaves the window as it was.
    struct Point {
        const char* name;
        std::function<void()> act;
    };

    QWidget* settingsPanel() const {
        QWidget* panel = page()->panel(TopAreaPanel::settings);
        return panel != nullptr ? panel->findChild<QWidget*>(QStringLiteral("settingsView")) : nullptr;
    }
    SelectionBarWidget* selectionBar() const { return page()->verseList()->selectionBar(); }
    // The gradient under the search bar's translation label.
    AnimatableGradientViewWidget& searchBarGradient() const {
        return *searchPage()->searchBar()->translationLabel()->findChild<AnimatableGradientViewWidget*>();
    }
    KindOfBibleSearchViewWidget* searchChooser() const {
        return searchPage() != nullptr ? searchPage()->chooser() : nullptr;
    }
    const BibleStructure& record() const { return *page()->page().state().record(); }

    static QPoint centreOf(const QWidget* widget) { return widget->rect().center(); }
    void clickRow(QListWidget* list, int row) {
        ASSERT_NE(list, nullptr);
        ASSERT_LT(row, list->count());
        click(list->viewport(), list->visualItemRect(list->item(row)).center());
    }
    // The pointer pressed at `at` in `widget`, moved by `by` in steps, and released there.
    void drag(const QWidget* widget, QPoint at, QPoint by) {
        const QPoint from = inWindow(widget, at);
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, from);
        constexpr int steps = 8;
        for (int step = 1; step <= steps; ++step) {
            QTest::mouseMove(window->windowHandle(), from + by * step / steps);
        }
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, from + by);
        settle();
    }
    // A second page, on screen out of the overview New Page leaves.
    bool addPage() {
        click(bar(MainView::newPageIndex));
        if (!holds(carousel().pageCount() == 2, "New Page adds a page")) {
            return false;
        }
        if (carousel().isShrinked()) {
            click(main().carouselView()->cell(static_cast<int>(carousel().selectedTab()))->tapArea());
        }
        return holds(!carousel().isShrinked() && carousel().selectedTab() == 1, "the new page is on screen");
    }
    bool selectVerse() {
        click(page()->verseList()->row(1));
        return holds(selectionBar()->isVisible(), "a verse is selected");
    }
    bool openSearchPage() {
        click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton")));
        return holds(searchPage() != nullptr, "the search page is up");
    }
    bool openSettings() {
        click(bar(MainView::settingsIndex));
        return holds(settingsPanel() != nullptr, "the preferences are up");
    }
    // Each case on a launch of its own, after what it needs first; `check` then acts and looks.
    // A case that cannot set itself up is reported and skipped.
    template <class Case, std::size_t count, class Check>
    void forEachCase(const Case (&cases)[count], Check check) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            launch();
            if (c.before()) {
                check(c);
            }
        }
    }
    // What a click behind a sheet would have changed.
    auto behind() const {
        const UserSettings& settings = run->app.userSettings();
        return std::tuple(main().view().index(), carousel().isShrinked(), carousel().pageCount(),
                          carousel().selectedTab(), record().sectionIndex, record().versesIndex,
                          record().kindOfBible, page()->page().selectedVerseCount(), scrolled(),
                          settings.settingsViewBtnPressed(), settings.aboutViewBtnPressed(),
                          searchPage() != nullptr, carousel().optionKeyPressed());
    }
    // The sheets up now.
    auto sheetsUp() const {
        return std::tuple(static_cast<const void*>(page()->chapterSheet()),
                          static_cast<const void*>(page()->translationSheet()),
                          static_cast<const void*>(searchChooser()));
    }
    // The sheet standing in front, if any.
    QWidget* frontSheet() const {
        for (QWidget* sheet :
             {static_cast<QWidget*>(searchChooser()), static_cast<QWidget*>(page()->translationSheet()),
              static_cast<QWidget*>(page()->chapterSheet())}) {
            if (sheet != nullptr) {
                return sheet;
            }
        }
        return nullptr;
    }
    static QAbstractButton* crossOf(const QWidget& sheet) {
        return sheet.findChild<QAbstractButton*>(QStringLiteral("closeButton"));
    }

    std::vector<Sheet> sheets();
    std::vector<Point> pointsBesideASheet();
    // On a launch of its own with two pages, the second on screen (a page change would show):
    // `sheet` opened under `cover`. False, with the failure reported, when it did not open.
    bool openSheet(const Cover& cover, const Sheet& sheet) {
        launch();
        if (!addPage() || !sheet.prepare()) {
            return false;
        }
        if (cover.button) {
            click(bar(*cover.button));
            if (!holds(page()->panel(cover.panel) != nullptr, "the cover is up")) {
                return false;
            }
        }
        sheet.open();
        return holds(sheet.shown() != nullptr, "the sheet is up");
    }
    // `check` for every sheet under every one of `covers`.
    template <class Check> void forEachSheet(std::initializer_list<Cover> covers, Check check) {
        const std::vector<Sheet> all = sheets();
        for (const Cover& cover : covers) {
            SCOPED_TRACE(cover.name);
            for (const Sheet& sheet : all) {
                SCOPED_TRACE(sheet.name);
                check(cover, sheet);
            }
        }
    }
};

std::vector<WindowClicksTest::Sheet> WindowClicksTest::sheets() {
    return {
        {"the book chooser", [] { return true; },
         [this] {
             // Either panel stands over the title capsule: under one, the capsule's action.
             if (page()->panel(TopAreaPanel::settings) != nullptr ||
                 page()->panel(TopAreaPanel::about) != nullptr) {
                 page()->page().pressTitleCapsule();
                 settle();
                 return;
             }
             click(page()->titleCapsule());
         },
         [this]() -> QWidget* { return page()->chapterSheet(); },
         [this] {
             clickRow(page()->chapterSheet()->bookList(), 1);
             if (const BibleSelectionViewWidget* sheet = page()->chapterSheet()) {
                 click(sheet->moveButton());
             }
         },
         [this] { return record().sectionIndex == 1 && page()->chapterSheet() == nullptr; }},
        {"the page's translation chooser", [] { return true; },
         [this] { click(page()->translationCapsule()); },
         [this]() -> QWidget* { return page()->translationSheet(); },
         [this] { clickRow(page()->translationSheet()->list(), 1); },
         [this] { return record().kindOfBible == BibleKind::en01 && page()->translationSheet() == nullptr; }},
        {"the search page's translation chooser", [this] { return openSearchPage(); },
         [this] {
             if (holds(searchPage() != nullptr, "the search page is up")) {
                 click(searchPage()->searchBar()->translationLabel());
             }
         },
         [this]() -> QWidget* { return searchChooser(); }, [this] { clickRow(searchChooser()->list(), 1); },
         [this] {
             if (!holds(searchPage() != nullptr, "the search page stays")) {
                 return false;
             }
             const auto* name = searchPage()->searchBar()->translationLabel()->findChild<QLabel*>(
                 QStringLiteral("translationName"));
             return searchChooser() == nullptr && name->text() == QStringLiteral("KJV");
         }},
    };
}

std::vector<WindowClicksTest::Point> WindowClicksTest::pointsBesideASheet() {
    return {
        {"the dimmed title band beside the sheet", [this] { click(page(), QPoint(260, 40)); }},
        {"the title band beside the search page", [this] { click(page(), QPoint(5, 40)); }},
        {"the search page's header beside its chooser",
         [this] {
             if (searchPage() != nullptr) {
                 click(searchPage(), QPoint(60, 20));
             }
         }},
        {"the panel's close button",
         [this] {
             for (const TopAreaPanel panel : {TopAreaPanel::settings, TopAreaPanel::about}) {
                 if (QWidget* shown = page()->panel(panel)) {
                     click(shown->findChild<PanelCloseButton*>());
                 }
             }
         }},
        {"Bible", [this] { click(bar(MainView::bibleIndex)); }},
        {"New Page", [this] { click(bar(MainView::newPageIndex)); }},
        {"Settings", [this] { click(bar(MainView::settingsIndex)); }},
        {"About", [this] { click(bar(MainView::aboutIndex)); }},
        {"the previous chapter",
         [this] { click(page()->findChild<QWidget*>(QStringLiteral("previousChapterButton"))); }},
        {"the next chapter",
         [this] { click(page()->findChild<QWidget*>(QStringLiteral("nextChapterButton"))); }},
        {"scrolling down",
         [this] { click(page()->findChild<QWidget*>(QStringLiteral("scrollDownButton"))); }},
        {"the chapter title", [this] { click(page()->titleCapsule()); }},
        {"the translation capsule", [this] { click(page()->translationCapsule(), QPoint(10, 20)); }},
        {"a verse below the search page",
         [this] {
             click(page()->verseList()->viewport(),
                   QPoint(300, page()->verseList()->viewport()->height() - 15));
         }},
        {"a drag across the carousel", [this] { drag(page(), QPoint(260, 300), QPoint(600, 0)); }},
        // Where the sheet shows nothing but its own ground, beside its rows.
        {"a drag that starts on the sheet",
         [this] {
             if (const QWidget* sheet = frontSheet()) {
                 drag(sheet, QPoint(12, sheet->height() / 2), QPoint(600, 0));
             }
         }},
        {"an Option click on the sheet",
         [this] {
             if (const QWidget* sheet = frontSheet()) {
                 QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::AltModifier,
                                   inWindow(sheet, QPoint(12, sheet->height() / 2)));
                 settle();
             }
         }},
        {"a drag and an Option click on the carousel, whose filters see them first",
         [this] {
             CarouselViewWidget* carouselView = main().carouselView();
             for (QObject* filter :
                  {static_cast<QObject*>(carouselView),
                   static_cast<QObject*>(carouselView->findChild<PagingCarouselWidget*>())}) {
                 // Installed again, a filter is asked before those installed since.
                 qApp->installEventFilter(filter);
             }
             drag(page(), QPoint(260, 300), QPoint(600, 0));
             QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::AltModifier,
                               inWindow(page(), QPoint(260, 300)));
             settle();
         }},
    };
}

// Whether the gradient drawn by `widget` has swapped its planes since `firstPlane`.
bool swapped(const AnimatableGradientViewWidget& widget, bool firstPlane) {
    return widget.view().firstPlane() != firstPlane;
}

// Whatever covers the page when a sheet opens, the preferences or About included, the sheet
// stands in front of it all, in sight and within reach, and holds the window.
TEST_F(WindowClicksTest, ASheetTakesNoClickMeantForWhatLiesBehindItAndStaysOpen) {
    const std::vector<Point> points = pointsBesideASheet();
    forEachSheet({uncovered, preferences, about}, [&](const Cover& cover, const Sheet& sheet) {
        bool fresh = true;
        for (const Point& point : points) {
            SCOPED_TRACE(point.name);
            if (fresh && !openSheet(cover, sheet)) {
                return;
            }
            const auto before = behind();
            const auto up = sheetsUp();
            point.act();
            EXPECT_EQ(behind(), before);
            EXPECT_EQ(sheetsUp(), up);
            // What leaked changed the window: the next point starts afresh.
            fresh = behind() != before || sheetsUp() != up;
        }
    });
}

// The sheet's own controls and Escape work by clicks alone, the cover staying where it is.
TEST_F(WindowClicksTest, ASheetClosesByItsCrossOrEscapeAndTakesAChoiceLeavingItsCoverBe) {
    forEachSheet({uncovered, preferences, about}, [&](const Cover& cover, const Sheet& sheet) {
        if (!openSheet(cover, sheet)) {
            return;
        }
        const auto open = behind();
        click(crossOf(*sheet.shown()));
        EXPECT_EQ(sheet.shown(), nullptr);
        EXPECT_EQ(behind(), open);
        sheet.open();
        if (!holds(sheet.shown() != nullptr, "the sheet opens again")) {
            return;
        }
        press(Qt::Key_Escape);
        EXPECT_EQ(sheet.shown(), nullptr);
        EXPECT_EQ(behind(), open);
        sheet.open();
        if (holds(sheet.shown() != nullptr, "the sheet opens again")) {
            sheet.choose();
            EXPECT_TRUE(sheet.chosen());
        }
    });
}

// Two closes that arrive before the window draws again, Escape twice in quick succession or a
// double click on the cross, close the sheet and nothing else.
TEST_F(WindowClicksTest, TwoClosesDeliveredTogetherLeaveASheetClosed) {
    struct Close {
        const char* name;
        std::function<void(const QWidget& sheet)> deliver;
    };
    const Close closes[] = {
        {"two Escapes back to back",
         [this](const QWidget&) {
             QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
             QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
         }},
        {"a double click on the cross",
         [this](const QWidget& sheet) {
             if (const QWidget* cross = crossOf(sheet); holds(cross != nullptr, "the sheet has a cross")) {
                 QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                    inWindow(cross, centreOf(cross)));
             }
         }},
    };
    forEachSheet({uncovered, preferences}, [&](const Cover& cover, const Sheet& sheet) {
        for (const Close& close : closes) {
            SCOPED_TRACE(close.name);
            if (!openSheet(cover, sheet)) {
                return;
            }
            const auto open = behind();
            close.deliver(*sheet.shown());
            settle();
            EXPECT_EQ(sheet.shown(), nullptr);
            EXPECT_EQ(behind(), open);
        }
    });
}

// So do the panels' own close buttons: a double click on one closes its panel. (The bar's
// buttons open and close by turns.)
TEST_F(WindowClicksTest, ADoubleClickOnAPanelsCloseButtonLeavesThePanelClosed) {
    struct Panel {
        const char* name;
        TopAreaPanel panel;
        std::function<bool()> open;
    };
    const Panel panels[] = {
        {"the search page", TopAreaPanel::search, [this] { return openSearchPage(); }},
        {"the preferences", TopAreaPanel::settings, [this] { return openSettings(); }},
        {"About", TopAreaPanel::about,
         [this] {
             click(bar(MainView::aboutIndex));
             return holds(page()->panel(TopAreaPanel::about) != nullptr, "About is up");
         }},
    };
    for (const Panel& panel : panels) {
        SCOPED_TRACE(panel.name);
        launch();
        if (!panel.open()) {
            continue;
        }
        const QWidget* shown = page()->panel(panel.panel);
        const QWidget* cross = panel.panel == TopAreaPanel::search
                                   ? shown->findChild<QAbstractButton*>(QStringLiteral("closeButton"))
                                   : shown->findChild<PanelCloseButton*>();
        if (!holds(cross != nullptr, "the panel has a close button")) {
            continue;
        }
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           inWindow(cross, centreOf(cross)));
        settle();
        EXPECT_EQ(page()->panel(panel.panel), nullptr);
    }
}

TEST_F(WindowClicksTest, ASheetShownOnlyInTheOverviewsPictureHoldsNoClick) {
    launch();
    click(page()->titleCapsule());
    ASSERT_NE(page()->chapterSheet(), nullptr);
    // However the overview came: the page is drawn from a picture there, its sheet with it.
    main().view().isShrinked.set(true);
    settle();
    click(bar(MainView::bibleIndex));
    EXPECT_FALSE(carousel().isShrinked());
    ASSERT_NE(page()->chapterSheet(), nullptr);
    // On screen again, the sheet holds the window again.
    click(bar(MainView::bibleIndex));
    EXPECT_FALSE(carousel().isShrinked());
}

TEST_F(WindowClicksTest, ASheetThatSomethingCoversHoldsNoClick) {
    launch();
    click(page()->titleCapsule());
    const QWidget* sheet = page()->chapterSheet();
    ASSERT_NE(sheet, nullptr);
    const UserSettings& settings = run->app.userSettings();
    {
        // The sheet is out of reach: a click beside it is not held.
        QWidget cover(&main());
        cover.setGeometry(QRect(sheet->mapTo(&main(), QPoint(0, 0)), sheet->size()));
        cover.show();
        click(bar(MainView::aboutIndex));
        EXPECT_TRUE(settings.aboutViewBtnPressed());
    }
    // Within reach again, the sheet holds the window again.
    ASSERT_EQ(page()->chapterSheet(), sheet);
    click(bar(MainView::settingsIndex));
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_TRUE(settings.aboutViewBtnPressed());
}

TEST_F(WindowClicksTest, AClickOnAGradientWhereNothingIsDrawnOnItSwapsItAndGoesNoFurther) {
    const auto settingsGradient = [this]() -> AnimatableGradientViewWidget& {
        return *settingsPanel()->findChild<AnimatableGradientViewWidget*>(QString(),
                                                                          Qt::FindDirectChildrenOnly);
    };
    const auto betweenGroups = [this] {
        const QWidget* bookmarkGroup = selectionBar()->bookmarkButton()->parentWidget();
        return QPoint(bookmarkGroup->mapTo(selectionBar(), bookmarkGroup->rect().topRight()).x() + 15,
                      SelectionBarWidget::barHeight / 2);
    };
    struct Case {
        const char* name;
        std::function<bool()> before;
        std::function<AnimatableGradientViewWidget&()> gradient;
        std::function<void()> act;
        // Whether the click is the gradient's.
        bool swaps = true;
    };
    const auto withAVerse = [this] { return selectVerse(); };
    const auto withPreferences = [this] { return openSettings(); };
    const auto barGradient = [this]() -> AnimatableGradientViewWidget& {
        return selectionBar()->background();
    };
    const Case cases[] = {
        {"the selection bar between its groups", withAVerse, barGradient,
         [this, betweenGroups] { click(selectionBar(), betweenGroups()); }},
        {"the selection bar at its leading end", withAVerse, barGradient,
         [this] { click(selectionBar(), QPoint(15, SelectionBarWidget::barHeight / 2)); }},
        {"the preferences' header beside its title", withPreferences, settingsGradient,
         [this] { click(settingsPanel(), QPoint(40, 40)); }},
        {"the preferences beside the pickers", withPreferences, settingsGradient,
         [this] { click(settingsPanel(), QPoint(30, 110)); }},
        {"the preferences' bottom corner", withPreferences, settingsGradient,
         [this] { click(settingsPanel(), QPoint(30, settingsPanel()->height() - 30)); }},
        // The search bar's one gradient lies under its translation label, all of which is the
        // label's: the box around it is white, and a click on it is nobody's.
        {"the search bar's box beside its translation label", [this] { return openSearchPage(); },
         [this]() -> AnimatableGradientViewWidget& { return searchBarGradient(); },
         [this] {
             const QWidget* label = searchPage()->searchBar()->translationLabel();
             click(label->parentWidget(),
                   QPoint(label->geometry().right() + 4, label->geometry().center().y()));
         },
         false},
    };
    forEachCase(cases, [&](const Case& c) {
        const QPointer<AnimatableGradientViewWidget> gradient = &c.gradient();
        const bool firstPlane = gradient->view().firstPlane();
        const auto before = behind();
        const auto up = sheetsUp();
        const bool bookmarked = record().praises.at(1).bookmarked;
        c.act();
        if (holds(gradient != nullptr, "the gradient stays")) {
            EXPECT_EQ(swapped(*gradient, firstPlane), c.swaps);
        }
        EXPECT_EQ(behind(), before);
        EXPECT_EQ(sheetsUp(), up);
        EXPECT_EQ(record().praises.at(1).bookmarked, bookmarked);
    });
}

TEST_F(WindowClicksTest, AControlOnAGradientKeepsItsClickAndADragOverOneIsNoClick) {
    struct Case {
        const char* name;
        std::function<bool()> before;
        std::function<AnimatableGradientViewWidget&()> gradient;
        std::function<void()> act;
        std::function<bool()> acted;
    };
    const auto withAVerse = [this] { return selectVerse(); };
    const auto nothing = [] { return true; };
    const auto barGradient = [this]() -> AnimatableGradientViewWidget& {
        return selectionBar()->background();
    };
    const Case cases[] = {
        {"the selection bar's bookmark button", withAVerse, barGradient,
         [this] { click(selectionBar()->bookmarkButton()); },
         [this] { return record().praises.at(1).bookmarked; }},
        {"a highlighter swatch", withAVerse, barGradient, [this] { click(selectionBar()->swatch(1)); },
         [this] { return record().praises.at(1).bgColor == 1; }},
        {"the selected bar button", nothing,
         [this]() -> AnimatableGradientViewWidget& { return bar(MainView::bibleIndex)->background(); },
         [this] { click(bar(MainView::bibleIndex)); }, [this] { return carousel().isShrinked(); }},
        {"the translation capsule", nothing,
         [this]() -> AnimatableGradientViewWidget& { return page()->translationCapsule()->background(); },
         [this] { click(page()->translationCapsule()); },
         [this] { return page()->translationSheet() != nullptr; }},
        {"the chapter title capsule", nothing,
         [this]() -> AnimatableGradientViewWidget& { return page()->titleCapsule()->background(); },
         [this] { click(page()->titleCapsule()); }, [this] { return page()->chapterSheet() != nullptr; }},
        {"the search bar's translation label, at its edge", [this] { return openSearchPage(); },
         [this]() -> AnimatableGradientViewWidget& { return searchBarGradient(); },
         [this] {
             const QWidget* label = searchPage()->searchBar()->translationLabel();
             click(label, QPoint(2, label->height() / 2));
         },
         [this] { return searchChooser() != nullptr; }},
        {"a drag from the selection bar turns the carousel", [this] { return addPage() && selectVerse(); },
         barGradient,
         [this] {
             const QWidget* bookmarkGroup = selectionBar()->bookmarkButton()->parentWidget();
             drag(selectionBar(), QPoint(bookmarkGroup->mapTo(selectionBar(), QPoint(0, 0)).x() - 20, 20),
                  QPoint(600, 0));
         },
         [this] { return carousel().selectedTab() == 0; }},
    };
    forEachCase(cases, [&](const Case& c) {
        const QPointer<AnimatableGradientViewWidget> gradient = &c.gradient();
        const bool firstPlane = gradient->view().firstPlane();
        c.act();
        EXPECT_TRUE(c.acted());
        EXPECT_TRUE(gradient == nullptr || !swapped(*gradient, firstPlane));
    });
}

TEST_F(WindowClicksTest, APickerOnThePreferencesOpensAsEverAndLeavesTheirGradientBe) {
    launch();
    if (!openSettings()) {
        return;
    }
    auto* picker = settingsPanel()->findChild<SettingsPicker*>(QStringLiteral("sizePicker"));
    auto* gradient =
        settingsPanel()->findChild<AnimatableGradientViewWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(picker, nullptr);
    ASSERT_NE(gradient, nullptr);
    const bool firstPlane = gradient->view().firstPlane();
    click(picker);
    EXPECT_TRUE(picker->view()->isVisible());
    picker->hidePopup();
    EXPECT_FALSE(swapped(*gradient, firstPlane));
}

} // namespace
} // namespace lumenscroll
