#include "app/reading/VerseCopy.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using testing::chapterRecord;

// Verse n of the fixture chapters reads "<prefix> n".
std::vector<bool> selecting(std::size_t count, std::initializer_list<std::size_t> verses) {
    std::vector<bool> flags(count, false);
    for (const std::size_t verse : verses) {
        flags[verse - 1] = true;
    }
    return flags;
}

TEST(VerseCopy, TheTextIsTheBracketedReferenceThenEachSelectedVerse) {
    const BibleStructure leviticus = chapterRecord(2, 2, BibleKind::kr01, 10, "말씀");
    BibleStructure unloaded = leviticus;
    unloaded.order = -1;
    const BibleStructure john = chapterRecord(42, 2, BibleKind::en01, 20, "For God");
    const struct {
        const char* name;
        BibleStructure page;
        std::vector<bool> selection;
        std::string text;
    } cases[] = {
        {"a range with a gap", leviticus, selecting(10, {5, 9}), "[레3:5-9] 말씀 5 말씀 9"},
        {"one verse", leviticus, selecting(10, {5}), "[레3:5] 말씀 5"},
        {"first and last", leviticus, selecting(10, {1, 2, 10}), "[레3:1-10] 말씀 1 말씀 2 말씀 10"},
        {"an English page keeps the Korean abbreviation", john, selecting(20, {16}), "[요3:16] For God 16"},
        {"no book in order takes sectionIndex", unloaded, selecting(10, {2, 3}), "[레3:2-3] 말씀 2 말씀 3"},
        {"flags beyond the verses are skipped", leviticus, selecting(12, {4, 11, 12}), "[레3:4] 말씀 4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VerseCopy::of(c.page, c.selection), (VerseCopy{.text = c.text, .notice = {}})) << c.name;
    }
}

TEST(VerseCopy, NothingSelectedAsksForASelectionAndAPageWithoutVersesDoesNothing) {
    const BibleStructure leviticus = chapterRecord(2, 2, BibleKind::kr01, 10, "말씀");
    const VerseCopy notice{.text = {}, .notice = "복사할 구절을 선택해 주세요."};
    EXPECT_EQ(VerseCopy::of(leviticus, selecting(10, {})), notice);
    EXPECT_EQ(VerseCopy::of(leviticus, selecting(12, {11})), notice);
    EXPECT_EQ(VerseCopy::of(leviticus, {}), VerseCopy{});
}

} // namespace
} // namespace lumenscroll
