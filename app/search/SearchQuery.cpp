#include "app/search/SearchQuery.h"

#include "app/model/TextPieces.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumenscroll {

namespace {

// The code point of the UTF-8 sequence at `text[at]` and its length; none for a byte that
// starts no well-formed sequence.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::optional<Decoded> decode(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!isContinuation(byte)) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    return Decoded{codePoint, length};
}

void append(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool isHangulSyllable(char32_t codePoint) {
    return codePoint >= 0xAC00 && codePoint <= 0xD7A3;
}

} // namespace

std::vector<std::string> SearchQuery::words(std::string_view query) {
    std::vector<std::string_view> pieces = textPieces(query, ' ');
    if (pieces.size() <= 1) {
        pieces = textPieces(query, ',');
    }
    std::vector<std::string> result;
    for (const std::string_view piece : pieces) {
        // A tab, an ideographic space or a no-break space around a word is no part of it.
        const QString word = QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())).trimmed();
        if (!word.isEmpty()) {
            result.push_back(word.toStdString());
        }
    }
    return result;
}

std::string SearchQuery::lowercased(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    // Text that keeps its case is copied a run at a time.
    std::size_t run = 0;
    std::size_t at = 0;
    const auto replace = [&](std::size_t length, char32_t lower) {
        out.append(utf8.substr(run, at - run));
        append(out, lower);
        at += length;
        run = at;
    };
    while (at < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            if (byte >= 'A' && byte <= 'Z') {
                replace(1, byte + ('a' - 'A'));
            } else {
                ++at;
            }
            continue;
        }
        const std::optional<Decoded> decoded = decode(utf8, at);
        if (!decoded) {
            ++at;
            continue;
        }
        const char32_t codePoint = decoded->codePoint;
        const char32_t lower = isHangulSyllable(codePoint) ? codePoint : QChar::toLower(codePoint);
        if (lower == codePoint) {
            at += decoded->length;
        } else {
            replace(decoded->length, lower);
        }
    }
    out.append(utf8.substr(run));
    return out;
}

} // namespace lumenscroll
