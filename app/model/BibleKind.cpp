#include "app/model/BibleKind.h"

#include "app/model/LanguageCode.h"

#include <array>

namespace lumenscroll {

namespace {

struct KindEntry {
    std::string_view caseName;
    std::string_view displayName;
    std::string_view languageCode;
};

// kr02 is tagged "en": the choosers have always shown it with English book names, and only
// kr01 and en01 ship texts, so the tag decides nothing else yet.
constexpr std::array<KindEntry, bibleKindCount> kinds{{
    {"kr01", "개역한글", koreanLanguageCode},
    {"en01", "KJV", englishLanguageCode},
    {"kr02", "개역개정", englishLanguageCode},
    {"kr03", "표준새번역", koreanLanguageCode},
    {"kr04", "한글킹제임스역", koreanLanguageCode},
    {"en02", "ASV", englishLanguageCode},
    {"en03", "NIV", englishLanguageCode},
}};

} // namespace

std::optional<BibleKind> bibleKindFromRaw(std::int64_t raw) {
    if (raw < 0 || raw >= bibleKindCount)
        return std::nullopt;
    return static_cast<BibleKind>(raw);
}

std::string_view translationDisplayName(std::int64_t raw) {
    if (raw < 0 || raw >= bibleKindCount)
        return {};
    return kinds[static_cast<std::size_t>(raw)].displayName;
}

std::string_view translationDisplayName(BibleKind kind) {
    return translationDisplayName(rawValue(kind));
}

std::string_view caseName(BibleKind kind) {
    const auto raw = rawValue(kind);
    if (raw < 0 || raw >= bibleKindCount)
        return {};
    return kinds[static_cast<std::size_t>(raw)].caseName;
}

std::string_view languageCode(BibleKind kind) {
    const auto raw = rawValue(kind);
    if (raw < 0 || raw >= bibleKindCount)
        return koreanLanguageCode;
    return kinds[static_cast<std::size_t>(raw)].languageCode;
}

} // namespace lumenscroll
