#include "app/model/VerseLocator.h"

#include "app/model/TextPieces.h"

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

constexpr char separator = '@';

// The verse table counts the lines of the shipped texts, and in these chapters the last line of
// a text carries the last two verses: their last verse lies one past the table's count.
constexpr std::pair<BibleBook, std::int64_t> chaptersEndingInMergedLines[] = {
    {BibleBook::samuel1, 29},
    {BibleBook::psalms, 71},
    {BibleBook::corinthians2, 12},
    {BibleBook::john3, 0},
};

std::int64_t verseCount(BibleBook book, std::int64_t chapterIndex) {
    std::int64_t count = versesPerChapter(book)[static_cast<std::size_t>(chapterIndex)];
    for (const auto& [merged, chapter] : chaptersEndingInMergedLines) {
        if (merged == book && chapter == chapterIndex) {
            ++count;
        }
    }
    return count;
}

// A whole decimal number: an optional "+" or "-" and one to eighteen digits, nothing else.
std::optional<std::int64_t> parseNumber(std::string_view piece) {
    bool negative = false;
    if (piece.starts_with('+') || piece.starts_with('-')) {
        negative = piece.front() == '-';
        piece.remove_prefix(1);
    }
    if (piece.empty() || piece.size() > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char digit : piece) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return negative ? -value : value;
}

} // namespace

std::optional<VerseLocator> VerseLocator::make(std::int64_t bookIndex, std::int64_t chapterIndex,
                                               std::int64_t verseIndex) {
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book) {
        return std::nullopt;
    }
    const std::span<const std::int64_t> verses = versesPerChapter(*book);
    if (chapterIndex < 0 || chapterIndex >= static_cast<std::int64_t>(verses.size())) {
        return std::nullopt;
    }
    if (verseIndex < 0 || verseIndex >= verseCount(*book, chapterIndex)) {
        return std::nullopt;
    }
    return VerseLocator{*book, chapterIndex, verseIndex};
}

std::optional<VerseLocator::Numbers> VerseLocator::numbers(std::string_view text) {
    const std::vector<std::string_view> pieces = textPieces(text, separator);
    if (pieces.size() < 3) {
        return std::nullopt;
    }
    return Numbers{parseNumber(pieces[0]), parseNumber(pieces[1]), parseNumber(pieces[2])};
}

std::optional<VerseLocator> VerseLocator::parse(std::string_view text) {
    const std::optional<Numbers> read = numbers(text);
    if (!read || !read->bookIndex || !read->chapterIndex || !read->verseIndex) {
        return std::nullopt;
    }
    return make(*read->bookIndex, *read->chapterIndex, *read->verseIndex);
}

std::string VerseLocator::text(std::int64_t bookIndex, std::int64_t chapterIndex, std::int64_t verseIndex) {
    return std::to_string(bookIndex) + separator + std::to_string(chapterIndex) + separator +
           std::to_string(verseIndex);
}

} // namespace lumenscroll
