#pragma once

#include <compare>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace coding {

template <class T>
concept SignedValueCompatible =
    std::is_same_v<T, std::int64_t> || std::is_same_v<T, std::int32_t>;

// A field wrapper that selects the zig-zag form of a signed integer.
template <SignedValueCompatible T>
struct SignedValue {
    T wrappedValue{};

    constexpr SignedValue() = default;
    constexpr SignedValue(T value) : wrappedValue(value) {}

    static constexpr SignedValue min() { return SignedValue(std::numeric_limits<T>::min()); }
    static constexpr SignedValue max() { return SignedValue(std::numeric_limits<T>::max()); }

    friend constexpr bool operator==(const SignedValue&, const SignedValue&) = default;
    friend constexpr auto operator<=>(const SignedValue&, const SignedValue&) = default;
};

} // namespace coding
