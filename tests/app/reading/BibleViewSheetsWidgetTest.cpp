// The reading page's navigation clicked through its real widgets, offscreen: the chapter
// buttons across a book boundary, the chooser sheets over the page, the translation switch and
// copy.

#include "app/reading/BibleContentCell.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/NoticeCapsule.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"
#include "testing/platform/TestAppContext.h"

#include "../WidgetClick.h"
#include "ReadingTestSupport.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::click;

class BibleViewSheetsWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, book, kind] : {std::tuple{"01창세기.txt", 0, BibleKind::kr01},
                                               {"02출애굽기.txt", 1, BibleKind::kr01},
                                               {"01Genesis.txt", 0, BibleKind::en01},
                                               {"02Exodus.txt", 1, BibleKind::en01}}) {
            ASSERT_TRUE(app.addResource(QString::fromUtf8(name),
                                        QByteArray::fromStdString(testing::bookText(book, kind))));
        }
        testing::openPages(settings, app.context(), {chapterRecord(0, 49, BibleKind::kr01, 26, " word 50.")});
        widget = std::make_unique<BibleViewWidget>(settings.roles()[0]);
        widget->show();
        settle();
    }

    void settle() {
        app.manualScheduler().runReady();
        QCoreApplication::processEvents();
    }
    void clickNamed(const char* name) {
        click(widget->findChild<QWidget*>(QString::fromLatin1(name)));
        settle();
    }
    void clickRow(QListWidget* list, int row) {
        ASSERT_LT(row, list->count());
        click(list->viewport(), list->visualItemRect(list->item(row)).center());
    }
    QString title() const { return widget->titleCapsule()->caption(); }
    const BibleStructure& record() const { return settings.selectedBibleArray()[0]; }

    TestAppContext app;
    UserSettings settings;
    std::unique_ptr<BibleViewWidget> widget;
};

TEST_F(BibleViewSheetsWidgetTest, TheChapterButtonsStepForwardAndBackAcrossABookBoundary) {
    clickNamed("nextChapterButton");
    EXPECT_EQ(title(), "출애굽기 1장");
    EXPECT_EQ(widget->verseList()->rowCount(), 22);
    EXPECT_EQ(widget->verseList()->row(0)->cell().text(), "1  word 1.1");
    clickNamed("previousChapterButton");
    EXPECT_EQ(title(), "창세기 50장");
    EXPECT_EQ(widget->verseList()->rowCount(), 26);
}

TEST_F(BibleViewSheetsWidgetTest, ChoosingExodusThreeVerseFiveThenKJVAndCopyingTwoVerses) {
    clickNamed("titleCapsule");
    BibleSelectionViewWidget* sheet = widget->chapterSheet();
    ASSERT_NE(sheet, nullptr);
    // Centred over the page at its own size, on a backdrop that takes the page's input.
    EXPECT_EQ(sheet->mapTo(widget.get(), QPoint(0, 0)), QPoint(400, 35));
    EXPECT_EQ(sheet->size(), QSize(400, 600));
    EXPECT_TRUE(widget->findChild<QWidget*>(QStringLiteral("sheetBackdrop"))->isVisible());
    clickRow(sheet->bookList(), 1);
    clickRow(sheet->chapterList(), 2);
    clickRow(sheet->verseList(), 4);
    click(sheet->moveButton());
    settle();
    EXPECT_EQ(widget->chapterSheet(), nullptr);
    EXPECT_EQ(title(), "출애굽기 3장");
    ASSERT_EQ(widget->verseList()->rowCount(), 22);
    // The chosen verse comes to the top a little later.
    app.manualScheduler().advance(std::chrono::milliseconds(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(widget->verseList()->verticalScrollBar()->value(), widget->verseList()->row(4)->y());

    // Escape closes a sheet as its close button does.
    clickNamed("translationCapsule");
    ASSERT_NE(widget->translationSheet(), nullptr);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(widget->translationSheet(), &escape);
    settle();
    EXPECT_EQ(widget->translationSheet(), nullptr);
    EXPECT_EQ(record().kindOfBible, BibleKind::kr01);

    clickNamed("translationCapsule");
    KindOfBibleSelectionViewWidget* translations = widget->translationSheet();
    ASSERT_NE(translations, nullptr);
    EXPECT_EQ(translations->mapTo(widget.get(), QPoint(0, 0)), QPoint(450, 235));
    clickRow(translations->list(), 1);
    settle();
    EXPECT_EQ(widget->translationSheet(), nullptr);
    EXPECT_EQ(widget->translationCapsule()->caption(), "KJV");
    EXPECT_EQ(title(), "Exodus 3");
    EXPECT_EQ(record().kindOfBible, BibleKind::en01);

    clickNamed("copyButton");
    EXPECT_EQ(widget->notice()->text(), "복사할 구절을 선택해 주세요.");
    EXPECT_EQ(app.memoryClipboard().writeCount(), 0);
    click(widget->verseList()->row(4));
    click(widget->verseList()->row(8));
    settle();
    clickNamed("copyButton");
    EXPECT_EQ(app.memoryClipboard().text().toStdString(), "[출3:5-9]  the word 3.5  the word 3.9");
}

} // namespace
} // namespace lumenscroll
