#pragma once

// The one table of how each primitive kind looks in bytes, for both directions and for both the
// compact format and its protobuf-compatible form. Nodes and containers never touch a value's
// bytes themselves: they ask here.

#include "CompactCoding/DataType.h"
#include "coding/CodingKey.h"
#include "coding/Primitive.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace coding {

// Room for the bytes of any primitive that is not text or a blob.
inline constexpr std::size_t maxScalarSize = 10;
using PrimitiveScratch = std::array<std::uint8_t, maxScalarSize>;

DataType dataTypeOf(PrimitiveKind kind);

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

// ---- protobuf-compatible form ----

// Int8, Int16, UInt8 and UInt16 have no protobuf form; the protobuf coders report them as
// unsupported (by primitiveTypeName) before calling any of the functions below, which stop the
// program for them.
bool hasProtobufForm(PrimitiveKind kind);
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
ProtobufForm protobufForm(const PrimitiveRef& value, PrimitiveScratch& scratch);
std::span<const std::uint8_t> protobufBytes(const PrimitiveRef& value, PrimitiveScratch& scratch);
void appendProtobufPrimitive(const PrimitiveRef& value, std::vector<std::uint8_t>& out);
PrimitiveValue decodeProtobufPrimitive(PrimitiveKind kind, std::span<const std::uint8_t> bytes,
                                       const CodingPath& path);

} // namespace coding
