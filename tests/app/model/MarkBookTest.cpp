#include "app/model/MarkBook.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using Chapter = MarkBook::Chapter;

const Chapter genesis1{BibleKind::kr01, 0, 0};

std::shared_ptr<const Memo> note(std::string text) {
    Memo memo;
    memo.memoContent = std::move(text);
    return std::make_shared<const Memo>(std::move(memo));
}

// Verse `verse`'s marks: its highlight, its bookmark, its note.
MarkedVerse marks(std::int64_t verse, std::int64_t color, bool bookmark = false,
                  std::shared_ptr<const Memo> memo = std::make_shared<const Memo>()) {
    return MarkedVerse{verse, color, bookmark, false, "", std::move(memo)};
}

BibleStructure page(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verses) {
    BibleStructure record;
    record.sectionIndex = book;
    record.versesIndex = chapterIndex;
    record.kindOfBible = kind;
    record.praises.resize(static_cast<std::size_t>(verses));
    return record;
}

TEST(MarkBook, AChapterIsOfTheTablesAndAPageOnNoChapterYetIsOnItsFirst) {
    EXPECT_EQ(MarkBook::chapterOf(page(18, 22, BibleKind::en01, 0)), (Chapter{BibleKind::en01, 18, 22}));
    EXPECT_EQ(MarkBook::chapterOf(page(0, -1, BibleKind::kr01, 0)), genesis1);
    for (const BibleStructure& outside : {page(66, 0, BibleKind::kr01, 0), page(-1, 0, BibleKind::kr01, 0),
                                          page(65, 22, BibleKind::kr01, 0), page(0, 50, BibleKind::kr01, 0)}) {
        EXPECT_FALSE(MarkBook::chapterOf(outside)) << outside.sectionIndex << " " << outside.versesIndex;
    }
}

TEST(MarkBook, AVerseKeepsItsLastMarksAndBlankMarksTakeItOut) {
    MarkBook book;
    book.put(genesis1, marks(3, 4));
    book.put(genesis1, marks(1, 0, true));
    book.put(genesis1, marks(3, 2, false, note("빛")));
    book.put(genesis1, marks(-1, 0, true));
    ASSERT_NE(book.chapter(genesis1), nullptr);
    ASSERT_EQ(book.chapter(genesis1)->verses.size(), 2u);
    EXPECT_EQ(book.chapter(genesis1)->verses[0].verse, 1);
    EXPECT_EQ(book.marks(genesis1, 3), marks(3, 2, false, note("빛")));
    EXPECT_TRUE(book.marks(genesis1, 2).isBlank());
    EXPECT_TRUE(book.marks({BibleKind::en01, 0, 0}, 3).isBlank());

    book.put(genesis1, marks(1, 0));
    book.put(genesis1, marks(3, 0));
    EXPECT_TRUE(book.isEmpty());
}

TEST(MarkBook, APageShowsItsChapterMarksAndNoneWhereTheBookHasNone) {
    MarkBook book;
    book.put(genesis1, MarkedVerse{1, 4, true, true, "묵상", note("빛")});
    BibleStructure shown = page(0, 0, BibleKind::kr01, 3);
    shown.praises[0].bgColor = 7;
    shown.praises[1].word = "빛이 있으라";
    EXPECT_FALSE(book.isShownBy(shown));
    book.showOn(shown);
    EXPECT_TRUE(book.isShownBy(shown));
    EXPECT_EQ(shown.praises[0].bgColor, 0);
    EXPECT_EQ(shown.praises[1].word, "빛이 있으라");
    EXPECT_TRUE(book.marks(genesis1, 1).isShownBy(shown.praises[1]));

    // A page on no chapter of the tables keeps its own marks.
    BibleStructure nowhere = page(70, 0, BibleKind::kr01, 1);
    nowhere.praises[0].bookmarked = true;
    EXPECT_TRUE(book.isShownBy(nowhere));
    book.showOn(nowhere);
    EXPECT_TRUE(nowhere.praises[0].bookmarked);
}

TEST(MarkBook, PagesMarksGoInForTheChaptersItLacksTheFirstPageOfAChapterStandingForEachKind) {
    MarkBook book;
    book.put({BibleKind::kr01, 18, 22}, marks(0, 0, true));
    BibleStructure first = page(0, 0, BibleKind::kr01, 3);
    first.praises[0].bgColor = 2;
    first.praises[1].memo = note("첫 페이지");
    BibleStructure second = page(0, 0, BibleKind::kr01, 3);
    second.praises[0].bgColor = 5;
    second.praises[0].bookmarked = true;
    second.praises[1].memo = note("둘째 페이지");
    second.praises[2].hasMemo = true;
    // A chapter the book holds already keeps its marks as they are.
    BibleStructure psalm = page(18, 22, BibleKind::kr01, 2);
    psalm.praises[1].bgColor = 3;

    book.takeMarksOfChaptersMissing({first, second, psalm});
    EXPECT_EQ(book.marks(genesis1, 0), marks(0, 2, true));
    EXPECT_EQ(book.marks(genesis1, 1).memo->memoContent, "첫 페이지");
    EXPECT_TRUE(book.marks(genesis1, 2).hasMemo);
    EXPECT_TRUE(book.marks({BibleKind::kr01, 18, 22}, 1).isBlank());
}

TEST(MarkBook, AChapterAsAFileHoldsItIsTakenInVerseOrderTheLastOfATwiceNamedVerseStanding) {
    MarkBook book;
    book.put(genesis1, marks(2, 1));
    book.put(genesis1, marks(7, 0, true));
    EXPECT_TRUE(book.add(
        {BibleKind::kr01, 0, 0, {marks(9, 3), marks(2, 5), marks(4, 0, true), marks(9, 6), marks(-2, 6), marks(5, 0)}}));
    std::vector<std::int64_t> verses;
    for (const MarkedVerse& verse : book.chapter(genesis1)->verses) {
        verses.push_back(verse.verse);
    }
    EXPECT_EQ(verses, (std::vector<std::int64_t>{2, 4, 7, 9}));
    EXPECT_EQ(book.marks(genesis1, 2).bgColor, 5);
    EXPECT_EQ(book.marks(genesis1, 9).bgColor, 6);

    EXPECT_FALSE(book.add({BibleKind::kr01, 66, 0, {marks(1, 0, true)}}));
    EXPECT_FALSE(book.add({BibleKind::kr01, 0, 50, {marks(1, 0, true)}}));
    EXPECT_EQ(book.chapters().size(), 1u);
}

} // namespace
} // namespace lumenscroll
