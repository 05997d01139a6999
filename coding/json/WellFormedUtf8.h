#pragma once

#include <string_view>

namespace coding {

// Whether `text` is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF. A std::string can hold any bytes; JSON text cannot.
bool isWellFormedUtf8(std::string_view text);

} // namespace coding
