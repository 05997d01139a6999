// Clicks as the window system delivers them to the program's window, at the point of what the
// user clicks: a chooser sheet stands in front of whatever covers its page and takes none meant
// for what lies behind it, but only while it can be seen and reached; and the animated gradient
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
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <tuple>

namespace lumenscroll {
namespace {

class WindowClicksTest : public testing::ProgramWindowTest {
protected:
    QWidget* settingsPanel() const {
        QWidget* panel = page()->panel(TopAreaPanel::settings);
        return panel != nullptr ? panel->findChild<QWidget*>(QStringLiteral("settingsView")) : nullptr;
    }
    SelectionBarWidget* selectionBar() const { return page()->verseList()->selectionBar(); }
    // The gradient under the search bar's translation label.
    AnimatableGradientViewWidget& searchBarGradient() const {
        return *searchPage()->searchBar()->translationLabel()->findChild<AnimatableGradientViewWidget*>();
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
    void addPage() {
        click(bar(MainView::newPageIndex));
        ASSERT_EQ(carousel().pageCount(), 2);
        if (carousel().isShrinked()) {
            click(main().carouselView()->cell(static_cast<int>(carousel().selectedTab()))->tapArea());
        }
        ASSERT_FALSE(carousel().isShrinked());
        ASSERT_EQ(carousel().selectedTab(), 1);
    }
    // Each case on a launch of its own, after what it needs first; `check` then acts and looks.
    // A case that fails to set itself up ends the loop.
    template <class Case, std::size_t count, class Check>
    void forEachCase(const Case (&cases)[count], Check check) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            launch();
            c.before();
            if (HasFatalFailure()) {
                return;
            }
            check(c);
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
        const SearchBibleViewWidget* search = searchPage();
        return std::tuple(static_cast<const void*>(page()->chapterSheet()),
                          static_cast<const void*>(page()->translationSheet()),
                          static_cast<const void*>(search != nullptr ? search->chooser() : nullptr));
    }
};

// Whether the gradient drawn by `widget` has swapped its planes since `firstPlane`.
bool swapped(const AnimatableGradientViewWidget& widget, bool firstPlane) {
    return widget.view().firstPlane() != firstPlane;
}

// Whatever covers the page when a sheet opens, the preferences or About included, the sheet
// stands in front of it all, in sight and within reach, and holds the window.
TEST_F(WindowClicksTest, ASheetTakesNoClickMeantForWhatLiesBehindItAndStaysOpen) {
    struct Cover {
        const char* name;
        // The bar button that opens a panel over the page, and the panel.
        std::optional<std::int64_t> button;
        TopAreaPanel panel = TopAreaPanel::settings;
    };
    const Cover covers[] = {
        {"nothing over the page", std::nullopt},
        {"the preferences over the page", MainView::settingsIndex, TopAreaPanel::settings},
        {"About over the page", MainView::aboutIndex, TopAreaPanel::about},
    };
    struct Sheet {
        const char* name;
        // What the sheet needs first, before the cover comes.
        std::function<void()> prepare;
        std::function<void()> open;
        std::function<QWidget*()> shown;
        // A choice made on the sheet, and what it changes.
        std::function<void()> choose;
        std::function<bool()> chosen;
    };
    const Sheet sheets[] = {
        {"the book chooser", [] {},
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
             click(page()->chapterSheet()->moveButton());
         },
         [this] { return record().sectionIndex == 1 && page()->chapterSheet() == nullptr; }},
        {"the page's translation chooser", [] {}, [this] { click(page()->translationCapsule()); },
         [this]() -> QWidget* { return page()->translationSheet(); },
         [this] { clickRow(page()->translationSheet()->list(), 1); },
         [this] { return record().kindOfBible == BibleKind::en01 && page()->translationSheet() == nullptr; }},
        {"the search page's translation chooser",
         [this] {
             click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton")));
             ASSERT_NE(searchPage(), nullptr);
         },
         [this] {
             ASSERT_NE(searchPage(), nullptr);
             click(searchPage()->searchBar()->translationLabel());
         },
         [this]() -> QWidget* { return searchPage() != nullptr ? searchPage()->chooser() : nullptr; },
         [this] { clickRow(searchPage()->chooser()->list(), 1); },
         [this] {
             const auto* name = searchPage()->searchBar()->translationLabel()->findChild<QLabel*>(
                 QStringLiteral("translationName"));
             return searchPage()->chooser() == nullptr && name->text() == QStringLiteral("KJV");
         }},
    };
    struct Point {
        const char* name;
        std::function<void()> act;
    };
    const Point points[] = {
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
    for (const Cover& cover : covers) {
        SCOPED_TRACE(cover.name);
        for (const Sheet& sheet : sheets) {
            SCOPED_TRACE(sheet.name);
            // Two pages, the second on screen: a page change would show.
            const auto openSheet = [&] {
                launch();
                addPage();
                sheet.prepare();
                if (cover.button) {
                    click(bar(*cover.button));
                    ASSERT_NE(page()->panel(cover.panel), nullptr);
                }
                sheet.open();
                ASSERT_NE(sheet.shown(), nullptr);
            };
            bool fresh = true;
            for (const Point& point : points) {
                SCOPED_TRACE(point.name);
                if (fresh) {
                    openSheet();
                }
                const auto before = behind();
                const auto up = sheetsUp();
                point.act();
                if (HasFatalFailure()) {
                    return;
                }
                EXPECT_EQ(behind(), before);
                EXPECT_EQ(sheetsUp(), up);
                // What leaked changed the window: the next point starts afresh.
                fresh = behind() != before || sheetsUp() != up;
            }

            // The sheet's own controls and Escape work as before, by clicks alone, the cover
            // staying where it is.
            const auto open = behind();
            click(sheet.shown()->findChild<QAbstractButton*>(QStringLiteral("closeButton")));
            EXPECT_EQ(sheet.shown(), nullptr);
            EXPECT_EQ(behind(), open);
            sheet.open();
            ASSERT_NE(sheet.shown(), nullptr);
            press(Qt::Key_Escape);
            EXPECT_EQ(sheet.shown(), nullptr);
            EXPECT_EQ(behind(), open);
            sheet.open();
            ASSERT_NE(sheet.shown(), nullptr);
            sheet.choose();
            EXPECT_TRUE(sheet.chosen());
        }
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
    const auto selectVerse = [this] {
        click(page()->verseList()->row(1));
        ASSERT_TRUE(selectionBar()->isVisible());
    };
    const auto openSettings = [this] {
        click(bar(MainView::settingsIndex));
        ASSERT_NE(settingsPanel(), nullptr);
    };
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
        std::function<void()> before;
        std::function<AnimatableGradientViewWidget&()> gradient;
        std::function<void()> act;
        // Whether the click is the gradient's.
        bool swaps = true;
    };
    const auto barGradient = [this]() -> AnimatableGradientViewWidget& {
        return selectionBar()->background();
    };
    const Case cases[] = {
        {"the selection bar between its groups", selectVerse, barGradient,
         [this, betweenGroups] { click(selectionBar(), betweenGroups()); }},
        {"the selection bar at its leading end", selectVerse, barGradient,
         [this] { click(selectionBar(), QPoint(15, SelectionBarWidget::barHeight / 2)); }},
        {"the preferences' header beside its title", openSettings, settingsGradient,
         [this] { click(settingsPanel(), QPoint(40, 40)); }},
        {"the preferences beside the pickers", openSettings, settingsGradient,
         [this] { click(settingsPanel(), QPoint(30, 110)); }},
        {"the preferences' bottom corner", openSettings, settingsGradient,
         [this] { click(settingsPanel(), QPoint(30, settingsPanel()->height() - 30)); }},
        // The search bar's one gradient lies under its translation label, all of which is the
        // label's: the box around it is white, and a click on it is nobody's.
        {"the search bar's box beside its translation label",
         [this] { click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton"))); },
         [this]() -> AnimatableGradientViewWidget& { return searchBarGradient(); },
         [this] {
             const QWidget* label = searchPage()->searchBar()->translationLabel();
             click(label->parentWidget(),
                   QPoint(label->geometry().right() + 4, label->geometry().center().y()));
         },
         false},
    };
    forEachCase(cases, [&](const Case& c) {
        const bool firstPlane = c.gradient().view().firstPlane();
        const auto before = behind();
        const auto up = sheetsUp();
        const bool bookmarked = record().praises.at(1).bookmarked;
        c.act();
        EXPECT_EQ(swapped(c.gradient(), firstPlane), c.swaps);
        EXPECT_EQ(behind(), before);
        EXPECT_EQ(sheetsUp(), up);
        EXPECT_EQ(record().praises.at(1).bookmarked, bookmarked);
    });
}

TEST_F(WindowClicksTest, AControlOnAGradientKeepsItsClickAndADragOverOneIsNoClick) {
    const auto selectVerse = [this] {
        click(page()->verseList()->row(1));
        ASSERT_TRUE(selectionBar()->isVisible());
    };
    struct Case {
        const char* name;
        std::function<void()> before;
        std::function<AnimatableGradientViewWidget&()> gradient;
        std::function<void()> act;
        std::function<bool()> acted;
    };
    const auto barGradient = [this]() -> AnimatableGradientViewWidget& {
        return selectionBar()->background();
    };
    const Case cases[] = {
        {"the selection bar's bookmark button", selectVerse, barGradient,
         [this] { click(selectionBar()->bookmarkButton()); },
         [this] { return record().praises.at(1).bookmarked; }},
        {"a highlighter swatch", selectVerse, barGradient, [this] { click(selectionBar()->swatch(1)); },
         [this] { return record().praises.at(1).bgColor == 1; }},
        {"the selected bar button", [] {},
         [this]() -> AnimatableGradientViewWidget& { return bar(MainView::bibleIndex)->background(); },
         [this] { click(bar(MainView::bibleIndex)); }, [this] { return carousel().isShrinked(); }},
        {"the translation capsule", [] {},
         [this]() -> AnimatableGradientViewWidget& { return page()->translationCapsule()->background(); },
         [this] { click(page()->translationCapsule()); },
         [this] { return page()->translationSheet() != nullptr; }},
        {"the chapter title capsule", [] {},
         [this]() -> AnimatableGradientViewWidget& { return page()->titleCapsule()->background(); },
         [this] { click(page()->titleCapsule()); }, [this] { return page()->chapterSheet() != nullptr; }},
        {"the search bar's translation label, at its edge",
         [this] { click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton"))); },
         [this]() -> AnimatableGradientViewWidget& { return searchBarGradient(); },
         [this] {
             const QWidget* label = searchPage()->searchBar()->translationLabel();
             click(label, QPoint(2, label->height() / 2));
         },
         [this] { return searchPage()->chooser() != nullptr; }},
        {"a drag from the selection bar turns the carousel",
         [this, selectVerse] {
             addPage();
             selectVerse();
         },
         barGradient,
         [this] {
             const QWidget* bookmarkGroup = selectionBar()->bookmarkButton()->parentWidget();
             drag(selectionBar(), QPoint(bookmarkGroup->mapTo(selectionBar(), QPoint(0, 0)).x() - 20, 20),
                  QPoint(600, 0));
         },
         [this] { return carousel().selectedTab() == 0; }},
    };
    forEachCase(cases, [&](const Case& c) {
        AnimatableGradientViewWidget* gradient = &c.gradient();
        const bool firstPlane = gradient->view().firstPlane();
        c.act();
        EXPECT_TRUE(c.acted());
        EXPECT_FALSE(swapped(*gradient, firstPlane));
    });
    if (HasFatalFailure()) {
        return;
    }

    // A picker on the preferences opens as ever.
    launch();
    click(bar(MainView::settingsIndex));
    auto* picker = settingsPanel()->findChild<SettingsPicker*>(QStringLiteral("sizePicker"));
    auto* gradient =
        settingsPanel()->findChild<AnimatableGradientViewWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const bool firstPlane = gradient->view().firstPlane();
    click(picker);
    EXPECT_TRUE(picker->view()->isVisible());
    picker->hidePopup();
    EXPECT_FALSE(swapped(*gradient, firstPlane));
}

} // namespace
} // namespace lumenscroll
