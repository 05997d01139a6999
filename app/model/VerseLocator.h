#pragma once

#include "app/model/BibleBook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumenscroll {

// One verse of a loaded translation, as a search hit names it and a new page opens it: the
// book, the chapter and the verse's position in the chapter's records, all counted from 0. A
// merged verse is two records, so the position is always the verse number - 1.
//
// Its text is the three numbers joined by "@" ("0@0@0" is Genesis 1:1, "65@21@20" the last
// verse of Revelation): what the search page leaves in foundSectionVerseAndPraiseArray for the
// carousel to open. make() and parse() give only verses that exist in the book and verse
// tables, so whoever holds one they gave may index the tables with it unchecked.
struct VerseLocator {
    BibleBook book = BibleBook::genesis;
    std::int64_t chapterIndex = 0;
    std::int64_t verseIndex = 0;

    // The locator of chapter `chapterIndex`, verse `verseIndex` of book `bookIndex`; none when
    // the tables have no such book, chapter or verse.
    static std::optional<VerseLocator> make(std::int64_t bookIndex, std::int64_t chapterIndex,
                                            std::int64_t verseIndex);

    // Reads a locator's text: "@"-separated pieces (empty ones dropped), the first three each a
    // decimal number (an optional sign and one to eighteen digits, nothing else). None for
    // fewer than three pieces, a piece that is no number, or a verse the tables do not have.
    static std::optional<VerseLocator> parse(std::string_view text);

    // The three numbers of a locator's text as they stand, before the tables are asked: for a
    // reader that takes whatever a text names. None for fewer than three pieces; a piece that
    // is no number reads as none. Eighteen digits keep every number, and one more than it, in
    // range.
    struct Numbers {
        std::optional<std::int64_t> bookIndex;
        std::optional<std::int64_t> chapterIndex;
        std::optional<std::int64_t> verseIndex;
    };
    static std::optional<Numbers> numbers(std::string_view text);

    // "book@chapter@verse", decimal, no leading zeros.
    std::string text() const { return text(bookIndex(), chapterIndex, verseIndex); }
    // The same text for any three positions, whether the tables hold them or not.
    static std::string text(std::int64_t bookIndex, std::int64_t chapterIndex, std::int64_t verseIndex);

    std::int64_t bookIndex() const { return rawValue(book); }
    std::int64_t chapterNumber() const { return chapterIndex + 1; }
    std::int64_t verseNumber() const { return verseIndex + 1; }

    friend bool operator==(const VerseLocator&, const VerseLocator&) = default;
};

} // namespace lumenscroll
