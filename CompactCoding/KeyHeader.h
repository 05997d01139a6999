#pragma once

#include "CompactCoding/DataType.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/CodingKey.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace coding {

// The compact format's key header, the one variable-length integer in front of every keyed
// value: bits 0-2 hold the value's data type, bit 3 is set for a text key, and bits 4 and up hold
// the integer key or the text's byte count. A text key's UTF-8 bytes follow its header.
//
// The data type sits in the low three bits of the header's first byte, and setting them changes
// nothing else: a key written once serves values of every data type.
class KeyHeader {
public:
    // Integer keys must fit in 60 bits so that the shifted key fits the header.
    static constexpr std::int64_t minimumIntegerKey = -(std::int64_t{1} << 59);
    static constexpr std::int64_t maximumIntegerKey = (std::int64_t{1} << 59) - 1;

    static constexpr bool isInRange(std::int64_t key) { return key >= minimumIntegerKey && key <= maximumIntegerKey; }

    // ---- encoding ----

    static constexpr KeyHeader integerKey(std::int64_t key, DataType dataType) {
        return KeyHeader((static_cast<std::uint64_t>(key) << 4) | rawValue(dataType));
    }
    static constexpr KeyHeader textKey(std::size_t byteCount, DataType dataType) {
        return KeyHeader((static_cast<std::uint64_t>(byteCount) << 4) | textKeyBit | rawValue(dataType));
    }

    constexpr std::size_t size() const { return variableLengthSize(value_); }
    // Writes the header at `out` (room for maxVariableLengthSize bytes) and returns the end.
    std::uint8_t* write(std::uint8_t* out) const { return writeVariableLength(value_, out); }
    template <class Allocator>
    void append(std::vector<std::uint8_t, Allocator>& out) const {
        appendVariableLength(value_, out);
    }

    // The first byte of a written key, made to announce a value of `dataType`.
    static constexpr std::uint8_t withDataType(std::uint8_t firstByte, DataType dataType) {
        return static_cast<std::uint8_t>((firstByte & ~dataTypeMask) | rawValue(dataType));
    }
    // Whether two written keys (headers with their texts) are the same key, whatever data type
    // each announces.
    static bool sameKey(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

    // ---- decoding ----

    // Reads one header at `index` of `bytes` and moves past it; "Premature end of data" with
    // `path` when the bytes end inside it.
    static KeyHeader read(std::span<const std::uint8_t> bytes, std::size_t& index, const CodingPath& path) {
        return KeyHeader(readVariableLengthIntegerAt(bytes, index, path));
    }
    // The header of a written key.
    static KeyHeader of(std::span<const std::uint8_t> writtenKey) {
        std::size_t index = 0;
        return read(writtenKey, index, {});
    }

    // The data type's raw value, for code that switches on it without a check.
    constexpr std::uint64_t rawDataType() const { return value_ & dataTypeMask; }
    // The data type; the unused raw values 3 and 4 throw the data-corrupted error
    // "Unknown data type N" with `path`.
    DataType dataType(const CodingPath& path) const { return dataTypeOfRaw(rawDataType(), path); }

    constexpr bool isTextKey() const { return (value_ & textKeyBit) != 0; }
    constexpr std::int64_t integerKey() const { return static_cast<std::int64_t>(value_) >> 4; }
    // A text key's byte count; a header that reads as negative throws "Invalid data size".
    std::uint64_t textByteCount(const CodingPath& path) const {
        if (static_cast<std::int64_t>(value_) < 0)
            invalidSize(path);
        return value_ >> 4;
    }

    constexpr std::uint64_t value() const { return value_; }
    explicit constexpr KeyHeader(std::uint64_t value) : value_(value) {}

private:
    [[noreturn]] static void invalidSize(const CodingPath& path);

    static constexpr std::uint8_t dataTypeMask = 7;
    static constexpr std::uint64_t textKeyBit = 8;

    std::uint64_t value_;
};

} // namespace coding
