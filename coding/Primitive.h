#pragma once

#include "coding/Data.h"
#include "coding/FixedSize.h"
#include "coding/SignedValue.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace coding {

// The primitive kinds every coder knows. The order is the order of the alternatives of
// PrimitiveRef and PrimitiveValue, so a variant's index() is its kind.
enum class PrimitiveKind : std::uint8_t {
    Bool,
    Int8,
    UInt8,
    Int16,
    UInt16,
    Int32,
    UInt32,
    Int64,
    UInt64,
    Float,
    Double,
    String,
    Data,
    FixedInt32,
    FixedUInt32,
    FixedInt64,
    FixedUInt64,
    SignedInt32,
    SignedInt64,
};

// The short name of a primitive kind's type ("Int8", "String", "FixedSize<Int64>"). Constant for a
// kind known at compile time: every primitive a record codes asks for its name.
constexpr std::string_view primitiveTypeName(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Bool: return "Bool";
    case PrimitiveKind::Int8: return "Int8";
    case PrimitiveKind::UInt8: return "UInt8";
    case PrimitiveKind::Int16: return "Int16";
    case PrimitiveKind::UInt16: return "UInt16";
    case PrimitiveKind::Int32: return "Int32";
    case PrimitiveKind::UInt32: return "UInt32";
    case PrimitiveKind::Int64: return "Int64";
    case PrimitiveKind::UInt64: return "UInt64";
    case PrimitiveKind::Float: return "Float";
    case PrimitiveKind::Double: return "Double";
    case PrimitiveKind::String: return "String";
    case PrimitiveKind::Data: return "Data";
    case PrimitiveKind::FixedInt32: return "FixedSize<Int32>";
    case PrimitiveKind::FixedUInt32: return "FixedSize<UInt32>";
    case PrimitiveKind::FixedInt64: return "FixedSize<Int64>";
    case PrimitiveKind::FixedUInt64: return "FixedSize<UInt64>";
    case PrimitiveKind::SignedInt32: return "SignedValue<Int32>";
    case PrimitiveKind::SignedInt64: return "SignedValue<Int64>";
    }
    return "?";
}

// A primitive handed to an encoder: text and bytes are borrowed for the duration of the call.
using PrimitiveRef =
    std::variant<bool, std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t, std::uint32_t,
                 std::int64_t, std::uint64_t, float, double, std::string_view, std::span<const std::uint8_t>,
                 FixedSize<std::int32_t>, FixedSize<std::uint32_t>, FixedSize<std::int64_t>,
                 FixedSize<std::uint64_t>, SignedValue<std::int32_t>, SignedValue<std::int64_t>>;

// A primitive produced by a decoder, owned.
using PrimitiveValue =
    std::variant<bool, std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t, std::uint32_t,
                 std::int64_t, std::uint64_t, float, double, std::string, Data, FixedSize<std::int32_t>,
                 FixedSize<std::uint32_t>, FixedSize<std::int64_t>, FixedSize<std::uint64_t>,
                 SignedValue<std::int32_t>, SignedValue<std::int64_t>>;

inline PrimitiveKind kindOf(const PrimitiveRef& value) { return static_cast<PrimitiveKind>(value.index()); }
inline PrimitiveKind kindOf(const PrimitiveValue& value) { return static_cast<PrimitiveKind>(value.index()); }

// Which primitive kind a C++ type is, if any.
template <class T>
struct PrimitiveTraits {
    static constexpr bool isPrimitive = false;
};

#define CODING_PRIMITIVE(Type, Kind)                                                                         \
    template <>                                                                                              \
    struct PrimitiveTraits<Type> {                                                                           \
        static constexpr bool isPrimitive = true;                                                            \
        static constexpr PrimitiveKind kind = PrimitiveKind::Kind;                                           \
    };
CODING_PRIMITIVE(bool, Bool)
CODING_PRIMITIVE(std::int8_t, Int8)
CODING_PRIMITIVE(std::uint8_t, UInt8)
CODING_PRIMITIVE(std::int16_t, Int16)
CODING_PRIMITIVE(std::uint16_t, UInt16)
CODING_PRIMITIVE(std::int32_t, Int32)
CODING_PRIMITIVE(std::uint32_t, UInt32)
CODING_PRIMITIVE(std::int64_t, Int64)
CODING_PRIMITIVE(std::uint64_t, UInt64)
CODING_PRIMITIVE(float, Float)
CODING_PRIMITIVE(double, Double)
CODING_PRIMITIVE(std::string, String)
CODING_PRIMITIVE(Data, Data)
CODING_PRIMITIVE(FixedSize<std::int32_t>, FixedInt32)
CODING_PRIMITIVE(FixedSize<std::uint32_t>, FixedUInt32)
CODING_PRIMITIVE(FixedSize<std::int64_t>, FixedInt64)
CODING_PRIMITIVE(FixedSize<std::uint64_t>, FixedUInt64)
CODING_PRIMITIVE(SignedValue<std::int32_t>, SignedInt32)
CODING_PRIMITIVE(SignedValue<std::int64_t>, SignedInt64)
#undef CODING_PRIMITIVE

template <class T>
concept Primitive = PrimitiveTraits<T>::isPrimitive;

template <Primitive T>
PrimitiveRef primitiveRef(const T& value) {
    constexpr auto index = static_cast<std::size_t>(PrimitiveTraits<T>::kind);
    if constexpr (std::is_same_v<T, std::string>)
        return PrimitiveRef(std::in_place_index<index>, std::string_view(value));
    else if constexpr (std::is_same_v<T, Data>)
        return PrimitiveRef(std::in_place_index<index>, value.span());
    else
        return PrimitiveRef(std::in_place_index<index>, value);
}

} // namespace coding
