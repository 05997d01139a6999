#include "app/model/BibleBook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <numeric>
#include <set>
#include <vector>

namespace lumenscroll {
namespace {

using ::testing::ElementsAre;

std::vector<std::int64_t> verses(std::int64_t book) {
    const auto counts = versesPerChapter(*bibleBookFromRaw(book));
    return {counts.begin(), counts.end()};
}

std::int64_t verseTotal(std::int64_t book) {
    const auto counts = versesPerChapter(*bibleBookFromRaw(book));
    return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

TEST(BibleBook, FromRawAcceptsOnlyZeroToSixtyFive) {
    EXPECT_EQ(bibleBookFromRaw(0), BibleBook::genesis);
    EXPECT_EQ(bibleBookFromRaw(65), BibleBook::revelation);
    EXPECT_EQ(bibleBookFromRaw(66), std::nullopt);
    EXPECT_EQ(bibleBookFromRaw(-1), std::nullopt);
    EXPECT_TRUE(isOldTestament(BibleBook::malachi));
    EXPECT_FALSE(isOldTestament(BibleBook::matthew));
}

TEST(VerseTable, HoldsAllChaptersAndVerses) {
    std::int64_t chapters = 0;
    std::int64_t total = 0;
    for (std::int64_t book = 0; book < bibleBookCount; ++book) {
        chapters += static_cast<std::int64_t>(verses(book).size());
        total += verseTotal(book);
    }
    EXPECT_EQ(chapters, 1189);
    EXPECT_EQ(total, 31099);
}

// Book totals of the King James division, less one in the three books whose shipped texts
// have a chapter one verse short. A slip in any single entry shows here.
TEST(VerseTable, BookTotalsMatchTheShippedDivision) {
    const std::int64_t totals[bibleBookCount] = {
        1533, 1213, 859, 1288, 959, 658,  618,  85,   809,  695,  816, 719, 942, 822, 280, 406, 167,
        1070, 2460, 915, 222,  117, 1292, 1364, 154,  1273, 357,  197, 73,  146, 21,  48,  105, 47,
        56,   53,   38,  211,  55,  1071, 678,  1151, 879,  1007, 433, 437, 256, 149, 155, 104, 95,
        89,   47,   113, 83,   46,  25,   303,  108,  105,  61,   105, 13,  14,  25,  404};
    for (std::int64_t book = 0; book < bibleBookCount; ++book)
        EXPECT_EQ(verseTotal(book), totals[book]) << englishBookName(*bibleBookFromRaw(book));
}

TEST(VerseTable, ChapterCountsAndLastChapterIndices) {
    const std::array<std::int64_t, bibleBookCount> expected = {
        50, 40, 27, 36, 34, 24, 21, 4, 31, 24, 22, 25, 29, 36, 10, 13, 10, 42, 150, 31, 12, 8,
        66, 52, 5,  48, 12, 14, 3,  9, 1,  4,  7,  3,  3,  3,  2,  14, 4,  28, 16,  24, 21, 28,
        16, 16, 13, 6,  6,  4,  4,  5, 3,  6,  4,  3,  1,  13, 5,  5,  3,  5,  1,   1,  1,  22};
    EXPECT_EQ(chaptersPerBook(), expected);
    for (std::int64_t book = 0; book < bibleBookCount; ++book) {
        EXPECT_EQ(static_cast<std::int64_t>(verses(book).size()), expected[book]) << book;
        EXPECT_EQ(lastChapterIndexPerBook()[book], expected[book] - 1) << book;
    }
}

TEST(VerseTable, TellingRows) {
    const auto genesis = verses(0);
    ASSERT_EQ(genesis.size(), 50u);
    EXPECT_THAT(std::vector(genesis.begin(), genesis.begin() + 5), ElementsAre(31, 25, 24, 26, 32));

    const auto psalms = verses(18);
    ASSERT_EQ(psalms.size(), 150u);
    EXPECT_EQ(psalms[118], 176);
    EXPECT_EQ(psalms[116], 2);

    EXPECT_THAT(verses(30), ElementsAre(21)); // Obadiah
    EXPECT_THAT(verses(56), ElementsAre(25)); // Philemon
    EXPECT_THAT(verses(62), ElementsAre(13)); // 2 John
    EXPECT_THAT(verses(63), ElementsAre(14)); // 3 John
    EXPECT_THAT(verses(64), ElementsAre(25)); // Jude

    const auto revelation = verses(65);
    ASSERT_EQ(revelation.size(), 22u);
    EXPECT_EQ(revelation.back(), 21);
}

// The three chapters where the shipped texts have one verse fewer than the King James division.
TEST(VerseTable, ShortChapters) {
    EXPECT_EQ(verses(8).at(29), 30);  // 1 Samuel 30
    EXPECT_EQ(verses(18).at(71), 19); // Psalm 72
    EXPECT_EQ(verses(46).at(12), 13); // 2 Corinthians 13
    EXPECT_EQ(verses(46).size(), 13u);
}

TEST(BookNames, LanguageCodeIsMatchedExactly) {
    EXPECT_EQ(bookName("kr", BibleBook::genesis), "창세기");
    EXPECT_EQ(bookName("en", BibleBook::genesis), "Genesis");
    EXPECT_EQ(bookName("KR", BibleBook::genesis), "창세기");
    EXPECT_EQ(bookName("En", BibleBook::genesis), "창세기");
    EXPECT_EQ(bookName("", BibleBook::songOfSongs), "아가");
    EXPECT_EQ(bookName("en", BibleBook::songOfSongs), "SongofSongs");
    EXPECT_EQ(bookName("en", BibleBook::samuel1), "Samuel1");
    EXPECT_EQ(bookName("en", BibleBook::john3), "John3");
}

TEST(BookNames, ByIndexFallsBackToTheFirstBook) {
    EXPECT_EQ(bookNameByIndex("en", 65), "Revelation");
    EXPECT_EQ(bookNameByIndex("kr", 65), "요한계시록");
    EXPECT_EQ(bookNameByIndex("en", 66), "Genesis");
    EXPECT_EQ(bookNameByIndex("kr", -1), "창세기");
    EXPECT_EQ(bookNameByIndex("xx", 1000), "창세기");
    EXPECT_EQ(bookNameByIndex("en", std::numeric_limits<std::int64_t>::min()), "Genesis");
}

TEST(BookNames, KoreanAbbreviations) {
    const std::pair<BibleBook, std::string_view> numbered[] = {
        {BibleBook::samuel1, "삼상"},        {BibleBook::corinthians1, "고전"},
        {BibleBook::corinthians2, "고후"},   {BibleBook::thessalonians1, "살전"},
        {BibleBook::thessalonians2, "살후"}, {BibleBook::timothy1, "딤전"},
        {BibleBook::timothy2, "딤후"},       {BibleBook::peter1, "벧전"},
        {BibleBook::john1, "요일"},          {BibleBook::john3, "요삼"}};
    for (const auto& [book, abbreviation] : numbered)
        EXPECT_EQ(koreanBookAbbreviation(book), abbreviation) << rawValue(book);
    EXPECT_EQ(koreanBookAbbreviation(BibleBook::genesis), "창");
    EXPECT_EQ(koreanBookAbbreviation(BibleBook::revelation), "계");
    EXPECT_EQ(koreanBookName(BibleBook::timothy1), "디모데전서");
}

// A reference of copied verses must name one book only.
TEST(BookNames, EveryNameAndAbbreviationIsDistinct) {
    std::set<std::string_view> korean, abbreviations, english;
    for (std::int64_t index = 0; index < bibleBookCount; ++index) {
        const auto book = *bibleBookFromRaw(index);
        EXPECT_TRUE(korean.insert(koreanBookName(book)).second) << index;
        EXPECT_TRUE(abbreviations.insert(koreanBookAbbreviation(book)).second) << index;
        EXPECT_TRUE(english.insert(englishBookName(book)).second) << index;
        EXPECT_EQ(englishBookName(book).find(' '), std::string_view::npos) << index;
    }
}

} // namespace
} // namespace lumenscroll
