#include "app/reading/BibleView.h"
#include "app/model/BibleBook.h"
#include "app/reading/ReadingFont.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::makePage;
using testing::openPages;

// Genesis in both translations and Exodus in Korean, made-up verses ("word c.v" in Korean, "the
// word c.v" in English), the Korean Genesis 1:1 with a heading.
class BibleViewLoading : public ::testing::Test {
protected:
    void SetUp() override {
        std::string korean = testing::bookText(0, BibleKind::kr01);
        korean.replace(0, korean.find('\n'), "1:1 <천지 창조> 태초에");
        ASSERT_TRUE(app.addResource("01창세기.txt", QByteArray::fromStdString(korean)));
        ASSERT_TRUE(app.addResource("02출애굽기.txt",
                                    QByteArray::fromStdString(testing::bookText(1, BibleKind::kr01))));
        ASSERT_TRUE(app.addResource("01Genesis.txt",
                                    QByteArray::fromStdString(testing::bookText(0, BibleKind::en01))));
        openPages(settings, app.context(),
                  {chapterRecord(0, 0, BibleKind::kr01, 2, "page0"),
                   chapterRecord(1, 0, BibleKind::en01, 2, "page1")});
        pages = settings.roles();
    }

    // Copies of the page values in roles, as a page's widget would act through.
    BibleView& page(std::size_t i) { return pages[i]; }
    const BibleStructure& record(std::size_t i) const { return settings.selectedBibleArray()[i]; }
    int countNotifications() const { return notifications; }

    TestAppContext app;
    UserSettings settings;
    std::vector<BibleView> pages;
    int notifications = 0;
    Subscription counting = settings.publisher().sink([this] { ++notifications; });
};

TEST(BibleView, IsBuiltMemberwiseWithTheValuesOfANewPage) {
    TestAppContext app;
    UserSettings settings;
    bool shrink = true;
    const BibleView page{
        .isShrinkStatus = Binding<bool>::to(shrink),
        .userSettings = PageEnvironment(settings, app.context()),
        .pageIndex = Binding<std::int64_t>::constant(3),
        .prevPageIndex = Binding<std::int64_t>::constant(2),
        .pickedPhotoName = Binding<std::string>::constant("TopArea4"),
        .plusBible = Binding<bool>::to(settings.plusBible),
        .plusBible2 = Binding<bool>::to(settings.plusBible2),
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({""}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .bibleViewFixedIndex = 3,
    };
    EXPECT_TRUE(page.isShrinkStatus());
    EXPECT_EQ(page.pageIndex(), 3);
    EXPECT_EQ(page.bibleSectionTitle, "창세기 1장");
    EXPECT_EQ(page.translateVersion, "개역한글");
    EXPECT_EQ(page.translateVersionArray, (std::vector<std::string>{"개역한글", "KJV"}));
    EXPECT_EQ(page.titlePhotoArray.size(), 9u);
    EXPECT_EQ(page.lastSelectedIndex, -1);
    EXPECT_EQ(page.bgColorArray.size(), 12u);
    EXPECT_EQ(page.customFontsNameForPickerArray.size(), 16u);
    EXPECT_EQ(page.customFontsFileNameArray.size(), 16u);
    EXPECT_EQ(page.bibleViewFixedIndex, 3);

    // A page value in roles is a plain value: copies are independent of each other.
    settings.roles.set(testing::pageListKey(), {page, page});
    settings.roles.modify(testing::pageListKey(),
                          [](std::vector<BibleView>& views) { views[0].translateVersion = "KJV"; });
    EXPECT_EQ(settings.roles()[1].translateVersion, "개역한글");
}

TEST(BibleView, EveryReadingFontIsAnInstalledFamily) {
    const QStringList families = QFontDatabase::families();
    if (!families.contains("BM DoHyeon") || !families.contains("NanumSquare")) {
        GTEST_SKIP() << "fonts-woowa-bm or fonts-nanum is not installed";
    }
    for (const ReadingFont& font : readingFonts) {
        EXPECT_TRUE(families.contains(QString::fromUtf8(font.family.data(), qsizetype(font.family.size()))))
            << font.family;
    }
}

TEST_F(BibleViewLoading, NamesTheResourceAndMarksOnlyThePageBeingLoaded) {
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::en01, 0, 1), "01Genesis");
    // Page 1 is marked; page 0, which asked, is not.
    EXPECT_EQ(record(1).language, "en");
    EXPECT_EQ(settings.roles()[1].translateVersion, "KJV");
    EXPECT_EQ(record(0).language, "kr");

    EXPECT_EQ(page(0).chapterResourceName(BibleKind::kr01, 65, 1), "66요한계시록");
    EXPECT_EQ(record(1).language, "kr");
    EXPECT_EQ(settings.roles()[1].translateVersion, "개역한글");
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::en01, 8, 0), "09Samuel1");

    // No text, no book, no page: no name, or no write.
    const int before = countNotifications();
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::kr03, 0, 0), "");
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::kr01, 66, 0), "");
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::kr01, -1, 0), "");
    EXPECT_EQ(countNotifications(), before);
    EXPECT_EQ(page(0).chapterResourceName(BibleKind::kr01, 0, 7), "01창세기");
    EXPECT_EQ(countNotifications(), before);
}

