// The reading page's widgets, clicked through offscreen: selecting, highlighting, bookmarking
// and deselecting verses, the search button, the title photo and the scroll buttons; the
// rows of a long chapter; and renders of a Korean and an English page from the built
// resources.

#include "app/reading/BibleViewWidget.h"
#include "app/reading/BibleContentCell.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/NoticeCapsule.h"
#include "app/reading/PanelShadow.h"
#include "app/reading/HighlightSwatchButton.h"
#include "app/reading/SelectionBarWidget.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TopAreaPanelProvider.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"
#include "tests/app/ContrastRatio.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::contrastRatio;
using testing::lightestIn;
using testing::makePage;
using testing::openPages;
using testing::pageStateFile;

// A left click at `at` (the widget's centre by default), as the pointer gives it.
void click(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    const QPointF local = at == QPoint(-1, -1) ? QPointF(widget->rect().center()) : QPointF(at);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// How a colour at `opacity` shows on white.
QColor onWhite(NamedColor color, double opacity) {
    const QColor c = QColor::fromRgb(rgb(color));
    const auto mix = [opacity](int channel) { return static_cast<int>(channel * opacity + 255 * (1 - opacity) + 0.5); };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

bool near(const QColor& a, const QColor& b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The shell's shared panels as the page sees them: one widget per panel, kept while it is given
// back, standing on the page `onScreen` names.
class SharedPanels : public ObservableObject, public TopAreaPanelProvider {
public:
    ~SharedPanels() override { qDeleteAll(widgets); }

    ObjectWillChangePublisher& publisher() override { return ObservableObject::publisher(); }
    bool isOnScreen(std::int64_t pageIndex) const override { return pageIndex == onScreen(); }
    QWidget* take(TopAreaPanel panel, const BibleView&, QWidget* host) override {
        taken.push_back(panel);
        QWidget*& widget = widgets[panel == TopAreaPanel::settings ? 0 : 1];
        if (widget == nullptr) {
            widget = new QWidget;
            widget->resize(panel == TopAreaPanel::settings ? QSize(700, 500) : QSize(830, 470));
        }
        widget->setParent(host);
        return widget;
    }
    void giveBack(TopAreaPanel panel, QWidget* widget, QWidget* host) override {
        if (widget->parentWidget() == host) {
            givenBack.push_back(panel);
            widget->setParent(nullptr);
        }
    }

    Published<std::int64_t> onScreen{*this, 0};
    std::array<QWidget*, 2> widgets{};
    std::vector<TopAreaPanel> taken;
    std::vector<TopAreaPanel> givenBack;
};

const char* const navigationButtons[] = {"previousChapterButton", "scrollUpButton", "scrollDownButton",
                                         "nextChapterButton"};

class BibleViewWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        openPages(settings, app.context(),
                  {chapterRecord(0, 0, BibleKind::kr01, 31, "태초에 하나님이 천지를 창조하시니라"),
                   chapterRecord(42, 2, BibleKind::en01, 36, "For God so loved the world")});
        settings.roles.modify(testing::pageListKey(), [&](std::vector<BibleView>& views) {
            views[0].isShrinkStatus = Binding<bool>::to(shrunk);
        });
    }

    BibleViewWidget& open(std::size_t page) {
        widget = std::make_unique<BibleViewWidget>(settings.roles()[page]);
        widget->show();
        settle();
        return *widget;
    }
    void settle() {
        app.manualScheduler().runReady();
        QCoreApplication::processEvents();
    }
    template <class T = QWidget> T* child(const QString& name) const { return widget->findChild<T*>(name); }
    BibleContentCellWidget* row(int verse) const { return widget->verseList()->row(verse); }
    const BibleView& shown(std::size_t i) const { return settings.roles()[i]; }
    const BibleStructure& record(std::size_t i) const { return settings.selectedBibleArray()[i]; }
    QColor pixel(QWidget* target, QPoint at) const {
        return widget->grab().toImage().pixelColor(target->mapTo(widget.get(), at));
    }

    TestAppContext app;
    UserSettings settings;
    bool shrunk = false;
    std::unique_ptr<BibleViewWidget> widget;
};

TEST_F(BibleViewWidgetTest, ShowsTheTitleTheTranslationAndOneRowPerVerse) {
    open(1);
    EXPECT_EQ(widget->size(), QSize(1200, 670));
    EXPECT_EQ(widget->titleCapsule()->caption(), "John 3");
    EXPECT_EQ(widget->translationCapsule()->caption(), "KJV");
    EXPECT_TRUE(widget->translationCapsule()->isVisible());
    ASSERT_EQ(widget->verseList()->rowCount(), 36);
    EXPECT_EQ(row(0)->objectName(), "verseRow_0");
    EXPECT_EQ(row(15)->cell().text(), "16 For God so loved the world 16");
    // Top to bottom, left-aligned, each as wide as its text.
    for (int r = 1; r < 36; ++r) {
        EXPECT_GT(row(r)->y(), row(r - 1)->y() + row(r - 1)->height()) << r;
        EXPECT_EQ(row(r)->x(), row(0)->x());
    }
    EXPECT_LT(row(0)->width(), 1170);
    ASSERT_NE(child("panelHost"), nullptr);
    EXPECT_FALSE(child("panelHost")->isVisible());
}

TEST_F(BibleViewWidgetTest, ClickingAVerseSelectsItAndBringsUpTheBarUnderIt) {
    open(0);
    EXPECT_FALSE(widget->verseList()->selectionBar()->isVisible());
    click(child("verseRow_2"));
    EXPECT_TRUE(shown(0).isSelectedArray2[2]);
    settle();
    SelectionBarWidget* bar = widget->verseList()->selectionBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(widget->verseList()->selectionBarRow(), 2);
    EXPECT_GE(bar->y(), row(2)->y() + row(2)->height());
    EXPECT_LT(bar->y() + bar->height(), row(3)->y());
    EXPECT_EQ(bar->size(), QSize(1060, 40));
    EXPECT_EQ(bar->swatchCount(), 11u);
    EXPECT_TRUE(row(2)->isShimmering());
    EXPECT_FALSE(row(1)->isShimmering());

    // A second verse: both shimmer, the bar goes.
    click(child("verseRow_5"));
    settle();
    EXPECT_TRUE(row(5)->isShimmering());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(widget->verseList()->selectionBarRow(), -1);
}

TEST_F(BibleViewWidgetTest, TappingTheLowestVisibleVerseScrollsItsWholeBarIntoViewAboveTheButtons) {
    open(0);
    VerseListWidget* list = widget->verseList();
    const int visible = list->viewport()->height();
    int lowest = 0;
    while (row(lowest + 1)->y() < visible) {
        ++lowest;
    }
    click(row(lowest));
    settle();
    const SelectionBarWidget* bar = list->selectionBar();
    ASSERT_TRUE(bar->isVisible());
    const QRect shown(bar->mapTo(list->viewport(), QPoint(0, 0)), bar->size());
    EXPECT_GE(shown.top(), 0);
    EXPECT_LE(shown.bottom(), visible - list->buttonRoom().bottom());
    const QRect onPage(bar->mapTo(widget.get(), QPoint(0, 0)), bar->size());
    for (const char* name : navigationButtons) {
        EXPECT_FALSE(onPage.intersects(child(name)->geometry())) << name;
    }
}

TEST_F(BibleViewWidgetTest, NoVerseRunsUnderANavigationButtonAtAnyFontSize) {
    // King James Genesis 1:12, among the longest lines of a chapter.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[1] = chapterRecord(0, 0, BibleKind::en01, 31,
                                 "And the earth brought forth grass, and herb yielding seed after his kind, and the "
                                 "tree yielding fruit, whose seed was in itself, after his kind: and God saw that it "
                                 "was good.");
    });
    open(1);
    for (std::int64_t size = 0; size <= 16; ++size) {
        settings.pickerIndex.set(size);
        settle();
        for (int r = 0; r < widget->verseList()->rowCount(); ++r) {
            const int left = row(r)->mapTo(widget.get(), QPoint(0, 0)).x();
            const int right = left + row(r)->width() - 1;
            for (const char* name : navigationButtons) {
                const QRect button = child(name)->geometry();
                EXPECT_TRUE(right < button.left() || left > button.right())
                    << "size " << size << ", row " << r << ", " << name;
            }
        }
    }
}

