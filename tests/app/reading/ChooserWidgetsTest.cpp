// The chooser sheets and the verse note editor, clicked and typed through offscreen as the page
// will host them, with their bindings into the page's state.

#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/PageHandle.h"
#include "app/reading/QTViewForAPraiseWidget.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"
#include "../WidgetClick.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::click;

class ChooserWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        testing::openPages(settings, app.context(), {chapterRecord(0, 0, BibleKind::kr01, 31, "태초에")});
    }

    void clickRow(QListWidget* list, int row) {
        ASSERT_LT(row, list->count());
        click(list->viewport(), list->visualItemRect(list->item(row)).center());
    }

    TestAppContext app;
    UserSettings settings;
    PageHandle page{settings, 0};
};

TEST_F(ChooserWidgets, ChoosingExodusThreeVerseFiveAndGoingThere) {
    page.view()->pressTitleCapsule();
    auto sheet = std::make_unique<BibleSelectionViewWidget>(
        BibleSelectionView(page.binding(&BibleView::showBibleSectionSelectionWindow),
                           page.binding(&BibleView::selectedPraise), 0, 0, page.binding(&BibleView::praiseIndex),
                           page.binding(&BibleView::userSelectedBiblePraise), settings, {}, ColorScheme::light,
                           true, Binding<std::int64_t>::constant(0)),
        app.context());
    sheet->show();
    EXPECT_EQ(sheet->bookList()->item(1)->text(), "출애굽기");

    clickRow(sheet->bookList(), 1);
    EXPECT_EQ(sheet->chapterList()->count(), 40);
    clickRow(sheet->chapterList(), 2);
    EXPECT_EQ(sheet->verseList()->count(), 22);
    clickRow(sheet->verseList(), 4);
    EXPECT_EQ(page.view()->praiseIndex, 4);
    EXPECT_EQ(sheet->verseList()->item(4)->foreground().color(), QColor::fromRgb(rgb(NamedColor::green)));
    EXPECT_EQ(sheet->bookList()->item(0)->foreground().color(), QColor(Qt::black));

    click(sheet->moveButton());
    const BibleView& shown = *page.view();
    EXPECT_FALSE(shown.showBibleSectionSelectionWindow);
    EXPECT_TRUE(shown.userSelectedBiblePraise);
    EXPECT_EQ(shown.selectedPraise.sectionIndex, 1);
    EXPECT_EQ(shown.selectedPraise.order, 1);
    EXPECT_EQ(shown.selectedPraise.versesIndex, 2);
    EXPECT_EQ(shown.selectedPraise.kindOfBible, BibleKind::kr01);
}

TEST_F(ChooserWidgets, SwitchingToKJV) {
    page.view()->pressTranslationCapsule();
    auto sheet = std::make_unique<KindOfBibleSelectionViewWidget>(
        KindOfBibleSelectionView(page.binding(&BibleView::showBibleTranslateSelectionWindow),
                                 page.binding(&BibleView::selectedPraise), 0, 0, 0,
                                 page.binding(&BibleView::praiseIndex),
                                 page.binding(&BibleView::userSelectedBiblePraise),
                                 page.binding(&BibleView::kindOfBible), settings),
        app.context());
    sheet->show();
    ASSERT_EQ(sheet->list()->count(), 2);
    EXPECT_EQ(sheet->list()->item(1)->text(), "KJV");
    clickRow(sheet->list(), 1);
    const BibleView& shown = *page.view();
    EXPECT_EQ(shown.kindOfBible, BibleKind::en01);
    EXPECT_FALSE(shown.showBibleTranslateSelectionWindow);
    EXPECT_TRUE(shown.userSelectedBiblePraise);
    EXPECT_EQ(shown.selectedPraise.praises.size(), 31u);
}

TEST_F(ChooserWidgets, TypingAVerseNoteReachesTheNoteAndEscapeLeavesItAlone) {
    std::string note;
    QTViewForAPraiseWidget editor(QTViewForAPraise(Binding<std::int64_t>::constant(3),
                                                   Binding<std::int64_t>::constant(0), "",
                                                   std::string(QTViewForAPraise::placeholderText),
                                                   Binding<std::string>::to(note), settings, readingFontDisplayNames(),
                                                   readingFontFileNames(), {}));
    editor.show();
    EXPECT_TRUE(editor.placeholderEditor()->isVisible());
    EXPECT_EQ(editor.noteEditor()->width(), 800);
    EXPECT_GE(editor.noteEditor()->height(), 50);

    editor.noteEditor()->setPlainText(QStringLiteral("가"));
    editor.noteEditor()->setPlainText(QStringLiteral("나"));
    EXPECT_EQ(note, "나");
    EXPECT_EQ(page.verse(3)->memo->memoContent, "나");
    EXPECT_FALSE(editor.placeholderEditor()->isVisible());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor.noteEditor(), &escape);
    EXPECT_EQ(editor.noteEditor()->toPlainText(), QStringLiteral("나"));

    click(editor.saveButton());
    EXPECT_TRUE(page.verse(3)->hasMemo);
}

} // namespace
} // namespace lumenscroll