TEST_F(BibleViewLoading, LoadsAChapterIntoThePageWithItsHeading) {
    page(1).loadPageText(0, 1, BibleKind::kr01);
    const BibleStructure& loaded = record(1);
    EXPECT_EQ(loaded.versesIndex, 0);
    EXPECT_EQ(loaded.order, 0);
    EXPECT_EQ(loaded.sectionIndex, 0);
    EXPECT_EQ(loaded.language, "kr");
    EXPECT_EQ(loaded.name, "창세기");
    EXPECT_TRUE(loaded.isOldTestment);
    EXPECT_EQ(loaded.kindOfBible, BibleKind::kr01);
    EXPECT_EQ(loaded.matchingIndexToMemo, 0);
    ASSERT_EQ(loaded.praises.size(), 31u);
    EXPECT_TRUE(loaded.praises[0].hasTheme);
    EXPECT_EQ(loaded.praises[0].theme, "천지 창조");
    EXPECT_EQ(loaded.praises[0].word, " 태초에");
    EXPECT_EQ(loaded.praises[30].word, " word 1.31");
    EXPECT_EQ(settings.currentBibleLanguage(), "kr");
    EXPECT_EQ(settings.roles()[1].translateVersion, "개역한글");
    // The other page is untouched.
    EXPECT_EQ(record(0).praises.size(), 2u);
    EXPECT_TRUE(app.traceCapture().contains("fileName : 01창세기"));
    EXPECT_TRUE(app.traceCapture().contains("pageIndex 1 roles.count - 1 1"));

    page(0).loadPageText(0, 2, BibleKind::en01);
    EXPECT_EQ(record(0).language, "en");
    EXPECT_EQ(record(0).name, "Genesis");
    EXPECT_EQ(record(0).kindOfBible, BibleKind::en01);
    ASSERT_EQ(record(0).praises.size(), 25u);
    EXPECT_EQ(record(0).praises[0].word, " the word 2.1");
    EXPECT_EQ(settings.currentBibleLanguage(), "en");
}

TEST_F(BibleViewLoading, KeepsOnlyTheLastLoadedChapterInTheContainer) {
    page(0).loadPageText(0, 2, BibleKind::kr01);
    page(0).loadPageText(1, 3, BibleKind::kr01);
    const auto& container = settings.BibleWordsContainer();
    ASSERT_EQ(container.size(), 66u);
    std::size_t loaded = 0;
    for (std::size_t b = 0; b < container.size(); ++b) {
        ASSERT_EQ(container[b].size(), static_cast<std::size_t>(chaptersPerBook()[b] + 1)) << b;
        for (const BibleStructure& chapter : container[b]) {
            loaded += chapter == BibleStructure{} ? 0 : 1;
        }
    }
    EXPECT_EQ(loaded, 1u);
    EXPECT_EQ(container[1][3], record(0));
    EXPECT_EQ(container[1][3].praises[0].word, " word 3.1");
    EXPECT_EQ(container[0][2], BibleStructure{});
}

