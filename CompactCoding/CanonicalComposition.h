#pragma once

#include <string>
#include <string_view>

namespace coding {

// Canonical composition (Unicode NFC): the one form of a text among those that differ only in
// how accents and Hangul jamo are composed, so that "e" followed by a combining acute and the
// precomposed "é" read alike. Composed by libutf8proc. ASCII text is its own composition
// (isAscii, coding/Utf8.h): callers skip the composing for it.

// Appends the composition of `text` to `out`. A text that is not UTF-8 has none: `out` is left as
// it was and the result is false.
bool appendCanonicalComposition(std::string_view text, std::string& out);

} // namespace coding
