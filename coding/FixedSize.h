#pragma once

#include <compare>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace coding {

template <class T>
concept FixedSizeCompatible = std::is_same_v<T, std::int64_t> || std::is_same_v<T, std::uint64_t> ||
                              std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint32_t>;

// A field wrapper: the integer is written as a fixed-width little-endian value, not a varint.
template <FixedSizeCompatible T>
struct FixedSize {
    T wrappedValue{};

    constexpr FixedSize() = default;
    constexpr FixedSize(T value) : wrappedValue(value) {}

    static constexpr FixedSize min() { return FixedSize(std::numeric_limits<T>::min()); }
    static constexpr FixedSize max() { return FixedSize(std::numeric_limits<T>::max()); }

    friend constexpr bool operator==(const FixedSize&, const FixedSize&) = default;
    friend constexpr auto operator<=>(const FixedSize&, const FixedSize&) = default;
};

} // namespace coding
