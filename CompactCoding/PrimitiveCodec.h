#pragma once

// The one table of how each primitive kind looks in bytes, for both directions and for both the
// compact format and its protobuf-compatible form. Nodes and containers never touch a value's
// bytes themselves: they ask here.

#include "CompactCoding/DataType.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/Fatal.h"
#include "coding/Utf8.h"
#include "coding/CodingKey.h"
#include "coding/DecodeItem.h"
#include "coding/Primitive.h"

#include <array>
#include <bit>
#include <cstring>
#include <type_traits>
#include <variant>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace coding {

// Room for the bytes of any primitive that is not text or a blob.
inline constexpr std::size_t maxScalarSize = 10;
using PrimitiveScratch = std::array<std::uint8_t, maxScalarSize>;

// How each kind's bytes are framed.
constexpr DataType dataTypeOf(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Bool:
    case PrimitiveKind::Int32:
    case PrimitiveKind::UInt32:
    case PrimitiveKind::Int64:
    case PrimitiveKind::UInt64:
    case PrimitiveKind::SignedInt32:
    case PrimitiveKind::SignedInt64: return DataType::variableLengthInteger;
    case PrimitiveKind::Int8:
    case PrimitiveKind::UInt8: return DataType::byte;
    case PrimitiveKind::Int16:
    case PrimitiveKind::UInt16: return DataType::twoBytes;
    case PrimitiveKind::Float:
    case PrimitiveKind::FixedInt32:
    case PrimitiveKind::FixedUInt32: return DataType::fourBytes;
    case PrimitiveKind::Double:
    case PrimitiveKind::FixedInt64:
    case PrimitiveKind::FixedUInt64: return DataType::eightBytes;
    case PrimitiveKind::String:
    case PrimitiveKind::Data: return DataType::variableLength;
    }
    return DataType::variableLength;
}

// The byte count of one value of a fixed-size data type: byte 1, twoBytes 2, fourBytes 4,
// eightBytes 8; 0 for the two whose bytes tell their own extent (variableLengthInteger, and
// variableLength behind its length prefix). Indexed by raw value, so a reader that has checked
// the raw value needs no branch.
inline constexpr std::array<std::uint8_t, 8> fixedDataSizes{0, 8, 0, 0, 0, 4, 1, 2};
constexpr std::size_t fixedDataSize(DataType type) { return fixedDataSizes[rawValue(type)]; }

// ---- compact format ----

// The compact bytes of `value`: scalars are written into `scratch`, text and blobs are the
// value's own bytes (borrowed). Text that is not UTF-8 throws the invalid-value error
// "String is not UTF-8" with an empty coding path; the containers put theirs in front.
std::span<const std::uint8_t> compactBytes(const PrimitiveRef& value, PrimitiveScratch& scratch);
void appendPrimitive(const PrimitiveRef& value, std::vector<std::uint8_t>& out);

// A value of `kind` from exactly the bytes of one value (without key or length prefix). Throws
// the data-corrupted errors "Invalid data size", "Premature end of data",
// "Encoded variable-length integer out of range" and "Invalid string" with `path`.
PrimitiveValue decodePrimitive(PrimitiveKind kind, std::span<const std::uint8_t> bytes, const CodingPath& path);
// The same into the item of a primitive. Text, Int64 and Bool, most of every record, are built in
// the item's slot rather than passed through a PrimitiveValue.
void decodePrimitive(DecodeItem& item, std::span<const std::uint8_t> bytes, const CodingPath& path);

// ---- protobuf-compatible form ----

// Int8, Int16, UInt8 and UInt16 have no protobuf form; the protobuf coders report them as
// unsupported (by primitiveTypeName) before calling any of the functions below, which stop the
// program for them.
constexpr bool hasProtobufForm(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Int8:
    case PrimitiveKind::UInt8:
    case PrimitiveKind::Int16:
    case PrimitiveKind::UInt16: return false;
    default: return true;
    }
}

// "int64", "sint32", "fixed64", "string"...; empty for a kind without a protobuf form.
std::string_view protoTypeName(PrimitiveKind kind);
// Whether the value is its kind's zero (+0.0 and -0.0 both count), which protobuf leaves out.
bool isZero(const PrimitiveRef& value);
PrimitiveValue protobufZero(PrimitiveKind kind);

// The protobuf bytes of `value` (integers in the ten-byte varint form), with its zero test, in
// one pass: scalars in `scratch`, text and blobs borrowed. Text that is not UTF-8 throws as above.
struct ProtobufForm {
    std::span<const std::uint8_t> bytes;
    bool isZero;
};
inline ProtobufForm protobufForm(const PrimitiveRef& value, PrimitiveScratch& scratch);
std::span<const std::uint8_t> protobufBytes(const PrimitiveRef& value, PrimitiveScratch& scratch);
void appendProtobufPrimitive(const PrimitiveRef& value, std::vector<std::uint8_t>& out);
PrimitiveValue decodeProtobufPrimitive(PrimitiveKind kind, std::span<const std::uint8_t> bytes,
                                       const CodingPath& path);
