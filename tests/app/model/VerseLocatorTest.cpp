#include "app/model/VerseLocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumenscroll {
namespace {

TEST(VerseLocator, TextRoundTripsAtTheEndsOfTheTables) {
    const VerseLocator first = *VerseLocator::make(0, 0, 0);
    EXPECT_EQ(first.text(), "0@0@0");
    const VerseLocator last = *VerseLocator::make(65, 21, 20);
    EXPECT_EQ(last.text(), "65@21@20");
    EXPECT_EQ(last.book, BibleBook::revelation);
    EXPECT_EQ(VerseLocator::parse(first.text()), first);
    EXPECT_EQ(VerseLocator::parse(last.text()), last);
    EXPECT_EQ(last.chapterNumber(), 22);
    EXPECT_EQ(last.verseNumber(), 21);
}

TEST(VerseLocator, ParseTakesSignsAndSkipsEmptyPieces) {
    EXPECT_EQ(VerseLocator::parse("+5@2@10"), VerseLocator::make(5, 2, 10));
    EXPECT_EQ(VerseLocator::parse("@5@@2@10@"), VerseLocator::make(5, 2, 10));
    // Only the first three pieces count.
    EXPECT_EQ(VerseLocator::parse("5@2@10@anything"), VerseLocator::make(5, 2, 10));
}

TEST(VerseLocator, RefusesWhatTheTablesDoNotHold) {
    const std::string_view invalid[] = {
        "",
        "0@0",
        "@@",
        "a@0@0",
        "0@0@1x",
        "0@ 0@0",
        "+-1@0@0",
        "0@0@+",
        "-1@0@0",
        "66@0@0",
        "0@50@0",
        "0@-1@0",
        "0@0@31",
        "0@0@-1",
        "18@150@0",
        "18@149@6",
        "99999999999999999999@0@0",
    };
    for (const std::string_view text : invalid) {
        EXPECT_EQ(VerseLocator::parse(text), std::nullopt) << text;
    }
    // Genesis 1 has 31 verses, Psalm 150 six.
    EXPECT_TRUE(VerseLocator::parse("0@0@30"));
    EXPECT_TRUE(VerseLocator::parse("18@149@5"));
    // The texts end 1 Samuel 30 with one line for verses 30 and 31: the table counts 30 lines.
    EXPECT_TRUE(VerseLocator::parse("8@29@30"));
    EXPECT_FALSE(VerseLocator::parse("8@29@31"));
}

TEST(VerseLocator, NumbersAreReadAsTheyStandWithoutTheTables) {
    using Numbers = std::optional<VerseLocator::Numbers>;
    const auto read = [](std::string_view text) {
        const Numbers numbers = VerseLocator::numbers(text);
        return numbers ? std::vector{numbers->bookIndex, numbers->chapterIndex, numbers->verseIndex}
                       : std::vector<std::optional<std::int64_t>>{};
    };
    EXPECT_EQ(read("70@-3@999"), (std::vector<std::optional<std::int64_t>>{70, -3, 999}));
    EXPECT_EQ(read("+5@@2@10@x"), (std::vector<std::optional<std::int64_t>>{5, 2, 10}));
    // A piece that is no number reads as none; eighteen digits are the most a number has.
    EXPECT_EQ(read("a@999999999999999999@1234567890123456789"),
              (std::vector<std::optional<std::int64_t>>{std::nullopt, 999999999999999999, std::nullopt}));
    EXPECT_TRUE(read("0@0").empty());
    EXPECT_TRUE(read("").empty());
}

} // namespace
} // namespace lumenscroll
