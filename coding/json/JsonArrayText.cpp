#include "coding/json/JsonArrayText.h"

#include <cstddef>

namespace coding {

namespace {

bool isWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t skipWhitespace(std::string_view json, std::size_t at) {
    while (at < json.size() && isWhitespace(json[at])) {
        ++at;
    }
    return at;
}

// The end of the string that opens at `at`: the position after its closing quote, or none. A
// quote closes it unless an odd run of backslashes stands before it; the texts between quotes
// are the most of a stored value, and are passed over at memchr's pace.
std::optional<std::size_t> endOfString(std::string_view json, std::size_t at) {
    for (std::size_t from = at + 1;;) {
        const std::size_t quote = json.find('"', from);
        if (quote == std::string_view::npos) {
            return std::nullopt;
        }
        std::size_t backslashes = 0;
        while (quote - backslashes > at + 1 && json[quote - backslashes - 1] == '\\') {
            ++backslashes;
        }
        if (backslashes % 2 == 0) {
            return quote + 1;
        }
        from = quote + 1;
    }
}

// The position of the comma or closing bracket that ends the element starting at `at`.
std::optional<std::size_t> endOfElement(std::string_view json, std::size_t at) {
    std::size_t depth = 0;
    while (at < json.size()) {
        const char c = json[at];
        if (c == '"') {
            const std::optional<std::size_t> end = endOfString(json, at);
            if (!end) {
                return std::nullopt;
            }
            at = *end;
            continue;
        }
        if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (depth == 0) {
                return c == ']' ? std::optional<std::size_t>(at) : std::nullopt;
            }
            --depth;
        } else if (c == ',' && depth == 0) {
            return at;
        }
        ++at;
    }
    return std::nullopt;
}

// Where `known` ends when the element at `at` is exactly it: followed by nothing but whitespace
// up to the comma or bracket that ends an element.
std::optional<std::size_t> endOfKnown(std::string_view json, std::size_t at, std::string_view known) {
    if (known.empty() || json.substr(at, known.size()) != known) {
        return std::nullopt;
    }
    const std::size_t end = skipWhitespace(json, at + known.size());
    if (end < json.size() && (json[end] == ',' || json[end] == ']')) {
        return end;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<std::string_view>> JsonArrayText::elements(std::string_view json, std::string_view known) {
    if (json.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t at = skipWhitespace(json, 0);
    if (at == json.size() || json[at] != '[') {
        return std::nullopt;
    }
    std::vector<std::string_view> elements;
    at = skipWhitespace(json, at + 1);
    if (at < json.size() && json[at] == ']') {
        return skipWhitespace(json, at + 1) == json.size() ? std::optional(elements) : std::nullopt;
    }
    while (true) {
        const std::size_t start = at;
        std::optional<std::size_t> end = endOfKnown(json, start, known);
        if (!end) {
            end = endOfElement(json, start);
        }
        if (!end) {
            return std::nullopt;
        }
        std::size_t last = *end;
        while (last > start && isWhitespace(json[last - 1])) {
            --last;
        }
        if (last == start) {
            return std::nullopt;
        }
        elements.push_back(json.substr(start, last - start));
        if (json[*end] == ']') {
            return skipWhitespace(json, *end + 1) == json.size() ? std::optional(elements) : std::nullopt;
        }
        at = skipWhitespace(json, *end + 1);
    }
}

} // namespace coding
