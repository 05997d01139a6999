#include "app/reading/ChapterText.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {
namespace {

using Lines = std::vector<std::string_view>;

std::vector<std::string> words(const std::vector<BiblePraise>& verses) {
    std::vector<std::string> result;
    for (const BiblePraise& verse : verses) {
        result.push_back(verse.word);
    }
    return result;
}

TEST(ChapterTextLines, CutsEachTranslationOnlyAtItsOwnLineEndAndDropsEmptyLines) {
    EXPECT_EQ(ChapterText::lines("1:1 a\n\n1:2 b\n", BibleKind::kr01), (Lines{"1:1 a", "1:2 b"}));
    EXPECT_EQ(ChapterText::lines("\n1:1 a\n1:2 b", BibleKind::kr01), (Lines{"1:1 a", "1:2 b"}));
    EXPECT_EQ(ChapterText::lines("1:1 a\r\n\r\n1:2 b\r\n", BibleKind::en01), (Lines{"1:1 a", "1:2 b"}));

    // A Korean file with CR LF, or an English one with LF alone, is one single line.
    EXPECT_EQ(ChapterText::lines("1:1 a\r\n1:2 b\r\n", BibleKind::kr01), (Lines{"1:1 a\r\n1:2 b\r\n"}));
    EXPECT_EQ(ChapterText::lines("1:1 a\n1:2 b\n", BibleKind::en01), (Lines{"1:1 a\n1:2 b\n"}));
    // A CR alone ends no line in either.
    EXPECT_EQ(ChapterText::lines("1:1 a\r1:2 b\n", BibleKind::kr01), (Lines{"1:1 a\r1:2 b"}));
    EXPECT_EQ(ChapterText::lines("1:1 a\r1:2 b\r\n", BibleKind::en01), (Lines{"1:1 a\r1:2 b"}));
    // After a CR LF pair, an LF of its own ends a Korean line.
    EXPECT_EQ(ChapterText::lines("a\r\n\nb", BibleKind::kr01), (Lines{"a\r\n", "b"}));

    EXPECT_TRUE(ChapterText::lines("1:1 a\n", BibleKind::kr03).empty());
    EXPECT_TRUE(ChapterText::lines("", BibleKind::kr01).empty());
    EXPECT_TRUE(ChapterText::lines("\n\n\n", BibleKind::kr01).empty());
}

TEST(ChapterTextLines, FindsAChapterByTheVerseCountTableAloneAndClampsToTheLinesThereAre) {
    const std::string text = testing::bookText(0, BibleKind::kr01);
    const Lines lines = ChapterText::lines(text, BibleKind::kr01);
    // Genesis 1 has 31 verses, Genesis 2 has 25.
    const auto first = ChapterText::chapterLines(lines, BibleBook::genesis, 1);
    ASSERT_EQ(first.size(), 31u);
    EXPECT_EQ(first.front(), "1:1 word 1.1");
    const auto second = ChapterText::chapterLines(lines, BibleBook::genesis, 2);
    ASSERT_EQ(second.size(), 25u);
    EXPECT_EQ(second.front(), "2:1 word 2.1");
    EXPECT_EQ(ChapterText::chapterLines(lines, BibleBook::genesis, 50).back(), "50:26 word 50.26");

    // The numbers in the lines play no part: an extra line shifts what the next chapter shows.
    const std::string shifted = "1:0 extra\n" + text;
    EXPECT_EQ(ChapterText::chapterLines(ChapterText::lines(shifted, BibleKind::kr01), BibleBook::genesis, 2)
                  .front(),
              "1:31 word 1.31");

    // A short file gives what it has, and nothing for chapters past its end.
    const Lines shortBook{"1:1 a", "1:2 b", "1:3 c"};
    EXPECT_EQ(ChapterText::chapterLines(shortBook, BibleBook::genesis, 1).size(), 3u);
    EXPECT_TRUE(ChapterText::chapterLines(shortBook, BibleBook::genesis, 2).empty());
    EXPECT_TRUE(ChapterText::chapterLines(shortBook, BibleBook::genesis, 50).empty());

    // Chapters the book does not have.
    EXPECT_TRUE(ChapterText::chapterLines(lines, BibleBook::genesis, 0).empty());
    EXPECT_TRUE(ChapterText::chapterLines(lines, BibleBook::genesis, 51).empty());
    EXPECT_TRUE(ChapterText::chapterLines(lines, BibleBook::genesis, -1).empty());
}

TEST(ChapterTextLine, KeepsTheTextFromTheBlankAfterTheVerseToken) {
    const ChapterText::Line plain = ChapterText::parseLine("1:1 태초에 하나님이");
    EXPECT_EQ(plain.word, " 태초에 하나님이");
    EXPECT_FALSE(plain.merged);
    EXPECT_FALSE(plain.hasTheme);

    // Colons in the text stay there, and make a line with a range token an ordinary line.
    const ChapterText::Line colons = ChapterText::parseLine("3:16-17 see 1:2 and 3:4");
    EXPECT_EQ(colons.word, " see 1:2 and 3:4");
    EXPECT_FALSE(colons.merged);

    EXPECT_EQ(ChapterText::parseLine("1:1").word, "");
    EXPECT_EQ(ChapterText::parseLine("1:").word, "");
    EXPECT_EQ(ChapterText::parseLine("no colon at all").word, "");
    EXPECT_EQ(ChapterText::parseLine("").word, "");
    EXPECT_EQ(ChapterText::parseLine(":1 x").word, " x");
}

TEST(ChapterTextLine, ReadsAHeadingBeforeTheVerseText) {
    const ChapterText::Line heading = ChapterText::parseLine("1:1 <천지 창조> 태초에");
    EXPECT_TRUE(heading.hasTheme);
    EXPECT_EQ(heading.theme, "천지 창조");
    EXPECT_EQ(heading.word, " 태초에");

    // The verse text runs to the next ">".
    const ChapterText::Line extra = ChapterText::parseLine("1:1 <H> text > more");
    EXPECT_EQ(extra.word, " text ");

    // Empty pieces between ">" are dropped.
    EXPECT_EQ(ChapterText::parseLine("1:1 <H>>T").word, "T");

    // A heading with nothing after it: no heading, an empty verse.
    const ChapterText::Line bare = ChapterText::parseLine("1:1 <H>");
    EXPECT_FALSE(bare.hasTheme);
    EXPECT_EQ(bare.theme, "");
    EXPECT_EQ(bare.word, "");
    EXPECT_FALSE(ChapterText::parseLine("1:1 <").hasTheme);

    // "<" without the blank before it is text.
    const ChapterText::Line noBlank = ChapterText::parseLine("1:1 x <H> y");
    EXPECT_FALSE(noBlank.hasTheme);
    EXPECT_EQ(noBlank.word, " x <H> y");

    // A merged line may carry a heading too.
    const ChapterText::Line mergedHeading = ChapterText::parseLine("5:1-2 <H> T");
    EXPECT_TRUE(mergedHeading.merged);
    EXPECT_EQ(mergedHeading.word, " T");
}

TEST(ChapterTextVerses, AMergedLineGivesTwoVersesAndSkipsTheLineAfterIt) {
    const Lines chapter{"3:14 a", "3:15 <H> b", "3:16-17 both", "3:17 skipped", "3:18 c"};
    const std::vector<BiblePraise> verses = ChapterText::verses(chapter);
    ASSERT_EQ(verses.size(), 5u);
    EXPECT_EQ(words(verses), (std::vector<std::string>{" a", " b", " both", " both", " c"}));
    for (std::size_t i = 0; i < verses.size(); ++i) {
        EXPECT_EQ(verses[i].index, static_cast<std::int64_t>(i));
        EXPECT_FALSE(verses[i].isSelected);
        EXPECT_FALSE(verses[i].hasMemo);
        EXPECT_FALSE(verses[i].bookmarked);
        EXPECT_EQ(verses[i].bgColor, 0);
        EXPECT_EQ(verses[i].memoTitle, "");
        ASSERT_NE(verses[i].memo, nullptr);
        EXPECT_EQ(*verses[i].memo, Memo{});
    }
    EXPECT_TRUE(verses[1].hasTheme);
    EXPECT_EQ(verses[1].theme, "H");
    // The second verse of the pair has a note of its own and no heading.
    EXPECT_NE(verses[2].memo, verses[3].memo);
    EXPECT_FALSE(verses[3].hasTheme);
    EXPECT_EQ(verses[3].theme, "");

    // A heading on the merged line stays with its first verse.
    const std::vector<BiblePraise> headed = ChapterText::verses(Lines{"1:1-2 <H> t", "1:2 x"});
    ASSERT_EQ(headed.size(), 2u);
    EXPECT_TRUE(headed[0].hasTheme);
    EXPECT_FALSE(headed[1].hasTheme);
    EXPECT_EQ(headed[1].word, " t");
}

TEST(ChapterTextVerses, EveryVerseHasANoteOfItsOwn) {
    const std::vector<BiblePraise> verses = ChapterText::verses(Lines{"1:1 a", "1:2 b"});
    ASSERT_EQ(verses.size(), 2u);
    EXPECT_NE(verses[0].memo, verses[1].memo);
}

TEST(ChapterTextVerses, AMergedLineAtTheEndOfAChapterStillGivesBothVerses) {
    // As the Korean 3 John ends: 14 lines in the table, the last one carrying verses 14 and 15.
    const std::vector<BiblePraise> verses = ChapterText::verses(Lines{"1:13 a", "1:14-15 b"});
    ASSERT_EQ(verses.size(), 3u);
    EXPECT_EQ(verses[2].index, 2);
    EXPECT_EQ(verses[2].word, " b");
}

TEST(ChapterTextVerses, ReadsAChapterOfAWholeBookFile) {
    std::string text = testing::bookText(0, BibleKind::en01);
    // Genesis 3: lines 32 + 25 = 57 onwards; make its verses 16 and 17 one merged line.
    const std::string from = "3:16 the word 3.16\r\n3:17 the word 3.17";
    text.replace(text.find(from), from.size(), "3:16-17 merged\r\n3:17 dropped");
    // An empty line anywhere does not shift the verses.
    text.insert(0, "\r\n");

    const std::vector<BiblePraise> verses =
        ChapterText::chapterVerses(text, BibleKind::en01, BibleBook::genesis, 3);
    ASSERT_EQ(verses.size(), 24u);
    EXPECT_EQ(verses[0].word, " the word 3.1");
    EXPECT_EQ(verses[15].index, 15);
    EXPECT_EQ(verses[15].word, " merged");
    EXPECT_EQ(verses[16].index, 16);
    EXPECT_EQ(verses[16].word, " merged");
    EXPECT_EQ(verses[17].index, 17);
    EXPECT_EQ(verses[17].word, " the word 3.18");

    EXPECT_TRUE(ChapterText::chapterVerses(text, BibleKind::kr01, BibleBook::genesis, 3).empty());
    EXPECT_TRUE(ChapterText::chapterVerses(text, BibleKind::en02, BibleBook::genesis, 3).empty());
}

} // namespace
} // namespace lumenscroll