TEST_F(BibleViewWidgetTest, WithoutItsPhotoTheTitleRowIsDarkEnoughForItsWhiteLabels) {
    // The fixture's resources hold no title photo.
    open(0);
    const QImage image = widget->grab().toImage();
    for (QWidget* label : {child("searchButton"), static_cast<QWidget*>(widget->deselectButton()), child("copyButton")}) {
        const QRect area = label->geometry();
        const QColor behind = image.pixelColor(area.left() - 3, area.center().y());
        EXPECT_GE(contrastRatio(lightestIn(image, area), behind), 4.5) << label->objectName().toStdString();
    }
    // The chapter title stands on the row too, its rounded top below the page's edge.
    EXPECT_EQ(widget->titleCapsule()->y(), widget->translationCapsule()->y());
    EXPECT_GT(widget->titleCapsule()->y(), 0);
}

TEST_F(BibleViewWidgetTest, TheSelectionBarsWhiteLabelsReadEvenOnAWhiteStopOfItsGradient) {
    open(0);
    click(child("verseRow_2"));
    settle();
    const QList<QWidget*> backdrops =
        widget->verseList()->selectionBar()->findChildren<QWidget*>(QStringLiteral("labelBackdrop"));
    ASSERT_EQ(backdrops.size(), 2);
    for (QWidget* backdrop : backdrops) {
        QImage image(backdrop->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        backdrop->render(&image);
        const QColor behind = image.pixelColor(6, backdrop->height() / 2);
        EXPECT_GE(contrastRatio(lightestIn(image, image.rect().adjusted(12, 4, -12, -4)), behind), 4.5);
    }
}

TEST_F(BibleViewWidgetTest, ClickingASwatchHighlightsTheVerseAndTheSameOneClearsIt) {
    open(0);
    click(child("verseRow_2"));
    settle();
    click(child("highlightColor_1"));
    EXPECT_EQ(record(0).praises[2].bgColor, 1);
    ASSERT_TRUE(pageStateFile(app.context(), 0));
    EXPECT_EQ(pageStateFile(app.context(), 0)->praises[2].bgColor, 1);
    settle();
    EXPECT_EQ(row(2)->cell().bgColor, 1);
    EXPECT_TRUE(child<HighlightSwatchButton>("highlightColor_1")->isChecked());
    EXPECT_FALSE(child<HighlightSwatchButton>("highlightColor_2")->isChecked());

    click(child("highlightColor_1"));
    settle();
    EXPECT_EQ(record(0).praises[2].bgColor, 0);
    EXPECT_EQ(row(2)->cell().bgColor, 0);
    EXPECT_FALSE(child<HighlightSwatchButton>("highlightColor_1")->isChecked());

    click(child("highlightColor_4"));
    click(widget->deselectButton());
    settle();
    // Gray at half opacity behind the text, once the row no longer shimmers; the next row
    // is white at half opacity on the white page.
    EXPECT_TRUE(near(pixel(row(2), QPoint(2, 2)), onWhite(NamedColor::gray, 0.5)));
    EXPECT_TRUE(near(pixel(row(3), QPoint(2, 2)), QColor(Qt::white)));
}

TEST_F(BibleViewWidgetTest, ClickingTheBookmarkButtonMarksTheVerse) {
    settings.bookmarkArray.set(testing::pageListKey(),
                               {std::vector<bool>(31, false), std::vector<bool>(36, false)});
    open(0);
    click(child("verseRow_7"));
    settle();
    auto* bookmark = child<SymbolButton>("bookmarkButton");
    EXPECT_EQ(bookmark->style().symbol, "bookmark");
    click(bookmark);
    EXPECT_TRUE(record(0).praises[7].bookmarked);
    EXPECT_TRUE(settings.bookmarkArray()[0][7]);
    settle();
    EXPECT_EQ(bookmark->style().symbol, "bookmark.fill");
}

TEST_F(BibleViewWidgetTest, TheDeselectButtonClearsTheSelectionAndIsDimmedUntilTwoVersesAreSelected) {
    open(0);
    SymbolButton* deselect = widget->deselectButton();
    EXPECT_DOUBLE_EQ(deselect->opacity(), 0.7);
    click(child("verseRow_1"));
    settle();
    EXPECT_DOUBLE_EQ(deselect->opacity(), 0.7);
    EXPECT_DOUBLE_EQ(deselect->symbolOpacity(), 0.6);
    click(child("verseRow_2"));
    settle();
    EXPECT_DOUBLE_EQ(deselect->opacity(), 1.0);
    EXPECT_DOUBLE_EQ(deselect->symbolOpacity(), 1.0);

    click(deselect);
    settle();
    EXPECT_EQ(shown(0).isSelectedArray2, std::vector<bool>(31, false));
    EXPECT_FALSE(shown(0).showSelectionPopUpMenu);
    EXPECT_FALSE(row(1)->isShimmering());
    EXPECT_FALSE(row(2)->isShimmering());
    EXPECT_DOUBLE_EQ(deselect->opacity(), 0.7);
}

TEST_F(BibleViewWidgetTest, TheSearchButtonTogglesTheSearchAreaOfThePanelHost) {
    open(0);
    click(child("searchButton"));
    EXPECT_TRUE(shown(0).searchBtnPressed);
    settle();
    QWidget* host = child("panelHost");
    EXPECT_TRUE(host->isVisible());
    EXPECT_EQ(host->geometry(), QRect(100, 35, 1000, 600));
    click(child("searchButton"));
    settle();
    EXPECT_FALSE(shown(0).searchBtnPressed);
    EXPECT_FALSE(host->isVisible());

    settings.aboutViewBtnPressed.set(true);
    settle();
    EXPECT_EQ(host->geometry(), QRect(185, 100, 830, 470));
}

TEST_F(BibleViewWidgetTest, TheSharedPanelsStandOnThePageOnScreenAloneWhileTheirFlagsAreSet) {
    SharedPanels panels;
    BibleViewWidget first(settings.roles()[0], nullptr, &panels);
    BibleViewWidget other(settings.roles()[1], nullptr, &panels);
    first.show();
    other.show();
    settle();
    EXPECT_EQ(first.panel(TopAreaPanel::settings), nullptr);

    settings.settingsViewBtnPressed.set(true);
    settle();
    QWidget* preferences = first.panel(TopAreaPanel::settings);
    ASSERT_EQ(preferences, panels.widgets[0]);
    EXPECT_TRUE(preferences->isVisible());
    EXPECT_EQ(first.panelHost()->geometry(), QRect(250, 85, 700, 500));
    EXPECT_EQ(preferences->geometry(), QRect(0, 0, 700, 500));
    // Its shadow falls from its rounded outline, drawn just under it, blurred once: nothing
    // over the panel renders it apart when something in it moves.
    PanelShadow* shadow = first.panelShadow();
    EXPECT_EQ(first.panelHost()->graphicsEffect(), nullptr);
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(shadow->shape().boundingRect(), QRectF(250, 85, 700, 500));
    EXPECT_FALSE(shadow->shape().contains(QPointF(253, 88))); // a rounded corner
    EXPECT_TRUE(shadow->shape().contains(QPointF(280, 88)));
    const QList<QObject*> stacking = first.children();
    EXPECT_EQ(stacking.indexOf(shadow) + 1, stacking.indexOf(first.panelHost()));
    first.grab();
    preferences->update();
    first.grab();
    EXPECT_EQ(shadow->blurCount(), 1);
    EXPECT_EQ(other.panel(TopAreaPanel::settings), nullptr);
    EXPECT_FALSE(other.panelHost()->isVisible());

    // The other page comes on screen: the same panel moves to it.
    panels.onScreen.set(1);
    settle();
    EXPECT_EQ(first.panel(TopAreaPanel::settings), nullptr);
    EXPECT_FALSE(first.panelHost()->isVisible());
    EXPECT_FALSE(shadow->isVisible());
    ASSERT_EQ(other.panel(TopAreaPanel::settings), preferences);
    EXPECT_TRUE(preferences->isVisible());

    // The About panel takes the preferences' place.
    settings.aboutViewBtnPressed.set(true);
    settle();
    EXPECT_FALSE(settings.settingsViewBtnPressed());
    EXPECT_EQ(other.panel(TopAreaPanel::settings), nullptr);
    ASSERT_NE(other.panel(TopAreaPanel::about), nullptr);
    EXPECT_EQ(other.panelHost()->geometry(), QRect(185, 100, 830, 470));
    EXPECT_EQ(first.panel(TopAreaPanel::about), nullptr);

    settings.aboutViewBtnPressed.set(false);
    settle();
    EXPECT_EQ(other.panel(TopAreaPanel::about), nullptr);
    EXPECT_FALSE(other.panelHost()->isVisible());
    EXPECT_EQ(panels.taken, (std::vector<TopAreaPanel>{TopAreaPanel::settings, TopAreaPanel::settings,
                                                       TopAreaPanel::about}));
    EXPECT_EQ(panels.givenBack, panels.taken);
}

TEST_F(BibleViewWidgetTest, ClickingTheTitlePhotoShrinksTheCarousel) {
    open(0);
    click(widget.get(), QPoint(400, 70));
    EXPECT_TRUE(shrunk);
    click(widget.get(), QPoint(400, 70));
    EXPECT_FALSE(shrunk);
    // Below the title block is not the photo.
    click(widget.get(), QPoint(600, 85));
    EXPECT_FALSE(shrunk);
}

TEST_F(BibleViewWidgetTest, TheDownAndUpButtonsScrollToTheLastAndTheFirstVerse) {
    open(0);
    QScrollBar* scroll = widget->verseList()->verticalScrollBar();
    EXPECT_EQ(scroll->value(), 0);
    click(child("scrollDownButton"));
    EXPECT_EQ(scroll->value(), 0);
    settle();
    EXPECT_GT(scroll->value(), 0);
    // The first row's top at the top; the list's padding above it scrolls away.
    click(child("scrollUpButton"));
    settle();
    EXPECT_EQ(scroll->value(), row(0)->y());
}

TEST_F(BibleViewWidgetTest, RowsAreBuiltOncePerChapter) {
    open(0);
    BibleContentCellWidget* first = row(0);
    click(child("verseRow_3"));
    settings.roles()[0].highlight(4, 2);
    settle();
    EXPECT_EQ(row(0), first);

    // Another chapter of the same length: the same rows read the new verses.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0] = chapterRecord(0, 1, BibleKind::kr01, 31, "이에 천지와");
    });
    settle();
    EXPECT_EQ(row(0), first);
    EXPECT_EQ(row(0)->cell().text(), "1 이에 천지와 1");
    // Another length: new rows.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0] = chapterRecord(0, 2, BibleKind::kr01, 24, "여호와 하나님의");
    });
    settle();
    EXPECT_EQ(widget->verseList()->rowCount(), 24);
}

