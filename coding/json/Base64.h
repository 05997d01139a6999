#pragma once

#include "coding/Data.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace coding {

// The standard alphabet with '=' padding, as JSON carries Data.
struct Base64 {
    static std::string encode(std::span<const std::uint8_t> bytes);
    // Nothing when `text` is not padded base64 of the standard alphabet (no whitespace either).
    static std::optional<Data> decode(std::string_view text);
};

} // namespace coding
