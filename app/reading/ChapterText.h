#pragma once

#include "app/model/BibleBook.h"
#include "app/model/BibleKind.h"
#include "app/model/BiblePraise.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The one reader of the Bible text resources' lines, shared by every view that shows or
// searches a text. A resource holds one book, one verse per line in chapter and verse order:
//
//     <chapter>:<verse token> <text>
//     <chapter>:<verse token> <<heading>><text>
//
// The numbers at the head of a line are never trusted: a chapter's lines are found by counting
// against the verse-count table alone. A verse token holding "-" marks a merged line carrying
// two verses; the line after it belongs to the second and is counted but not read.
//
// Nothing here fails: a malformed line still yields its verse, and a file shorter than the
// table yields the verses there are.
class ChapterText {
public:
    ChapterText() = delete;

    // What one line says.
    struct Line {
        std::string_view word;  // the verse text, from the blank after the token (empty if none)
        std::string_view theme; // the section heading, when one is followed by verse text
        bool hasTheme = false;
        bool merged = false; // the text of two verses
    };

    // The lines of a book's text. A kr01 file ends its lines with LF, an en01 file with CR LF,
    // and a file is cut only at its own translation's line end: the LF of a CR LF pair does
    // not end a kr01 line, and a lone LF does not end an en01 line. Empty lines are dropped.
    // A translation without text resources has no lines. The views point into `text`.
    static std::vector<std::string_view> lines(std::string_view text, BibleKind kind);

    // The lines of chapter `chapter` (counted from 1) of `book`, found by the verse-count table
    // and clamped to the lines there are; none for a chapter the book does not have.
    static std::span<const std::string_view> chapterLines(std::span<const std::string_view> bookLines,
                                                          BibleBook book, std::int64_t chapter);

    static Line parseLine(std::string_view line);

    // One verse record per verse of a chapter's lines, `index` its position from 0, each with a
    // note of its own; a merged line gives two records and its following line none.
    static std::vector<BiblePraise> verses(std::span<const std::string_view> chapterLines);

    // The verses of one chapter of a book's whole text.
    static std::vector<BiblePraise> chapterVerses(std::string_view bookText, BibleKind kind, BibleBook book,
                                                  std::int64_t chapter);
};

} // namespace lumenscroll