TEST_F(BibleViewWidgetTest, ALongChapterHasARowForEveryVerseAndScrollsToTheLast) {
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0] = chapterRecord(18, 118, BibleKind::kr01, 176, "복 있는 사람은 악인의 꾀를 좇지 아니하며");
    });
    open(0);
    VerseListWidget* list = widget->verseList();
    ASSERT_EQ(list->rowCount(), 176);
    EXPECT_EQ(widget->titleCapsule()->caption(), "시편 119장");
    const std::shared_ptr<ScrollViewProxy> reader = widget->page().scrollReader();
    ASSERT_NE(reader, nullptr);
    reader->scrollTo(175, ScrollAnchor::top, false);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    reader->scrollTo(100, ScrollAnchor::top, false);
    EXPECT_EQ(list->verticalScrollBar()->value(), *list->positionOf(100));
    reader->scrollTo(ScrollViewProxy::chapterNoteIdentity, ScrollAnchor::top, false);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());

    click(list->row(150));
    settle();
    EXPECT_EQ(list->selectionBarRow(), 150);
    EXPECT_TRUE(list->row(150)->isShimmering());
}

TEST_F(BibleViewWidgetTest, TheRowsFollowTheChosenFontSize) {
    open(0);
    const int before = row(0)->height();
    settings.pickerIndex.set(14);
    settle();
    EXPECT_GT(row(0)->height(), before);
    EXPECT_EQ(row(0)->cell().fontSize, 50);
}

