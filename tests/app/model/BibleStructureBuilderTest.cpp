#include "app/model/BibleStructureBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

// Every field as the loaders start a chapter's record, for books of either testament and
// translations with and without English text.
TEST(BibleStructureBuilder, StartsFromTheBookAndTheTranslation) {
    struct Case {
        BibleBook book;
        BibleKind kind;
        std::string language;
        std::string name;
        bool oldTestament;
    };
    for (const Case& c : {Case{BibleBook::genesis, BibleKind::kr01, "kr", "창세기", true},
                          Case{BibleBook::malachi, BibleKind::en01, "en", "Malachi", true},
                          Case{BibleBook::matthew, BibleKind::en01, "en", "Matthew", false},
                          Case{BibleBook::revelation, BibleKind::kr02, "kr", "요한계시록", false}}) {
        SCOPED_TRACE(c.name);
        const BibleStructure record = BibleStructureBuilder(c.book, c.kind).build();
        BibleStructure expected;
        expected.order = rawValue(c.book);
        expected.language = c.language;
        expected.name = c.name;
        expected.isOldTestment = c.oldTestament;
        expected.sectionIndex = rawValue(c.book);
        expected.kindOfBible = c.kind;
        EXPECT_EQ(record, expected);
    }
}

TEST(BibleStructureBuilder, EachStatementChangesItsFieldAlone) {
    BiblePraise verse;
    verse.word = "태초에";
    const BibleStructure record = BibleStructureBuilder(BibleBook::john, BibleKind::kr01)
                                      .chapterNumber(3)
                                      .nameIn("en")
                                      .sectionIndex(0)
                                      .verses({verse})
                                      .build();
    BibleStructure expected = BibleStructureBuilder(BibleBook::john, BibleKind::kr01).build();
    expected.versesIndex = 3;
    expected.name = "John";
    expected.sectionIndex = 0;
    expected.praises = {verse};
    EXPECT_EQ(record, expected);

    const BibleStructure filler =
        BibleStructureBuilder(BibleBook::john, BibleKind::en01).chapterIndex(2).order(0).name({}).build();
    EXPECT_EQ(filler.versesIndex, 2);
    EXPECT_EQ(filler.order, 0);
    EXPECT_EQ(filler.name, "");
    EXPECT_EQ(filler.sectionIndex, rawValue(BibleBook::john));
}

TEST(BibleStructure, ChapterNumberCountsFromOneAndReadsANegativeIndexAsTheFirstChapter) {
    for (const auto& [index, number] :
         std::vector<std::pair<std::int64_t, std::int64_t>>{{-1, 1}, {0, 1}, {4, 5}}) {
        BibleStructure record;
        record.versesIndex = index;
        EXPECT_EQ(chapterNumber(record), number) << index;
    }
}

} // namespace
} // namespace lumenscroll
