#pragma once

#include "coding/RawValueEnum.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumenscroll {

// A translation of the Bible. Stored data carries the raw value, so the numbers never change.
enum class BibleKind : std::int64_t {
    kr01 = 0, // 개역한글
    en01 = 1, // KJV
    kr02 = 2, // 개역개정
    kr03 = 3, // 표준새번역
    kr04 = 4, // 한글킹제임스역
    en02 = 5, // ASV
    en03 = 6, // NIV
};

inline constexpr std::int64_t bibleKindCount = 7;

// The kind with this raw value; none for anything outside 0-6.
std::optional<BibleKind> bibleKindFromRaw(std::int64_t raw);

inline constexpr std::int64_t rawValue(BibleKind kind) {
    return static_cast<std::int64_t>(kind);
}

// The name the translation choosers show ("개역한글", "KJV", ...); empty for a raw value that
// names no translation.
std::string_view translationDisplayName(std::int64_t raw);
std::string_view translationDisplayName(BibleKind kind);

// The language code the book chooser and the search page use for a kind's book names.
std::string_view languageCode(BibleKind kind);

// The kind's own name as diagnostics print it ("kr01", "en01", ...).
std::string_view caseName(BibleKind kind);

} // namespace lumenscroll

template <> struct coding::RawValueEnum<lumenscroll::BibleKind> {
    static constexpr bool enabled = true;
    static constexpr std::string_view name = "BibleKind";
    static bool isValid(std::int64_t raw) { return raw >= 0 && raw < lumenscroll::bibleKindCount; }
};