TEST_F(BibleViewWidgetTest, APageWithoutVersesReadsThemWhenItsListComesOnScreen) {
    ASSERT_TRUE(
        app.addResource("01창세기.txt", QByteArray::fromStdString(testing::bookText(0, BibleKind::kr01))));
    BibleStructure genesis;
    genesis.order = 0;
    genesis.name = "창세기";
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [&](std::vector<BibleStructure>& pages) { pages[0] = genesis; });
    open(0);
    EXPECT_EQ(record(0).praises.size(), 31u);
    EXPECT_EQ(widget->verseList()->rowCount(), 31);
    EXPECT_EQ(row(30)->cell().text(), "31  word 1.31");
    EXPECT_NE(widget->page().scrollReader(), nullptr);
}

TEST_F(BibleViewWidgetTest, AChapterWithoutTextHasANoticeOverItsVersesAndThePageNoticeStandsNearTheBottom) {
    // The stored marks of verses whose text could not be read, as a launch without it restores them.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        for (BiblePraise& verse : pages[1].praises) {
            verse.word.clear();
        }
    });
    open(1);
    QLabel* missing = widget->missingTextNotice();
    ASSERT_TRUE(missing->isVisible());
    EXPECT_EQ(missing->text().toStdString(), shown(1).noticeText(BibleView::Notice::textMissing));
    EXPECT_TRUE(missing->text().startsWith(QStringLiteral("The text of this chapter")));
    EXPECT_EQ(missing->geometry(), widget->verseList()->geometry());
    // Over the verses, under the buttons.
    auto* next = child("nextChapterButton");
    EXPECT_EQ(widget->childAt(next->geometry().center()), next);
    EXPECT_FALSE(widget->notice()->isVisible());

    const BibleView page = shown(1);
    page.showNotice("Your pages could not be saved.");
    settle();
    ASSERT_TRUE(widget->notice()->isVisible());
    EXPECT_EQ(widget->notice()->text(), QStringLiteral("Your pages could not be saved."));
    EXPECT_LT(widget->notice()->geometry().bottom(), next->y());
    EXPECT_NEAR(widget->notice()->geometry().center().x(), widget->width() / 2, 1);
    app.manualScheduler().advance(BibleView::noticeDuration);
    settle();
    EXPECT_FALSE(widget->notice()->isVisible());

    // With its text the chapter shows its verses again.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[1].praises[0].word = " In the beginning";
    });
    settle();
    EXPECT_FALSE(missing->isVisible());
}

