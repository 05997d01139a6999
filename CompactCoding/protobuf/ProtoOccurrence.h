#pragma once

#include "CompactCoding/DataType.h"
#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/CodingKey.h"

#include <cstdint>
#include <span>

namespace coding {

// The data-corrupted error "Unexpected data type N": a field whose wire type is not the one its
// value is read as.
[[noreturn]] void unexpectedWireType(DataType wireType, const CodingPath& path);

// One occurrence of a field in protobuf bytes: its wire type and its value bytes (a varint's own
// bytes, the fixed-size bytes, or a length-delimited payload without its byte count). A field
// that occurs more than once (a repeated field, a message written in parts, a map's entries) has
// one occurrence per tag; they are never joined. The bytes are a view of the input.
struct ProtoOccurrence {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
    DataType wireType = DataType::variableLength;

    std::span<const std::uint8_t> bytes() const { return {data, size}; }

    // Reads one tagged field at `index` of `bytes` and moves past it. Faults are thrown with
    // `path`: "Premature end of data" for bytes that end inside it, "Unknown data type N" for the
    // wire types protobuf does not have (3 and 4, the groups', and 6 and 7), the
    // ProtobufEncodingError integerKeyOutOfRange for a field number outside 1 to 2^29 - 1 (the tag
    // shifted right by three), "Encoded variable-length integer out of range" for a tag written in
    // more than five bytes, "Invalid data size" for a byte count written in more than five bytes or
    // of 2^31 and more.
    static ProtoOccurrence read(std::span<const std::uint8_t> bytes, std::size_t& index, std::uint32_t& field,
                                const CodingPath& path) {
        DataType wireType;
        field = IntKeyWrapper::fromTag(readTag(bytes, index, path), wireType, path).number();
        // A one-byte varint, the most common value of all, without a call.
        if (wireType == DataType::variableLengthInteger && index < bytes.size() && bytes[index] < 0x80)
            return ProtoOccurrence{bytes.data() + index++, 1, wireType};
        return readValue(bytes, index, wireType, path);
    }
    // The value bytes of one value of `wireType` at `index`, which moves past them.
    static ProtoOccurrence readValue(std::span<const std::uint8_t> bytes, std::size_t& index, DataType wireType,
                                     const CodingPath& path);
    // A length-delimited value at `index`: its byte count, then the bytes.
    static std::span<const std::uint8_t> readPayload(std::span<const std::uint8_t> bytes, std::size_t& index,
                                                     const CodingPath& path);

    // The tag at `index`, which moves past it. A tag is a 32-bit varint: protobuf reads at most five
    // bytes of it, so a longer one (a small number padded with bytes 80) is refused rather than
    // read as a field that no other reader sees.
    static std::uint64_t readTag(std::span<const std::uint8_t> bytes, std::size_t& index, const CodingPath& path) {
        if (index < bytes.size() && bytes[index] < 0x80)
            return bytes[index++];
        return readLongTag(bytes, index, path);
    }

private:
    static std::uint64_t readLongTag(std::span<const std::uint8_t> bytes, std::size_t& index, const CodingPath& path);
};

} // namespace coding
