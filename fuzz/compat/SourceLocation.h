#pragma once

// clang before 15 lacks the builtin that libstdc++'s std::source_location is made of, so
// <source_location> declares nothing there. The fuzz build, which needs clang for libFuzzer,
// puts this equivalent in its place; the libraries use only current(), file_name() and line().

#include <source_location>

#if !defined(__cpp_lib_source_location)
namespace std {

struct source_location {
    static constexpr source_location current(const char* file = __builtin_FILE(),
                                             const char* function = __builtin_FUNCTION(),
                                             unsigned line = __builtin_LINE(),
                                             unsigned column = __builtin_COLUMN()) noexcept {
        source_location location;
        location.file_ = file;
        location.function_ = function;
        location.line_ = line;
        location.column_ = column;
        return location;
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr const char* function_name() const noexcept { return function_; }
    constexpr unsigned line() const noexcept { return line_; }
    constexpr unsigned column() const noexcept { return column_; }

private:
    const char* file_ = "";
    const char* function_ = "";
    unsigned line_ = 0;
    unsigned column_ = 0;
};

} // namespace std
#endif
