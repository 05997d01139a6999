#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace coding {

// A key of a keyed container. Every key has a string form; record keys may also carry an
// integer, which compact formats prefer because it is shorter on the wire.
struct CodingKey {
    std::string stringValue;
    std::optional<std::int64_t> intValue;

    CodingKey() = default;
    CodingKey(std::string string) : stringValue(std::move(string)) {}
    CodingKey(const char* string) : stringValue(string) {}
    CodingKey(std::string string, std::optional<std::int64_t> integer)
        : stringValue(std::move(string)), intValue(integer) {}

    // The key an unkeyed container puts in front of an error raised at one of its positions.
    static CodingKey index(std::int64_t position) {
        return CodingKey("Index " + std::to_string(position), position);
    }

    friend bool operator==(const CodingKey&, const CodingKey&) = default;
};

using CodingPath = std::vector<CodingKey>;

// "a.b.Index 3": how error messages name where a value sits.
std::string describePath(const CodingPath& path);

} // namespace coding