TEST_F(BibleViewWidgetTest, TheCopyNoticeIsAPaddedRoundedCapsuleThatReadsOverTheVerses) {
    open(0);
    click(child("copyButton"));
    settle();
    auto* notice = widget->notice();
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QStringLiteral("복사할 구절을 선택해 주세요."));
    EXPECT_GE(notice->font().pixelSize(), 15);
    const QRect box = notice->geometry();
    const int line = notice->fontMetrics().height();
    // Padded all round: the text line and at least 10 points above and below it.
    EXPECT_GE(box.height(), line + 20);
    EXPECT_GE(box.width(), notice->fontMetrics().horizontalAdvance(notice->text()) + 30);

    const QImage image = widget->grab().toImage();
    // Rounded: the page shows at the corner; opaque: inside, the same colour wherever verses lie
    // behind, against which the white text reads.
    EXPECT_NE(image.pixelColor(box.topLeft()), image.pixelColor(box.left() + 8, box.center().y()));
    const QColor fill = image.pixelColor(box.left() + 8, box.top() + 3);
    EXPECT_EQ(image.pixelColor(box.right() - 8, box.bottom() - 3), fill);
    EXPECT_GE(contrastRatio(lightestIn(image, box), fill), 4.5);
}

TEST_F(BibleViewWidgetTest, APageThatIsNotOpenShowsNeitherTitleBlockNorVerses) {
    BibleView closed = settings.roles()[0];
    closed.pageIndex = Binding<std::int64_t>::constant(4);
    widget = std::make_unique<BibleViewWidget>(closed);
    widget->show();
    settle();
    EXPECT_FALSE(widget->translationCapsule()->isVisible());
    EXPECT_TRUE(widget->titleCapsule()->isVisible());
    EXPECT_EQ(widget->titleCapsule()->caption(), "");
    EXPECT_EQ(widget->verseList()->rowCount(), 0);
    EXPECT_TRUE(child("previousChapterButton")->isVisible());
}

