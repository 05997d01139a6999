#include "app/model/BibleKind.h"

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

TEST(BibleKind, FromRawAcceptsOnlyZeroToSix) {
    EXPECT_EQ(bibleKindFromRaw(0), BibleKind::kr01);
    EXPECT_EQ(bibleKindFromRaw(6), BibleKind::en03);
    EXPECT_EQ(bibleKindFromRaw(7), std::nullopt);
    EXPECT_EQ(bibleKindFromRaw(-1), std::nullopt);
    for (std::int64_t raw = 0; raw < bibleKindCount; ++raw)
        EXPECT_EQ(rawValue(*bibleKindFromRaw(raw)), raw);
}

TEST(BibleKind, DisplayNamesAndLanguageCodes) {
    const std::string_view names[] = {"개역한글",       "KJV", "개역개정", "표준새번역",
                                      "한글킹제임스역", "ASV", "NIV"};
    // kr02 is tagged "en" on purpose: the choosers show it with English book names.
    const std::string_view languages[] = {"kr", "en", "en", "kr", "kr", "en", "en"};
    const std::string_view cases[] = {"kr01", "en01", "kr02", "kr03", "kr04", "en02", "en03"};
    for (std::int64_t raw = 0; raw < bibleKindCount; ++raw) {
        const auto kind = *bibleKindFromRaw(raw);
        EXPECT_EQ(translationDisplayName(raw), names[raw]) << raw;
        EXPECT_EQ(translationDisplayName(kind), names[raw]) << raw;
        EXPECT_EQ(languageCode(kind), languages[raw]) << raw;
        EXPECT_EQ(caseName(kind), cases[raw]) << raw;
    }
}

TEST(BibleKind, DisplayNameOfUnknownRawValueIsEmpty) {
    EXPECT_EQ(translationDisplayName(7), "");
    EXPECT_EQ(translationDisplayName(-1), "");
}

} // namespace
} // namespace lumenscroll
