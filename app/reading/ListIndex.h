#pragma once

#include <cstddef>
#include <cstdint>

namespace lumenscroll {

// Page, row and verse positions are signed (std::int64_t, as the shared state stores them),
// the lists they index are not: every lookup checks the position first and then converts it.

// Whether `index` is a position in a list of `count` entries.
constexpr bool isIndexOf(std::int64_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

// `index`, already checked with isIndexOf (or otherwise known not to be negative), as a list
// position.
constexpr std::size_t at(std::int64_t index) {
    return static_cast<std::size_t>(index);
}

} // namespace lumenscroll
