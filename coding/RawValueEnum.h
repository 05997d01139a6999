#pragma once

#include <cstdint>
#include <string_view>

namespace coding {

// Opt-in for an enum coded by its integer raw value. Specialise with
//   static constexpr bool enabled = true;
//   static constexpr std::string_view name = "E";
//   static bool isValid(std::int64_t raw);
template <class E>
struct RawValueEnum {
    static constexpr bool enabled = false;
};

template <class E>
concept RawValueEnumType = std::is_enum_v<E> && RawValueEnum<E>::enabled;

} // namespace coding
