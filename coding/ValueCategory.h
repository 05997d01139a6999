#pragma once

#include <cstdint>

namespace coding {

// How a coder must treat a value; coders test in this order: optional first, then
// primitive, then everything else (records, lists, maps, enums), which codes itself.
enum class ValueCategory : std::uint8_t { optional, primitive, other };

} // namespace coding
