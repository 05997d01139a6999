// The search page's widgets, clicked through offscreen: a query typed and submitted, a hit
// opened, the clear button, the translation chooser; and renders of Korean and English hits
// from the built texts.

#include "../WidgetClick.h"
#include "SearchTestSupport.h"

#include "app/platform/Look.h"
#include "app/search/KindOfBibleSearchViewWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/search/SearchHitDelegate.h"
#include "testing/reading/PageListKeyForTests.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <QWindow>

namespace lumenscroll::testing {
namespace {

void type(QWidget* field, const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
}

class SearchWidgetTest : public ::testing::Test {
protected:
    explicit SearchWidgetTest(const QString& resources = {})
        : test(resources) {}

    void show() {
        widget = std::make_unique<SearchBibleViewWidget>(
            Binding<std::int64_t>::to(pageIndex), Binding<bool>::to(openSearch), settings, test.context());
        widget->show();
        settle();
    }
    void settle() {
        test.manualScheduler().runReady();
        QCoreApplication::processEvents();
    }
    void searchFor(const QString& query) {
        QLineEdit* field = widget->searchBar()->queryField();
        field->selectAll();
        type(field, query);
        type(field, QString(), Qt::Key_Return);
        settle();
    }
    int rows() const { return widget->hitList()->model()->rowCount(); }
    void clickRow(int row) {
        QListView* list = widget->hitList();
        click(list->viewport(), list->visualRect(list->model()->index(row, 0)).center());
        settle();
    }

