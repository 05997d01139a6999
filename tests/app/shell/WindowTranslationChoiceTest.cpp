// The page's translation chosen by clicks in the program's window: the translation the page
// already shows is taken in as another would be, its chapter read again and saved, and the
// verses' marks and notes stay with it, across a quit and a relaunch too.

#include "ProgramWindowTest.h"

#include "app/model/BibleKind.h"
#include "app/model/BiblePraise.h"
#include "app/model/BibleStructure.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleView.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/HighlightSwatchButton.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/SelectionBarWidget.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/VerseListWidget.h"
#include "app/shell/CarouselView.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

const std::string note = "태초에 하나님이";

class WindowTranslationChoiceTest : public testing::ProgramWindowTest {
protected:
    const BibleStructure& record() const { return *page()->page().state().record(); }
    const BibleView& view() const { return *page()->page().state().view(); }
    SelectionBarWidget* selectionBar() const { return page()->verseList()->selectionBar(); }

    // Verse `verse` selected, marked with the button `mark` gives on its bar, and let go again.
    void markVerse(int verse, const std::function<const QWidget*()>& mark) {
        click(page()->verseList()->row(verse));
        ASSERT_TRUE(selectionBar()->isVisible());
        click(mark());
        click(page()->verseList()->row(verse));
    }

    // A bookmark on verse 1, a highlight on verse 3 and a note on verse 4, on the page on screen.
    bool showsMarks() const {
        const BibleStructure& shown = record();
        return shown.praises.size() == 31 && shown.praises[0].bookmarked && shown.praises[2].bgColor == 4 &&
               shown.praises[3].hasMemo && shown.praises[3].memo->memoContent == note &&
               std::none_of(shown.praises.begin(), shown.praises.end(),
                            [](const BiblePraise& verse) { return verse.word.empty(); });
    }
};

TEST_F(WindowTranslationChoiceTest, TheTranslationThePageShowsIsReadAgainAndSavedWithEveryMarkAndNoteKept) {
    launch();
    ASSERT_EQ(record().sectionIndex, 0);
    ASSERT_EQ(record().kindOfBible, BibleKind::kr01);
    markVerse(0, [this] { return selectionBar()->bookmarkButton(); });
    markVerse(2, [this] { return selectionBar()->swatch(4); });
    testing::writeNote(run->app.userSettings(), carousel().selectedTab(), 3, note);
    ASSERT_TRUE(showsMarks());
    // The stored pages wiped: what is stored after the choice, the choice's save stored.
    run->test.context().settings().remove(PageStatePersistence::selectedBibleArrayKey);
    run->test.traceCapture().clear();

    click(page()->translationCapsule());
    ASSERT_NE(page()->translationSheet(), nullptr);
    QListWidget* rows = page()->translationSheet()->list();
    click(rows->viewport(), rows->visualItemRect(rows->item(0)).center());

    EXPECT_EQ(page()->translationSheet(), nullptr);
    // The sheet left one blank verse record per verse and the page's kind, and the page took
    // the choice in: its chapter read again in that kind, and saved.
    const std::vector<BiblePraise>& blanks = view().selectedPraise.praises;
    EXPECT_EQ(blanks.size(), 31u);
    EXPECT_TRUE(std::all_of(blanks.begin(), blanks.end(),
                            [](const BiblePraise& blank) { return blank == BiblePraise{}; }));
    EXPECT_EQ(view().kindOfBible, BibleKind::kr01);
    EXPECT_FALSE(view().userSelectedBiblePraise);
    const QStringList& traced = run->test.traceCapture().lines();
    EXPECT_TRUE(std::any_of(traced.begin(), traced.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("fileName : "));
    }));
    EXPECT_TRUE(testing::storedPageList(run->test.context()).has_value());
    EXPECT_EQ(record().kindOfBible, BibleKind::kr01);
    EXPECT_TRUE(showsMarks());

    relaunch();
    EXPECT_EQ(record().kindOfBible, BibleKind::kr01);
    EXPECT_TRUE(showsMarks());
}

} // namespace
} // namespace lumenscroll
