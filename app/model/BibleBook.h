#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lumenscroll {

// The 66 books in canonical order. Everywhere else a book travels as this index.
enum class BibleBook : std::int64_t {
    genesis,
    exodus,
    leviticus,
    numbers,
    deuteronomy,
    joshua,
    judges,
    ruth,
    samuel1,
    samuel2,
    kings1,
    kings2,
    chronicles1,
    chronicles2,
    ezra,
    nehemiah,
    esther,
    job,
    psalms,
    proverbs,
    ecclesiastes,
    songOfSongs,
    isaiah,
    jeremiah,
    lamentations,
    ezekiel,
    daniel,
    hosea,
    joel,
    amos,
    obadiah,
    jonah,
    micah,
    nahum,
    habakkuk,
    zephaniah,
    haggai,
    zechariah,
    malachi,
    matthew,
    mark,
    luke,
    john,
    acts,
    romans,
    corinthians1,
    corinthians2,
    galatians,
    ephesians,
    philippians,
    colossians,
    thessalonians1,
    thessalonians2,
    timothy1,
    timothy2,
    titus,
    philemon,
    hebrews,
    james,
    peter1,
    peter2,
    john1,
    john2,
    john3,
    jude,
    revelation,
};

inline constexpr std::int64_t bibleBookCount = 66;
// Books below this index are of the Old Testament.
inline constexpr std::int64_t firstNewTestamentBook = 39;

// The book with this index; none for anything outside 0-65.
std::optional<BibleBook> bibleBookFromRaw(std::int64_t raw);

inline constexpr std::int64_t rawValue(BibleBook book) {
    return static_cast<std::int64_t>(book);
}
inline constexpr bool isOldTestament(BibleBook book) {
    return rawValue(book) < firstNewTestamentBook;
}

// The Korean name for exactly "kr", the English form for exactly "en", the Korean name for any
// other code.
std::string_view bookName(std::string_view language, BibleBook book);
// As bookName; an index outside 0-65 names book 0 rather than failing.
std::string_view bookNameByIndex(std::string_view language, std::int64_t index);

std::string_view koreanBookName(BibleBook book);
// The short name used in the reference of copied verses ("창", "삼상").
std::string_view koreanBookAbbreviation(BibleBook book);
// One word, a numbered book with its number appended ("Samuel1"); also the stem of the English
// text resource names.
std::string_view englishBookName(BibleBook book);

// The number of verses of every chapter of the book, in chapter order; its length is the
// number of chapters. The division is the King James one, except that 1 Samuel 30, Psalm 72 and
// 2 Corinthians 13 have one verse fewer, as the shipped texts do.
std::span<const std::int64_t> versesPerChapter(BibleBook book);

// The number of chapters of every book, by book index.
const std::array<std::int64_t, bibleBookCount>& chaptersPerBook();
// The index (from 0) of every book's last chapter, by book index.
const std::array<std::int64_t, bibleBookCount>& lastChapterIndexPerBook();

} // namespace lumenscroll
