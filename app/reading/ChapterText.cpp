#include "app/reading/ChapterText.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace lumenscroll {

namespace {

constexpr char lineFeed = '\n';
constexpr char carriageReturn = '\r';

void appendUnlessEmpty(std::vector<std::string_view>& lines, std::string_view piece) {
    if (!piece.empty()) {
        lines.push_back(piece);
    }
}

BiblePraise verse(std::int64_t position, std::string_view word, std::string_view theme, bool hasTheme) {
    BiblePraise praise;
    praise.index = position;
    praise.word = std::string(word);
    praise.hasTheme = hasTheme;
    praise.theme = std::string(theme);
    return praise;
}

} // namespace

std::vector<std::string_view> ChapterText::lines(std::string_view text, BibleKind kind) {
    std::vector<std::string_view> result;
    if (kind != BibleKind::kr01 && kind != BibleKind::en01) {
        return result;
    }
    const bool crLf = kind == BibleKind::en01;
    std::size_t start = 0;
    std::size_t search = 0;
    while (search < text.size()) {
        const std::size_t feed = text.find(lineFeed, search);
        if (feed == std::string_view::npos) {
            break;
        }
        search = feed + 1;
        const bool afterReturn = feed > start && text[feed - 1] == carriageReturn;
        // An LF ends a kr01 line only on its own, an en01 line only as part of CR LF.
        if (afterReturn != crLf) {
            continue;
        }
        const std::size_t end = crLf ? feed - 1 : feed;
        appendUnlessEmpty(result, text.substr(start, end - start));
        start = feed + 1;
    }
    appendUnlessEmpty(result, text.substr(start));
    return result;
}

std::span<const std::string_view> ChapterText::chapterLines(std::span<const std::string_view> bookLines,
                                                            BibleBook book, std::int64_t chapter) {
    const std::span<const std::int64_t> counts = versesPerChapter(book);
    if (chapter < 1 || chapter > static_cast<std::int64_t>(counts.size())) {
        return {};
    }
    std::int64_t skip = 0;
    for (std::int64_t c = 1; c < chapter; ++c) {
        skip += counts[static_cast<std::size_t>(c - 1)];
    }
    const auto available = static_cast<std::int64_t>(bookLines.size());
    const std::int64_t first = std::min(skip, available);
    const std::int64_t last = std::min(skip + counts[static_cast<std::size_t>(chapter - 1)], available);
    return bookLines.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
}

ChapterText::Line ChapterText::parseLine(std::string_view line) {
    Line parsed;
    // The chapter number before the first ":" plays no part. A line without one carries no
    // verse token either, and shows as an empty verse.
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return parsed;
    }
    const std::string_view rest = line.substr(colon + 1);
    const std::size_t blank = rest.find(' ');
    const std::string_view token = rest.substr(0, blank);
    const std::string_view text = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank);

    // A ":" in the text means a verse reference inside it, never a merged line.
    parsed.merged = token.find('-') != std::string_view::npos && text.find(':') == std::string_view::npos;

    if (!text.starts_with(" <")) {
        parsed.word = text;
        return parsed;
    }
    // " <heading>text": the heading runs to the first ">", the verse text to the next one.
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size() && pieces.size() < 2) {
        const std::size_t close = text.find('>', start);
        const std::size_t end = close == std::string_view::npos ? text.size() : close;
        if (end > start) {
            pieces.push_back(text.substr(start, end - start));
        }
        if (close == std::string_view::npos) {
            break;
        }
        start = close + 1;
    }
    // A heading with no verse text after it is no heading: the verse shows empty.
    if (pieces.size() < 2) {
        return parsed;
    }
    // The first piece begins with " <".
    parsed.theme = pieces[0].substr(2);
    parsed.hasTheme = true;
    parsed.word = pieces[1];
    return parsed;
}

std::vector<BiblePraise> ChapterText::verses(std::span<const std::string_view> chapterLines) {
    std::vector<BiblePraise> result;
    result.reserve(chapterLines.size() + 1);
    std::size_t position = 0;
    while (position < chapterLines.size()) {
        const Line line = parseLine(chapterLines[position]);
        const auto index = static_cast<std::int64_t>(position);
        result.push_back(verse(index, line.word, line.theme, line.hasTheme));
        if (!line.merged) {
            position += 1;
            continue;
        }
        // The second verse of the pair: the same text, a note of its own, no heading; the
        // line that would have carried it is skipped.
        result.push_back(verse(index + 1, line.word, {}, false));
        position += 2;
    }
    return result;
}

std::vector<BiblePraise> ChapterText::chapterVerses(std::string_view bookText, BibleKind kind, BibleBook book,
                                                    std::int64_t chapter) {
    const std::vector<std::string_view> bookLines = lines(bookText, kind);
    return verses(chapterLines(bookLines, book, chapter));
}

} // namespace lumenscroll
