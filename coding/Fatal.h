#pragma once

#include <source_location>
#include <string_view>

namespace coding {

// Misuse of the coding interface by code (never by data): prints "file:line: message" to
// stderr and aborts, in release builds too.
[[noreturn]] void fatal(std::string_view message,
                        std::source_location location = std::source_location::current());

} // namespace coding
