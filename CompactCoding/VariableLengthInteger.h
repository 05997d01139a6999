#pragma once

#include "coding/CodingKey.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace coding {

// The 9-byte form: seven bits per byte, low group first, bit 7 set when another byte follows;
// after eight such bytes the ninth carries the top eight bits whole. Every key header, length
// prefix, nil index and integer value of the compact format uses it.
inline constexpr std::size_t maxVariableLengthSize = 9;

constexpr std::size_t variableLengthSize(std::uint64_t value) {
    std::size_t size = 1;
    while (value >= 0x80 && size < maxVariableLengthSize) {
        value >>= 7;
        ++size;
    }
    return size;
}

// Writes the 9-byte form at `out` (room for maxVariableLengthSize bytes) and returns the end.
inline std::uint8_t* writeVariableLength(std::uint64_t value, std::uint8_t* out) {
    for (std::size_t i = 0; i < maxVariableLengthSize - 1; ++i) {
        if (value < 0x80) {
            *out++ = static_cast<std::uint8_t>(value);
            return out;
        }
        *out++ = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<std::uint8_t>(value);
    return out;
}

template <class Allocator>
void appendVariableLength(std::uint64_t value, std::vector<std::uint8_t, Allocator>& out) {
    if (value < 0x80) {
        out.push_back(static_cast<std::uint8_t>(value));
        return;
    }
    std::uint8_t buffer[maxVariableLengthSize];
    std::uint8_t* end = writeVariableLength(value, buffer);
    out.insert(out.end(), buffer, end);
}

// Reads one 9-byte-form integer from the start of `bytes`; later bytes are ignored. Bytes that
// end before the integer does throw the data-corrupted error "Premature end of data".
std::uint64_t readVariableLengthInteger(std::span<const std::uint8_t> bytes, const CodingPath& path);
// The same, also telling how many bytes the integer took.
std::uint64_t readVariableLengthInteger(std::span<const std::uint8_t> bytes, std::size_t& length,
                                        const CodingPath& path);

// The same at `index`, which moves past the integer. Nearly every key header, length and small
// integer is one or two bytes, which are read without a call.
inline std::uint64_t readVariableLengthIntegerAt(std::span<const std::uint8_t> bytes, std::size_t& index,
                                                 const CodingPath& path) {
    if (index < bytes.size() && bytes[index] < 0x80)
        return bytes[index++];
    if (bytes.size() - index >= 2 && bytes[index + 1] < 0x80) {
        const std::uint64_t value = (bytes[index] & 0x7Fu) | (std::uint64_t{bytes[index + 1]} << 7);
        index += 2;
        return value;
    }
    std::size_t length = 0;
    const std::uint64_t value = readVariableLengthInteger(bytes.subspan(index), length, path);
    index += length;
    return value;
}

// The 10-byte form (seven bits per byte without limit): the form of the published protobuf
// encoding, which the protobuf-compatible coders write and read for every integer, and of the
// compact zig-zag form of an unsigned 64-bit integer. Values below 2^63 take the same bytes as in
// the 9-byte form.
inline constexpr std::size_t maxExtendedVariableLengthSize = 10;
std::size_t extendedVariableLengthSize(std::uint64_t value);
void appendExtendedVariableLength(std::uint64_t value, std::vector<std::uint8_t>& out);
// Writes the 10-byte form at `out` (room for maxExtendedVariableLengthSize bytes); returns the end.
inline std::uint8_t* writeExtendedVariableLength(std::uint64_t value, std::uint8_t* out) {
    while (value >= 0x80) {
        *out++ = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<std::uint8_t>(value);
    return out;
}
// A tenth byte other than 0 or 1 throws "Encoded variable-length integer out of range"; bytes
// that end before the integer does, "Premature end of data".
std::uint64_t readExtendedVariableLengthInteger(std::span<const std::uint8_t> bytes, const CodingPath& path);
std::uint64_t readExtendedVariableLengthInteger(std::span<const std::uint8_t> bytes, std::size_t& length,
                                                const CodingPath& path);
// The same at `index`, which moves past the integer; a one-byte integer is read without a call.
inline std::uint64_t readExtendedVariableLengthIntegerAt(std::span<const std::uint8_t> bytes, std::size_t& index,
                                                         const CodingPath& path) {
    if (index < bytes.size() && bytes[index] < 0x80)
        return bytes[index++];
    std::size_t length = 0;
    const std::uint64_t value = readExtendedVariableLengthInteger(bytes.subspan(index), length, path);
    index += length;
    return value;
}

// Zig-zag maps small negative numbers to small unsigned ones: 0, -1, 1, -2 ... to 0, 1, 2, 3 ...
constexpr std::uint64_t zigZagEncode(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    return value < 0 ? (~bits << 1) | 1 : bits << 1;
}

constexpr std::int64_t zigZagDecode(std::uint64_t value) {
    return static_cast<std::int64_t>((value >> 1) ^ (0 - (value & 1)));
}

} // namespace coding