// The same into `item`'s slot; text, Int64 and Bool, the most common, without a PrimitiveValue.
void decodeProtobufPrimitive(DecodeItem& item, std::span<const std::uint8_t> bytes, const CodingPath& path);
// The zero of `item`'s kind into its slot.
void assignProtobufZero(DecodeItem& item);

// ---- inline definitions: every primitive field of a record comes through here ----

namespace detail {

// Throws "String is not UTF-8" for `text`.
[[noreturn]] void refuseText(std::string_view text);

template <class T>
std::uint8_t* writeLittleEndian(T value, std::uint8_t* out) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &value, sizeof(T));
    } else {
        auto bits = static_cast<std::make_unsigned_t<T>>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i, bits >>= 8)
            out[i] = static_cast<std::uint8_t>(bits);
    }
    return out + sizeof(T);
}

// The integers' two's-complement pattern widened with its sign, or the zig-zag form, in the
// ten-byte varint every protobuf implementation writes.
inline std::uint8_t* writeProtobufVarint(std::uint64_t value, std::uint8_t* out) {
    return writeExtendedVariableLength(value, out);
}

} // namespace detail

inline ProtobufForm protobufForm(const PrimitiveRef& value, PrimitiveScratch& scratch) {
    std::uint8_t* const out = scratch.data();
    const auto written = [out](std::uint8_t* end) { return std::span<const std::uint8_t>(out, end); };
    const auto integer = [&](std::uint64_t bits, bool isZero) {
        return ProtobufForm{written(detail::writeProtobufVarint(bits, out)), isZero};
    };
    switch (kindOf(value)) {
    case PrimitiveKind::Bool: {
        const bool flag = *std::get_if<bool>(&value);
        out[0] = flag ? 1 : 0;
        return {written(out + 1), !flag};
    }
    case PrimitiveKind::Int32: {
        const std::int32_t v = *std::get_if<std::int32_t>(&value);
        return integer(static_cast<std::uint64_t>(std::int64_t{v}), v == 0);
    }
    case PrimitiveKind::Int64: {
        const std::int64_t v = *std::get_if<std::int64_t>(&value);
        return integer(static_cast<std::uint64_t>(v), v == 0);
    }
    case PrimitiveKind::UInt32: {
        const std::uint32_t v = *std::get_if<std::uint32_t>(&value);
        return integer(v, v == 0);
    }
    case PrimitiveKind::UInt64: {
        const std::uint64_t v = *std::get_if<std::uint64_t>(&value);
        return integer(v, v == 0);
    }
    case PrimitiveKind::SignedInt32: {
        const std::int32_t v = std::get_if<SignedValue<std::int32_t>>(&value)->wrappedValue;
        return integer(zigZagEncode(v), v == 0);
    }
    case PrimitiveKind::SignedInt64: {
        const std::int64_t v = std::get_if<SignedValue<std::int64_t>>(&value)->wrappedValue;
        return integer(zigZagEncode(v), v == 0);
    }
    case PrimitiveKind::Float: {
        const auto bits = std::bit_cast<std::uint32_t>(*std::get_if<float>(&value));
        return {written(detail::writeLittleEndian(bits, out)), (bits & 0x7FFF'FFFFu) == 0}; // -0.0 is zero
    }
    case PrimitiveKind::Double: {
        const auto bits = std::bit_cast<std::uint64_t>(*std::get_if<double>(&value));
        return {written(detail::writeLittleEndian(bits, out)), (bits & 0x7FFF'FFFF'FFFF'FFFFull) == 0};
    }
    case PrimitiveKind::FixedInt32: {
        const std::int32_t v = std::get_if<FixedSize<std::int32_t>>(&value)->wrappedValue;
        return {written(detail::writeLittleEndian(v, out)), v == 0};
    }
    case PrimitiveKind::FixedUInt32: {
        const std::uint32_t v = std::get_if<FixedSize<std::uint32_t>>(&value)->wrappedValue;
        return {written(detail::writeLittleEndian(v, out)), v == 0};
    }
    case PrimitiveKind::FixedInt64: {
        const std::int64_t v = std::get_if<FixedSize<std::int64_t>>(&value)->wrappedValue;
        return {written(detail::writeLittleEndian(v, out)), v == 0};
    }
    case PrimitiveKind::FixedUInt64: {
        const std::uint64_t v = std::get_if<FixedSize<std::uint64_t>>(&value)->wrappedValue;
        return {written(detail::writeLittleEndian(v, out)), v == 0};
    }
    case PrimitiveKind::String: {
        const std::string_view text = *std::get_if<std::string_view>(&value);
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        if (!isValidUtf8(bytes))
            detail::refuseText(text);
        return {bytes, text.empty()};
    }
    case PrimitiveKind::Data: {
        const auto bytes = *std::get_if<std::span<const std::uint8_t>>(&value);
        return {bytes, bytes.empty()};
    }
    case PrimitiveKind::Int8:
    case PrimitiveKind::UInt8:
    case PrimitiveKind::Int16:
    case PrimitiveKind::UInt16: break;
    }
    fatal("A primitive without a protobuf form reached the protobuf codec");
}

} // namespace coding
