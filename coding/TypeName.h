#pragma once

#include <string>
#include <string_view>
#include <typeinfo>

namespace coding {

// The unqualified name of a C++ type ("BibleStructure" for lumenscroll::BibleStructure).
std::string unqualifiedTypeName(const std::type_info& type);

namespace detail {
template <class T>
concept DeclaresTypeName = requires {
    { T::codingTypeName } -> std::convertible_to<std::string_view>;
};
template <class T>
concept DeclaresOneOf = requires {
    { T::isOneOf } -> std::convertible_to<bool>;
};
} // namespace detail

// A record may name itself with `static constexpr std::string_view codingTypeName`.
template <class T>
std::string_view typeNameOf() {
    if constexpr (detail::DeclaresTypeName<T>) {
        return T::codingTypeName;
    } else {
        static const std::string name = unqualifiedTypeName(typeid(T));
        return name;
    }
}

} // namespace coding