TEST_F(BibleViewLoading, ChoosesTheStoredChapterByTheMovingType) {
    struct Case {
        std::int64_t movingType;
        std::int64_t book;
        std::int64_t chapter;
        std::int64_t expected;
    };
    for (const Case& c :
         {Case{0, 0, 5, 4}, Case{1, 0, 5, 4}, Case{-1, 0, 5, 5}, Case{2, 1, 1, 0}, Case{7, 0, 5, 0}}) {
        page(0).sectionAndVerseMovingType = c.movingType;
        page(0).loadPageText(c.book, c.chapter, BibleKind::kr01);
        EXPECT_EQ(record(0).versesIndex, c.expected) << c.movingType;
    }

    // -2: the last chapter of the book before the one the page was on. Page 1 is on Exodus.
    page(1).sectionAndVerseMovingType = -2;
    page(1).loadPageText(0, 50, BibleKind::kr01);
    EXPECT_EQ(record(1).versesIndex, 49);
    EXPECT_EQ(record(1).sectionIndex, 0);
    ASSERT_EQ(record(1).praises.size(), 26u);
    EXPECT_EQ(record(1).praises[0].word, " word 50.1");

    // A page on Leviticus steps back to the end of Exodus.
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[1].sectionIndex = 2; });
    page(1).loadPageText(1, 40, BibleKind::kr01);
    EXPECT_EQ(record(1).versesIndex, 39);

    // A page on Genesis has no book before it and keeps the chapter it loaded.
    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages[1].sectionIndex = 0; });
    page(1).loadPageText(0, 7, BibleKind::kr01);
    EXPECT_EQ(record(1).versesIndex, 6);
}

TEST_F(BibleViewLoading, ATranslationWithoutTextGivesAnEmptyKoreanPage) {
    settings.roles.modify(testing::pageListKey(),
                          [](std::vector<BibleView>& views) { views[1].translateVersion = "KJV"; });
    page(1).loadPageText(0, 1, BibleKind::kr03);
    EXPECT_TRUE(record(1).praises.empty());
    EXPECT_EQ(record(1).language, "kr");
    EXPECT_EQ(record(1).kindOfBible, BibleKind::kr01);
    // Named in the language the record held: page 1 was English.
    EXPECT_EQ(record(1).name, "Genesis");
    EXPECT_EQ(settings.roles()[1].translateVersion, "KJV");
    EXPECT_FALSE(app.traceCapture().contains("file is not exist"));
}

TEST_F(BibleViewLoading, AMissingOrUnreadableResourceGivesAPageWithNoVerses) {
    page(0).loadPageText(0, 1, BibleKind::en01);
    EXPECT_EQ(record(0).praises.size(), 31u);
    page(0).loadPageText(1, 1, BibleKind::en01);
    EXPECT_TRUE(record(0).praises.empty());
    EXPECT_EQ(record(0).sectionIndex, 1);
    EXPECT_TRUE(app.traceCapture().contains("file is not exist"));

    ASSERT_TRUE(app.addResource("03레위기.txt", QByteArray("1:1 \xff\xfe broken\n")));
    page(0).loadPageText(2, 1, BibleKind::kr01);
    EXPECT_TRUE(record(0).praises.empty());
    EXPECT_EQ(record(0).sectionIndex, 2);
}

TEST_F(BibleViewLoading, AnInvalidBookChapterOrPageLoadsAndWritesNothing) {
    const std::vector<BibleStructure> before = settings.selectedBibleArray();
    const int notifiedBefore = countNotifications();
    page(0).loadPageText(66, 1, BibleKind::kr01);
    page(0).loadPageText(-1, 1, BibleKind::kr01);
    page(0).loadPageText(0, 0, BibleKind::kr01);
    page(0).loadPageText(0, 51, BibleKind::kr01);
    page(0).storeLoadedPage(0, 51, BibleStructure{});
    page(0).storeLoadedPage(70, 1, BibleStructure{});

    BibleView outside = makePage(settings, app.context(), 2);
    outside.loadPageText(0, 1, BibleKind::kr01);
    outside.storeLoadedPage(0, 1, BibleStructure{});
    BibleView negative = makePage(settings, app.context(), -1);
    negative.loadPageText(0, 1, BibleKind::kr01);

    EXPECT_EQ(countNotifications(), notifiedBefore);
    EXPECT_EQ(settings.selectedBibleArray(), before);
    EXPECT_EQ(settings.BibleWordsContainer(), UserSettings::placeholderBooks());

    EXPECT_TRUE(page(0).loadChapterText(66, 1, BibleKind::kr01, 0).praises.empty());
    EXPECT_TRUE(page(0).loadChapterText(0, 51, BibleKind::kr01, 0).praises.empty());
    EXPECT_EQ(countNotifications(), notifiedBefore);
}

TEST_F(BibleViewLoading, AChapterIsLoadedForAPageWithoutAPageValueToo) {
    // A record whose page has no value in roles yet (during a restore) still loads; only the
    // label that has nowhere to go is left out.
    settings.roles.modify(testing::pageListKey(), [](std::vector<BibleView>& views) { views.pop_back(); });
    page(0).pageIndex = Binding<std::int64_t>::constant(1);
    page(0).loadPageText(0, 1, BibleKind::en01);
    EXPECT_EQ(record(1).praises.size(), 31u);
    EXPECT_EQ(settings.roles()[0].translateVersion, "개역한글");
}

