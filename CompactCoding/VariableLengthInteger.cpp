#include "CompactCoding/VariableLengthInteger.h"

#include "coding/DecodingError.h"

namespace coding {

namespace {

[[noreturn]] void prematureEnd(const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Premature end of data");
}

} // namespace

std::uint64_t readVariableLengthInteger(std::span<const std::uint8_t> bytes, std::size_t& length,
                                        const CodingPath& path) {
    std::uint64_t result = 0;
    for (std::size_t i = 0; i < maxVariableLengthSize - 1; ++i) {
        if (i >= bytes.size())
            prematureEnd(path);
        const std::uint8_t byte = bytes[i];
        result |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0) {
            length = i + 1;
            return result;
        }
    }
    if (bytes.size() < maxVariableLengthSize)
        prematureEnd(path);
    length = maxVariableLengthSize;
    return result | static_cast<std::uint64_t>(bytes[maxVariableLengthSize - 1]) << 56;
}

std::uint64_t readVariableLengthInteger(std::span<const std::uint8_t> bytes, const CodingPath& path) {
    std::size_t length = 0;
    return readVariableLengthInteger(bytes, length, path);
}

std::size_t extendedVariableLengthSize(std::uint64_t value) {
    std::size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

void appendExtendedVariableLength(std::uint64_t value, std::vector<std::uint8_t>& out) {
    while (value >= 0x80) {
        out.push_back(static_cast<std::uint8_t>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

std::uint64_t readExtendedVariableLengthInteger(std::span<const std::uint8_t> bytes, std::size_t& length,
                                                const CodingPath& path) {
    std::uint64_t result = 0;
    for (std::size_t i = 0; i < maxExtendedVariableLengthSize - 1; ++i) {
        if (i >= bytes.size())
            prematureEnd(path);
        const std::uint8_t byte = bytes[i];
        result |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0) {
            length = i + 1;
            return result;
        }
    }
    if (bytes.size() < maxExtendedVariableLengthSize)
        prematureEnd(path);
    length = maxExtendedVariableLengthSize;
    switch (bytes[maxExtendedVariableLengthSize - 1]) {
    case 0: return result;
    case 1: return result | (std::uint64_t{1} << 63);
    default:
        throw DecodingError::dataCorrupted(path, "Encoded variable-length integer out of range");
    }
}

std::uint64_t readExtendedVariableLengthInteger(std::span<const std::uint8_t> bytes, const CodingPath& path) {
    std::size_t length = 0;
    return readExtendedVariableLengthInteger(bytes, length, path);
}

} // namespace coding
