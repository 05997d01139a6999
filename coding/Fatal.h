#pragma once

#include <string_view>

namespace coding {

// Misuse of the coding interface by code (never by data): prints "file:line: message" to
// stderr and aborts, in release builds too. The builtins stand in for std::source_location,
// which clang's fuzzing builds lack with this standard library.
[[noreturn]] void fatal(std::string_view message, const char* file = __builtin_FILE(),
                        unsigned line = __builtin_LINE());

} // namespace coding