TEST_F(BibleViewLoading, ReturnsAChapterInTheCallersTranslationWritingOnlyThatPagesMarks) {
    // Page 0 (Korean) reloads page 1's verses: in page 1's English, and only page 1 is marked.
    const BibleStructure chapter = page(0).loadChapterText(0, 3, BibleKind::en01, 1);
    EXPECT_EQ(chapter.versesIndex, 0);
    EXPECT_EQ(chapter.order, -1);
    EXPECT_EQ(chapter.language, "kr");
    EXPECT_EQ(chapter.name, "");
    EXPECT_EQ(chapter.sectionIndex, 0);
    EXPECT_EQ(chapter.kindOfBible, BibleKind::kr01);
    ASSERT_EQ(chapter.praises.size(), 24u);
    EXPECT_EQ(chapter.praises[0].word, " the word 3.1");
    EXPECT_TRUE(app.traceCapture().contains(" - fileName 01Genesis"));

    EXPECT_EQ(record(0).language, "kr");
    EXPECT_EQ(settings.roles()[0].translateVersion, "개역한글");
    EXPECT_EQ(record(1).language, "en");
    EXPECT_EQ(settings.roles()[1].translateVersion, "KJV");
    // Nothing else of either page, and no loaded text.
    EXPECT_EQ(record(1).praises.size(), 2u);
    EXPECT_EQ(settings.BibleWordsContainer(), UserSettings::placeholderBooks());

    EXPECT_TRUE(page(0).loadChapterText(0, 3, BibleKind::kr02, 0).praises.empty());
}

TEST_F(BibleViewLoading, TitlesAPageWithBookAndChapterNumber) {
    page(0).loadPageText(1, 3, BibleKind::kr01);
    page(0).refreshPageTitle(0);
    EXPECT_EQ(settings.roles()[0].bibleSectionTitle, "출애굽기 3장");

    page(1).loadPageText(0, 1, BibleKind::en01);
    page(1).refreshPageTitle(1);
    EXPECT_EQ(settings.roles()[1].bibleSectionTitle, "Genesis 1");

    // Other translations, and indexes without a page, change nothing.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[1].kindOfBible = BibleKind::en02;
    });
    page(1).refreshPageTitle(1);
    page(1).refreshPageTitle(5);
    page(1).refreshPageTitle(-1);
    EXPECT_EQ(settings.roles()[1].bibleSectionTitle, "Genesis 1");
}

class BibleViewRealTexts : public ::testing::Test {
protected:
    static bool present(const char* name) {
        return QFileInfo::exists(QDir(LUMENSCROLL_RESOURCE_DIR).filePath(name));
    }
};

TEST_F(BibleViewRealTexts, LoadsChaptersOfTheBuiltTextsInBothTranslations) {
    int translations = 0;
    for (const BibleKind kind : {BibleKind::kr01, BibleKind::en01}) {
        if (!present(kind == BibleKind::kr01 ? "01창세기.txt" : "01Genesis.txt") ||
            !present(kind == BibleKind::kr01 ? "66요한계시록.txt" : "66Revelation.txt")) {
            continue;
        }
        ++translations;
        TestAppContext app(LUMENSCROLL_RESOURCE_DIR);
        UserSettings settings;
        openPages(settings, app.context(), {BibleStructure{}});
        BibleView page = makePage(settings, app.context(), 0);

        page.loadPageText(0, 1, kind);
        const BibleStructure& first = settings.selectedBibleArray()[0];
        ASSERT_EQ(first.praises.size(), 31u);
        EXPECT_EQ(first.praises[0].word, kind == BibleKind::kr01
                                             ? " 태초에 하나님이 천지를 창조하시니라"
                                             : " In the beginning God created the heaven and the earth.");
        // Chapter 2 begins after the 31st line.
        page.loadPageText(0, 2, kind);
        EXPECT_EQ(settings.selectedBibleArray()[0].praises.size(), 25u);
        EXPECT_EQ(settings.selectedBibleArray()[0].praises[0].index, 0);
        // The last chapter of the last book.
        page.loadPageText(65, 22, kind);
        EXPECT_EQ(settings.selectedBibleArray()[0].praises.size(), 21u);
    }
    if (translations == 0) {
        GTEST_SKIP() << "no text resources were built";
    }
}

} // namespace
} // namespace lumenscroll
