// The keys as the window system delivers them to the program's window, where something stands in
// front of the page's verses: the search page's hits take the keys of a scroll view and the page
// behind none; in the overview no key acts on a page; and the search field has the typing back
// when the translation sheet closes, however it closes.

#include "ProgramWindowTest.h"

#include "app/reading/BibleViewWidget.h"
#include "app/reading/TopAreaPanel.h"
#include "app/reading/TranslationChoiceSheet.h"
#include "app/reading/VerseListWidget.h"
#include "app/search/KindOfBibleSearchViewWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>

#include <functional>
#include <tuple>

namespace lumenscroll {
namespace {

class WindowKeysInFrontTest : public testing::ProgramWindowTest {
protected:
    QLineEdit* field() const { return searchPage()->searchBar()->queryField(); }
    QScrollBar* verses() const { return page()->verseList()->verticalScrollBar(); }
    QScrollBar* hits() const { return searchPage()->hitList()->verticalScrollBar(); }

    void openSearchPage() {
        click(page()->findChild<QAbstractButton*>(QStringLiteral("searchButton")));
        ASSERT_NE(searchPage(), nullptr);
    }
};

TEST_F(WindowKeysInFrontTest,
       TheSearchPageInFrontScrollsItsHitsForTheKeysItsFieldLeavesAndThePageBehindNone) {
    enum class Move { lineDown, lineUp, pageDown, pageUp, top, bottom, none };
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool fieldFocused;
        Move move;
    };
    const Case cases[] = {
        {Qt::Key_Down, Qt::NoModifier, true, Move::lineDown},
        {Qt::Key_Up, Qt::NoModifier, true, Move::lineUp},
        {Qt::Key_PageDown, Qt::NoModifier, true, Move::pageDown},
        {Qt::Key_PageUp, Qt::NoModifier, true, Move::pageUp},
        // The field's own: they move its cursor.
        {Qt::Key_Home, Qt::NoModifier, true, Move::none},
        {Qt::Key_End, Qt::NoModifier, true, Move::none},
        {Qt::Key_Down, Qt::NoModifier, false, Move::lineDown},
        {Qt::Key_Up, Qt::NoModifier, false, Move::lineUp},
        {Qt::Key_PageDown, Qt::NoModifier, false, Move::pageDown},
        {Qt::Key_PageUp, Qt::NoModifier, false, Move::pageUp},
        {Qt::Key_Space, Qt::NoModifier, false, Move::pageDown},
        {Qt::Key_Space, Qt::ShiftModifier, false, Move::pageUp},
        {Qt::Key_Home, Qt::NoModifier, false, Move::top},
        {Qt::Key_End, Qt::NoModifier, false, Move::bottom},
    };
    launch();
    // The page behind stands in its middle, where any key of a scroll view would move it.
    press(Qt::Key_PageDown);
    const int behind = verses()->value();
    ASSERT_GT(behind, 0);
    openSearchPage();
    ASSERT_TRUE(field()->hasFocus());
    type(QStringLiteral("하나님"));
    press(Qt::Key_Return);
    const int rows = searchPage()->hitList()->model()->rowCount();
    if (rows < 1000) {
        GTEST_SKIP() << "the whole Korean text was not built: " << rows << " hits";
    }

    const int middle = hits()->maximum() / 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(QKeyCombination(c.modifiers, c.key)).toString().toStdString() +
                     (c.fieldFocused ? ", the field focused" : ", the field not focused"));
        if (c.fieldFocused) {
            field()->setFocus();
        } else {
            field()->clearFocus();
        }
        hits()->setValue(middle);
        press(c.key, c.modifiers);
        const int expected = [&] {
            switch (c.move) {
            case Move::lineDown:
                return middle + hits()->singleStep();
            case Move::lineUp:
                return middle - hits()->singleStep();
            case Move::pageDown:
                return middle + hits()->pageStep();
            case Move::pageUp:
                return middle - hits()->pageStep();
            case Move::top:
                return 0;
            case Move::bottom:
                return hits()->maximum();
            case Move::none:
                break;
            }
            return middle;
        }();
        EXPECT_EQ(hits()->value(), expected);
        EXPECT_EQ(verses()->value(), behind);
        EXPECT_EQ(searchPage()->hitList()->model()->rowCount(), rows);
        EXPECT_EQ(field()->text(), QStringLiteral("하나님"));
    }
    // From the top, the keys that go down reach the bottom of thousands of hits.
    field()->setFocus();
    hits()->setValue(0);
    press(Qt::Key_Down);
    EXPECT_EQ(hits()->value(), hits()->singleStep());
    press(Qt::Key_PageDown);
    EXPECT_EQ(hits()->value(), hits()->singleStep() + hits()->pageStep());
    field()->clearFocus();
    press(Qt::Key_End);
    EXPECT_EQ(hits()->value(), hits()->maximum());
    EXPECT_EQ(verses()->value(), behind);
}