// Renders of real pages, from the built texts, pictures and icons.
class BibleViewRender : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"01창세기.txt", "43John.txt", "TopArea1.png", "magnifyingglass.svg"}) {
            if (!QFileInfo::exists(QDir(LUMENSCROLL_RESOURCE_DIR).filePath(QString::fromUtf8(name)))) {
                GTEST_SKIP() << name << " was not built";
            }
        }
    }

    // Page 0 on chapter `chapter` of `book`, verse `marked` highlighted in `color` and selected
    // (its bar showing), and the third verse after it highlighted in yellow.
    QImage render(std::int64_t book, std::int64_t chapter, BibleKind kind, std::int64_t marked, std::int64_t color,
                  const QString& fileName) {
        openPages(settings, app.context(), {BibleStructure{}});
        settings.roles.modify(testing::pageListKey(), [&](std::vector<BibleView>& views) {
            views[0].pickedPhotoName = Binding<std::string>::constant(book == 0 ? "TopArea1" : "TopArea5");
        });
        const BibleView page = settings.roles()[0];
        page.loadPageText(book, chapter, kind);
        page.highlight(marked, color);
        page.highlight(marked + 3, 1);
        BibleViewWidget widget(page);
        widget.show();
        app.manualScheduler().runReady();
        click(widget.verseList()->row(static_cast<int>(marked)));
        app.manualScheduler().runReady();
        widget.verseList()->scrollToIdentity(std::max<std::int64_t>(marked - 2, 0), ScrollAnchor::top, false);
        QCoreApplication::processEvents();
        const QImage image = widget.grab().toImage();
        image.save(QDir(QDir::tempPath()).filePath(fileName));
        return image;
    }

    TestAppContext app{LUMENSCROLL_RESOURCE_DIR};
    UserSettings settings;
};

TEST_F(BibleViewRender, AKoreanPageOfGenesisOne) {
    const QImage image = render(0, 1, BibleKind::kr01, 2, 1, "lumenscroll-page-genesis1-kr.png");
    EXPECT_EQ(image.size(), QSize(1200, 670));
    EXPECT_EQ(settings.roles()[0].bibleSectionTitle, "창세기 1장");
    // The title photo across the top, the white page below it, the marked verses' colours.
    EXPECT_NE(image.pixelColor(600, 60), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1190, 300), QColor(Qt::white));
    EXPECT_TRUE(near(image.pixelColor(42, 370), onWhite(NamedColor::yellow, 0.5)));
}

TEST_F(BibleViewRender, AnEnglishPageOfJohnThree) {
    const QImage image = render(42, 3, BibleKind::en01, 15, 9, "lumenscroll-page-john3-en.png");
    EXPECT_EQ(image.size(), QSize(1200, 670));
    EXPECT_EQ(settings.roles()[0].bibleSectionTitle, "John 3");
    ASSERT_EQ(settings.selectedBibleArray()[0].praises.size(), 36u);
}

} // namespace
} // namespace lumenscroll