    TestAppContext test;
    UserSettings settings;
    std::int64_t pageIndex = 0;
    bool openSearch = true;
    std::unique_ptr<SearchBibleViewWidget> widget;
};

class SearchWidgetClickTest : public SearchWidgetTest {
protected:
    void SetUp() override {
        const std::string text = bookText(0, {{{1, 1}, " 태초에 하나님이"}, {{1, 2}, " 하나님의 신은"}});
        ASSERT_TRUE(test.addResource(QStringLiteral("01창세기.txt"), QByteArray::fromStdString(text)));
        settings.selectedBibleArray.set(testing::pageListKey(), {BibleStructure{}});
        show();
    }
};

TEST_F(SearchWidgetClickTest, ATypedQueryListsItsHitsAndAClickOpensOne) {
    EXPECT_EQ(widget->message()->text().toStdString(), SearchBibleView::promptText);
    searchFor(QStringLiteral("하나님"));
    ASSERT_EQ(rows(), 2);
    EXPECT_FALSE(widget->message()->isVisible());
    clickRow(1);
    EXPECT_EQ(settings.foundSectionVerseAndPraiseArray(), (std::vector<std::string>{"0@0@1", ""}));
    EXPECT_FALSE(openSearch);

    searchFor(QStringLiteral("없는말"));
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(widget->message()->text().toStdString(), SearchBibleView::notFoundText);
}

TEST_F(SearchWidgetClickTest, WhileTheNextQueryIsTypedThePageDoesNotSayItWasNotFound) {
    const auto saysNotFound = [this] {
        return widget->message()->isVisible() && widget->message()->text().toStdString() == SearchBibleView::notFoundText;
    };
    searchFor(QStringLiteral("하나님"));
    QLineEdit* field = widget->searchBar()->queryField();
    type(field, QStringLiteral("들"));
    settle();
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(saysNotFound());
    type(field, QString(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(saysNotFound());
}

TEST_F(SearchWidgetClickTest, ReturnInTheFieldSaysNothingWasFoundForEveryTextButAnEmptyOne) {
    const QString notFound = QString::fromStdString(SearchBibleView::notFoundText);
    const struct {
        QString query;
        int rows;
        QString message;
    } cases[] = {
        {QString(), 0, QString()},
        {QStringLiteral("   "), 0, notFound},
        {QStringLiteral(","), 0, notFound},
        {QStringLiteral(" , "), 0, notFound},
        {QStringLiteral(" , ,"), 0, notFound},
        {QStringLiteral("없는말"), 0, notFound},
        {QStringLiteral("하나님"), 2, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + c.query.toStdString() + '"');
        show();
        ASSERT_EQ(widget->message()->text().toStdString(), SearchBibleView::promptText);
        // Typed and submitted as the window system delivers keys: to the window, whose focus is
        // in the query field.
        QWindow* window = widget->windowHandle();
        for (const QChar character : c.query) {
            QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
        QTest::keyClick(window, Qt::Key_Return);
        settle();
        EXPECT_EQ(widget->searchBar()->queryField()->text().toStdString(), c.query.toStdString());
        EXPECT_EQ(rows(), c.rows);
        const QString shown = widget->message()->isVisible() ? widget->message()->text() : QString();
        EXPECT_EQ(shown.toStdString(), c.message.toStdString());
    }
}

TEST_F(SearchWidgetClickTest, TheClearButtonComesWithAQueryAndEmptiesIt) {
    SearchBarWidget* bar = widget->searchBar();
    EXPECT_FALSE(bar->clearButton()->isVisible());
    type(bar->queryField(), QStringLiteral("하"));
    settle();
    EXPECT_TRUE(bar->clearButton()->isVisible());
    click(bar->clearButton());
    settle();
    EXPECT_EQ(bar->queryField()->text(), QString());
    EXPECT_FALSE(bar->clearButton()->isVisible());
}

TEST_F(SearchWidgetClickTest, TheChooserSwitchesTheTranslation) {
    click(widget->searchBar()->translationLabel());
    settle();
    ASSERT_NE(widget->chooser(), nullptr);
    QListWidget* list = widget->chooser()->list();
    ASSERT_EQ(list->count(), 2);
    click(list->viewport(), list->visualItemRect(list->item(1)).center());
    settle();
    EXPECT_EQ(widget->chooser(), nullptr);
    EXPECT_EQ(settings.kindOfBible(), BibleKind::en01);
    EXPECT_EQ(widget->searchBar()->findChild<QLabel*>(QStringLiteral("translationName"))->text(), "KJV");
}

TEST_F(SearchWidgetClickTest, TheCloseButtonLowersTheHostsFlag) {
    click(widget->closeButton());
    EXPECT_FALSE(openSearch);
}

TEST(SearchHitDelegate, WrapsAtBlanksWithinTheWidthAndCutsOnlyAnOverlongWord) {
    QListView list;
    const SearchHitDelegate delegate(list);
    const QFont font = Look::font(TextStyle::body);
    const QFontMetricsF metrics(font);
    const QString text = QStringLiteral("[창세기 1:1]  태초에 하나님이 천지를 창조하시니라 ") +
                         QString(40, u'가') + QStringLiteral(" and the end");
    const qreal width = metrics.horizontalAdvance(QStringLiteral("태초에 하나님이 천지를"));
    const std::vector<SearchHitDelegate::Line> lines = delegate.wrap(text, font, width);
    ASSERT_GT(lines.size(), 4U);
    QString joined;
    for (const SearchHitDelegate::Line& line : lines) {
        const QString shown = text.mid(line.start, line.length);
        EXPECT_LE(metrics.horizontalAdvance(shown), width + 2) << shown.toStdString();
        // A line ends at a blank, or inside the one word too wide for any line.
        const qsizetype next = line.start + line.length;
        EXPECT_TRUE(next == text.size() || text.at(next) == u' ' || text.at(next) == u'가')
            << shown.toStdString();
        joined += shown;
    }
    joined.remove(u' ');
    EXPECT_EQ(joined, QString(text).remove(u' '));
    EXPECT_EQ(delegate.wrap(QString(), font, width).size(), 1U);
}

// The built texts and pictures, searched whole; the renders are kept in the temporary folder
// to be looked at.
class SearchWidgetRender : public SearchWidgetTest {
protected:
    SearchWidgetRender()
        : SearchWidgetTest(builtTextDirectory()) {}

    void SetUp() override {
        if (builtTextDirectory().isEmpty()) {
            GTEST_SKIP() << "the whole Korean and English texts were not built";
        }
        settings.selectedBibleArray.set(testing::pageListKey(), {BibleStructure{}});
    }

    QImage render(const QString& fileName) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget->hitList()->indexAt(QPoint(1, 1)).isValid());
        const QImage image = widget->grab().toImage();
        image.save(QDir(QDir::tempPath()).filePath(fileName));
        return image;
    }

    std::size_t verses(const std::string& translation) const {
        std::size_t count = 0;
        for (const auto& book : settings.loadedBibleWordsContainers->at(translation)) {
            for (const BibleStructure& chapter : book) {
                count += chapter.praises.size();
            }
        }
        return count;
    }
};

TEST_F(SearchWidgetRender, KoreanHits) {
    show();
    searchFor(QStringLiteral("태초 말씀"));
    // Every line, once more the merged lines that end 1 Samuel 30, Psalm 72 and 3 John, and an
    // empty filler after each of the 66 books.
    EXPECT_EQ(verses("개역한글"), 31099U + 3U + 66U);
    ASSERT_GT(rows(), 2);
    // John 1:1 holds both words; Genesis 1:1 only the first.
    EXPECT_EQ(widget->view().foundWordArray()[0].rfind("[요한복음 1:1]", 0), 0U);
    EXPECT_EQ(widget->view().foundWordLocation()[0], "42@0@0");
    EXPECT_EQ(render(QStringLiteral("lumenscroll-search-kr.png")).size(), QSize(1000, 600));
}

TEST_F(SearchWidgetRender, EnglishHits) {
    settings.kindOfBible.set(BibleKind::en01);
    show();
    searchFor(QStringLiteral("beginning word"));
    // Merged lines end 1 Samuel 30 and 2 Corinthians 13; that of Psalm 72 holds a colon in its
    // text, and such a line is never read as merged.
    EXPECT_EQ(verses("KJV"), 31099U + 2U + 66U);
    ASSERT_GT(rows(), 2);
    // John 1:1 holds both words and comes before Genesis 1:1, which holds one.
    const std::vector<std::string>& hits = widget->view().foundWordArray();
    const auto startingWith = [&](const std::string& start) {
        return std::find_if(hits.begin(), hits.end(),
                            [&](const std::string& hit) { return hit.starts_with(start); });
    };
    EXPECT_LT(startingWith("[John 1:1]  In the beginning was the Word"),
              startingWith("[Genesis 1:1]  In the beginning"));
    EXPECT_NE(startingWith("[Genesis 1:1]  In the beginning"), hits.end());
    // A hit wider than the list wraps: its row holds every line of it.
    QListView* list = widget->hitList();
    const QFontMetrics metrics(list->font());
    const auto wide = std::find_if(hits.begin(), hits.end(), [&](const std::string& hit) {
        return metrics.horizontalAdvance(QString::fromStdString(hit)) > list->viewport()->width();
    });
    ASSERT_NE(wide, hits.end());
    const QModelIndex row = list->model()->index(static_cast<int>(wide - hits.begin()), 0);
    list->scrollTo(row);
    EXPECT_GE(list->visualRect(row).height(), 2 * metrics.height());
    EXPECT_EQ(render(QStringLiteral("lumenscroll-search-en.png")).size(), QSize(1000, 600));
}

} // namespace
} // namespace lumenscroll::testing