TEST_F(WindowKeysInFrontTest, NoKeyActsOnAPageInTheOverviewAndItIsAsItWasAfterIt) {
    struct Case {
        const char* way;
        std::function<void()> enter;
        // A search page with its hits stands in front of the verses.
        bool search = false;
    };
    const Case cases[] = {
        {"Bible pressed once", [this] { click(bar(MainView::bibleIndex)); }},
        {"New Page", [this] { click(bar(MainView::newPageIndex)); }},
        {"Bible pressed once over the search page, its field focused",
         [this] { click(bar(MainView::bibleIndex)); }, true},
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        {Qt::Key_Down, Qt::NoModifier},   {Qt::Key_Up, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier}, {Qt::Key_Space, Qt::ShiftModifier},
        {Qt::Key_End, Qt::NoModifier},    {Qt::Key_Home, Qt::NoModifier},  {Qt::Key_Escape, Qt::NoModifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        launch();
        // Scrolled to where every key of a scroll view would move it, either way.
        press(Qt::Key_PageDown);
        if (c.search) {
            openSearchPage();
            type(QStringLiteral("하나님"));
            press(Qt::Key_Return);
            press(Qt::Key_PageDown);
            ASSERT_GT(hits()->value(), 0);
        }
        // What the keys would move.
        const auto seen = [this, &c] {
            return std::tuple(verses()->value(), c.search ? hits()->value() : 0,
                              c.search ? field()->text().toStdString() : std::string(),
                              page()->panel(TopAreaPanel::search) != nullptr);
        };
        c.enter();
        ASSERT_TRUE(carousel().isShrinked());
        const std::int64_t current = carousel().selectedTab();
        const auto before = seen();
        for (const auto& key : keys) {
            press(key.key, key.modifiers);
            EXPECT_EQ(seen(), before)
                << QKeySequence(QKeyCombination(key.modifiers, key.key)).toString().toStdString();
        }
        type(QStringLiteral("빛"));
        EXPECT_EQ(seen(), before);
        click(main().carouselView()->cell(static_cast<int>(current))->tapArea());
        ASSERT_FALSE(carousel().isShrinked());
        EXPECT_EQ(carousel().selectedTab(), current);
        EXPECT_EQ(seen(), before);
        // Out of the overview, the keys act again, on what stands in front.
        press(Qt::Key_Down);
        if (c.search) {
            EXPECT_EQ(hits()->value(), std::get<1>(before) + hits()->singleStep());
            type(QStringLiteral("빛"));
            EXPECT_EQ(field()->text(), QStringLiteral("하나님빛"));
        } else {
            EXPECT_EQ(verses()->value(), std::get<0>(before) + VerseListWidget::lineStep);
        }
    }
}

TEST_F(WindowKeysInFrontTest, TheSearchFieldHasTheTypingBackWhenTheTranslationSheetCloses) {
    struct Case {
        const char* way;
        std::function<void(TranslationChoiceSheet&)> close;
    };
    const Case cases[] = {
        {"a translation chosen",
         [this](TranslationChoiceSheet& sheet) {
             QListWidget* list = sheet.list();
             click(list->viewport(), list->visualItemRect(list->item(1)).center());
         }},
        {"its cross", [this](TranslationChoiceSheet& sheet) { click(sheet.closeButton()); }},
        {"Escape", [this](TranslationChoiceSheet&) { press(Qt::Key_Escape); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        launch();
        openSearchPage();
        type(QStringLiteral("빛"));
        click(searchPage()->searchBar()->translationLabel());
        ASSERT_NE(searchPage()->chooser(), nullptr);
        c.close(*searchPage()->chooser());
        ASSERT_EQ(searchPage()->chooser(), nullptr);
        ASSERT_NE(searchPage(), nullptr);
        type(QStringLiteral("과 어둠"));
        EXPECT_EQ(field()->text(), QStringLiteral("빛과 어둠"));
        EXPECT_TRUE(field()->hasFocus());
    }
}

} // namespace
} // namespace lumenscroll
