#pragma once

#include "CompactCoding/DataType.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/CodingKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace coding {

class DataDecoder;

// Where the decoding nodes pull the bytes of keys, lengths and values from, in reading order.
// Every read either delivers exactly the bytes asked for and moves past them, or throws.
//
// The bytes a read returns are a view. They stay valid until the next read from the same source;
// sources whose buffer holds still while a value is decoded (the in-memory ones) say so through
// bytesStayValid(), and their views then live as long as that buffer.
class BinaryStreamProvider {
public:
    virtual ~BinaryStreamProvider() = default;

    // Exactly `count` bytes, or the data-corrupted error "Premature end of data" with `path`.
    virtual std::span<const std::uint8_t> getBytes(std::size_t count, const CodingPath& path) = 0;
    // Whether one more byte can be read. Never consumes one.
    virtual bool hasMoreBytes() = 0;
    virtual bool bytesStayValid() const { return false; }
    // The in-memory reader, whose bytes belong to someone else, answers with itself.
    virtual DataDecoder* asDataDecoder() { return nullptr; }

    std::uint8_t getByte(const CodingPath& path) { return getBytes(1, path)[0]; }

    // The raw bytes of one variable-length integer (1 to 9, continuation bits included).
    virtual std::span<const std::uint8_t> getVarintBytes(const CodingPath& path);
    // One variable-length integer, as the 64-bit two's-complement value it holds.
    std::int64_t getVariableLengthInteger(const CodingPath& path);
    // The bytes of one value of `type`; for variableLength without its length prefix. A length
    // that reads as negative is the data-corrupted error "Invalid data size".
    virtual std::span<const std::uint8_t> getDataOfType(DataType type, const CodingPath& path);

protected:
    BinaryStreamProvider() = default;
    BinaryStreamProvider(const BinaryStreamProvider&) = default;
    BinaryStreamProvider& operator=(const BinaryStreamProvider&) = default;

    // Sources that read byte by byte gather a varint here.
    std::array<std::uint8_t, maxVariableLengthSize> varintScratch_{};
};

} // namespace coding
