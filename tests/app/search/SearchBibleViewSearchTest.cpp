#include "SearchTestSupport.h"

#include "app/model/BibleBook.h"

#include <QDir>
#include <QFile>

namespace lumenscroll::testing {
namespace {

using Lines = std::vector<std::string>;

// Genesis in Korean: a few verses that share words, a heading, a merged verse and mixed case.
class SearchTest : public SearchPageTest {
protected:
    void SetUp() override {
        std::string text = bookText(0, {{{1, 1}, " 태초에 하나님이 천지를 창조하시니라"},
                                        {{1, 2}, " 사랑 그리고 믿음"},
                                        {{1, 3}, " 믿음"},
                                        {{1, 5}, " 소망의 말씀"},
                                        {{1, 6}, " 소망의 말씀은 읽히지 않음"},
                                        {{1, 7}, " 사랑"},
                                        {{2, 1}, " <축복>사랑과 믿음과 소망"},
                                        {{3, 4}, " LOVE은 Love"}});
        // Verse 5 carries verse 6: the line that would hold 6 is never read.
        text.replace(text.find("1:5 "), 4, "1:5-6 ");
        addBook(BibleKind::kr01, 0, text);
    }

    Lines hits() const { return page->foundWordArray(); }
    Lines locators() const { return page->foundWordLocation(); }
};

TEST_F(SearchTest, VersesWithMoreWordsComeFirstEachGroupInBibleOrder) {
    searchFor("믿음 사랑");
    // 1:3 holds only 믿음: it follows 2:1, which holds both, though it comes first in the Bible.
    EXPECT_EQ(hits(), (Lines{"[창세기 1:2]  사랑 그리고 믿음", "[창세기 2:1] 사랑과 믿음과 소망",
                             "[창세기 1:3]  믿음", "[창세기 1:7]  사랑"}));
    EXPECT_EQ(locators(), (Lines{"0@0@1", "0@1@0", "0@0@2", "0@0@6"}));
    EXPECT_FALSE(page->findBtn());
    EXPECT_FALSE(page->enteredSearchView());
    EXPECT_EQ(page->message(), SearchBibleView::Message::none);
}

TEST_F(SearchTest, AWordGivenTwiceCountsTwice) {
    searchFor("사랑 믿음 믿음");
    EXPECT_EQ(locators(), (Lines{"0@0@1", "0@1@0", "0@0@2", "0@0@6"}));
    searchFor("사랑 사랑 믿음");
    // 1:7 (사랑 twice) now ranks above 1:3 (믿음 once).
    EXPECT_EQ(locators(), (Lines{"0@0@1", "0@1@0", "0@0@6", "0@0@2"}));
}

TEST_F(SearchTest, CaseIsIgnoredAndWordsMatchInsideLongerWords) {
    for (const std::string query : {"love", "LoVe", "ov", "Love은"}) {
        searchFor(query);
        EXPECT_EQ(hits(), Lines{"[창세기 3:4]  LOVE은 Love"}) << query;
    }
    searchFor("태초");
    EXPECT_EQ(hits(), Lines{"[창세기 1:1]  태초에 하나님이 천지를 창조하시니라"});
    EXPECT_EQ(locators(), Lines{"0@0@0"});
}

TEST_F(SearchTest, AMergedVerseIsTwoHitsWithTheirOwnReferences) {
    searchFor("소망의");
    EXPECT_EQ(hits(), (Lines{"[창세기 1:5]  소망의 말씀", "[창세기 1:6]  소망의 말씀"}));
    EXPECT_EQ(locators(), (Lines{"0@0@4", "0@0@5"}));
}

TEST_F(SearchTest, EverySubmittedTextButAnEmptyOneSaysItFoundNothingAndEverySearchEndsThePrompt) {
    using Message = SearchBibleView::Message;
    const struct {
        std::string query;
        bool hits;
        Message message;
    } cases[] = {
        // Nothing was asked for.
        {"", false, Message::none},
        // Blanks and commas part into no word, or into commas this Genesis does not hold: a
        // query was submitted all the same, and nothing was found for it.
        {"   ", false, Message::notFound},
        {",", false, Message::notFound},
        {" , ", false, Message::notFound},
        {" , ,", false, Message::notFound},
        {"없는말", false, Message::notFound},
        {"믿음", true, Message::none},
    };
    for (const auto& c : cases) {
        // The page as it comes on screen: empty, with the prompt.
        page = std::make_unique<SearchBibleView>(Binding<std::int64_t>::to(pageIndex),
                                                 Binding<bool>::to(openSearch), settings, test.context());
        page->appear();
        settle();
        ASSERT_EQ(page->message(), Message::prompt);
        searchFor(c.query);
        EXPECT_EQ(!hits().empty(), c.hits) << '"' << c.query << '"';
        EXPECT_EQ(page->message(), c.message) << '"' << c.query << '"';
        EXPECT_FALSE(page->findBtn());
    }
    EXPECT_EQ(SearchBibleView::notFoundText, "검색하신 단어는 찾을 수 없었습니다.");
}

TEST_F(SearchTest, NotFoundShowsOnlyAfterASearchThatFoundNothingUntilTheQueryOrTranslationChanges) {
    using Message = SearchBibleView::Message;
    searchFor("믿음");
    // Typing the next query empties the list, and nothing was searched for yet.
    page->searchWord.set("없");
    settle();
    ASSERT_TRUE(hits().empty());
    EXPECT_EQ(page->message(), Message::none);

    searchFor("없는말");
    EXPECT_EQ(page->message(), Message::notFound);
    page->searchWord.set("없는말이");
    settle();
    EXPECT_EQ(page->message(), Message::none);

    searchFor("없는말");
    page->kindOfBible.set(BibleKind::kr03);
    settle();
    EXPECT_EQ(page->message(), Message::none);
}

TEST_F(SearchTest, TheFirstSearchLoadsTheTranslationOnceReadingEachBookOnce) {
    searchFor("믿음");
    // Genesis is read once for its 50 chapters; each of the 65 missing books is reported once.
    EXPECT_EQ(traced(QStringLiteral("file is not exist")), 65);
    EXPECT_TRUE(settings.SearchBibleLoadedAll->at("kr"));
    const auto& genesis = settings.loadedBibleWordsContainers->at("개역한글")[0];
    ASSERT_EQ(genesis.size(), 51U);
    EXPECT_EQ(genesis[0].versesIndex, 1);
    EXPECT_EQ(genesis[0].name, "창세기");
    EXPECT_EQ(genesis[0].praises.size(), 31U);
    EXPECT_EQ(genesis[49].versesIndex, 50);
    EXPECT_EQ(genesis[50].praises.size(), 1U); // the filler
    EXPECT_EQ(genesis[50].praises[0].word, "");
    EXPECT_FALSE(settings.isSearchingNow());
    EXPECT_EQ(settings.loadingSection(), "loading 66요한계시록...");

    // Later searches, on this page or a new one, read no file: the text is gone and still found.
    const Lines first = locators();
    ASSERT_TRUE(
        QFile::remove(QDir(test.context().resources().directory()).filePath(QStringLiteral("01창세기.txt"))));
    test.traceCapture().clear();
    searchFor("믿음");
    page = std::make_unique<SearchBibleView>(Binding<std::int64_t>::to(pageIndex),
                                             Binding<bool>::to(openSearch), settings, test.context());
    searchFor("믿음");
    EXPECT_EQ(locators(), first);
    EXPECT_EQ(traced(QStringLiteral("file is not exist")), 0);
}

TEST_F(SearchTest, ALoadThatCannotFileTheTranslationStillEndsTheSearch) {
    settings.bibleSectionCount.set(10);
    searchFor("믿음");
    EXPECT_TRUE(hits().empty());
    EXPECT_FALSE(page->findBtn());
    EXPECT_FALSE(settings.isSearchingNow());
    // So the next search runs.
    settings.bibleSectionCount.set(66);
    searchFor("믿음");
    EXPECT_EQ(hits().size(), 3U);
}

TEST_F(SearchTest, MalformedLinesKeepTheVersesAfterThemInPlace) {
    std::string text = bookText(0, {{{1, 2}, " <heading only>"}, {{1, 3}, ""}, {{1, 4}, " 사랑"}});
    const std::string first = "1:1 말씀 1.1";
    text.replace(text.find(first), first.size(), "no colon here");
    addBook(BibleKind::kr01, 0, text);
    searchFor("사랑");
    EXPECT_EQ(hits(), Lines{"[창세기 1:4]  사랑"});
    EXPECT_EQ(locators(), Lines{"0@0@3"});
}

TEST_F(SearchTest, TranslationsSharingALanguageAreEachLoaded) {
    addBook(BibleKind::en01, 0, bookText(0, {{{1, 1}, " In the beginning God created"}}, "\r\n"));
    // 개역개정 has no text; its books are named in English and its chapters are Korean.
    page->kindOfBible.set(BibleKind::kr02);
    settle();
    searchFor("God");
    EXPECT_TRUE(hits().empty());
    EXPECT_TRUE(settings.SearchBibleLoadedAll->at("en"));
    const auto& genesis = settings.loadedBibleWordsContainers->at("개역개정")[0][0];
    EXPECT_EQ(genesis.name, "Genesis");
    EXPECT_EQ(genesis.language, "kr");
    EXPECT_TRUE(genesis.praises.empty());

    // "en" is marked loaded, but the KJV was never filed: it is loaded now.
    page->kindOfBible.set(BibleKind::en01);
    settle();
    searchFor("god");
    EXPECT_EQ(hits(), Lines{"[Genesis 1:1]  In the beginning God created"});
    EXPECT_EQ(settings.loadedBibleWordsContainers->at("KJV")[0][0].language, "en");
}

TEST_F(SearchTest, LoadingChaptersOfABookInOrderFilesThemBeforeOneFiller) {
    for (std::int64_t chapter = 1; chapter <= 50; ++chapter) {
        page->loadChapterForSearch(0, chapter);
    }
    const auto& genesis = settings.loadedBiblesArray()[0];
    ASSERT_EQ(genesis.size(), 51U);
    for (std::int64_t chapter = 1; chapter <= 50; ++chapter) {
        EXPECT_EQ(genesis[static_cast<std::size_t>(chapter - 1)].versesIndex, chapter);
        EXPECT_EQ(genesis[static_cast<std::size_t>(chapter - 1)].order, 0);
    }
    EXPECT_EQ(genesis[0].praises[1].word, " 사랑 그리고 믿음");
    EXPECT_TRUE(genesis[1].praises[0].hasTheme);
    EXPECT_EQ(genesis[1].praises[0].theme, "축복");
    EXPECT_EQ(page->selectedBible()->versesIndex, 50);
    // The busy flag went up with the first chapter and stays up until the last book's.
    EXPECT_TRUE(settings.isSearchingNow());
    // Invalid books and chapters are left alone.
    page->loadChapterForSearch(66, 1);
    page->loadChapterForSearch(0, 51);
    EXPECT_EQ(settings.loadedBiblesArray()[0].size(), 51U);
}

} // namespace
} // namespace lumenscroll::testing
