#pragma once

#include "coding/CodingKey.h"

#include <cstdint>
#include <optional>
#include <string>

namespace coding {

// A key no record declared, made by the coders themselves: an element's position in a coding
// path (text "2", integer 2), or a key read from data.
struct AnyCodingKey {
    std::string stringValue;
    std::optional<std::int64_t> intValue;

    explicit AnyCodingKey(std::string text) : stringValue(std::move(text)) {}
    explicit AnyCodingKey(const char* text) : stringValue(text) {}
    explicit AnyCodingKey(std::int64_t value) : stringValue(std::to_string(value)), intValue(value) {}

    CodingKey codingKey() const { return CodingKey(stringValue, intValue); }
    operator CodingKey() const { return codingKey(); }

    friend bool operator==(const AnyCodingKey&, const AnyCodingKey&) = default;
};

} // namespace coding
