#pragma once

#include "coding/CodingKey.h"

#include <cstdint>
#include <optional>

namespace coding {

// How a value's bytes are framed on the wire. The raw value is what the low three bits of every
// key header carry; it is not the case's position, and 3 and 4 are never written.
enum class DataType : std::uint8_t {
    variableLengthInteger = 0,
    byte = 6,
    twoBytes = 7,
    variableLength = 2,
    fourBytes = 5,
    eightBytes = 1,
};

constexpr std::uint8_t rawValue(DataType type) { return static_cast<std::uint8_t>(type); }

// The wire type a raw value names; nothing for 3, 4 and everything from 8 on.
constexpr std::optional<DataType> dataTypeFromRaw(std::uint64_t raw) {
    switch (raw) {
    case 0: return DataType::variableLengthInteger;
    case 1: return DataType::eightBytes;
    case 2: return DataType::variableLength;
    case 5: return DataType::fourBytes;
    case 6: return DataType::byte;
    case 7: return DataType::twoBytes;
    default: return std::nullopt;
    }
}

// The wire type a raw value read from data names (the low three bits of a key header or a field
// tag); throws the data-corrupted error "Unknown data type N" (with `path`) for the unused
// values 3 and 4.
[[noreturn]] void unknownDataType(std::uint64_t raw, const CodingPath& path);
inline DataType dataTypeOfRaw(std::uint64_t raw, const CodingPath& path) {
    if (raw < 8 && raw != 3 && raw != 4)
        return static_cast<DataType>(raw);
    unknownDataType(raw, path);
}

} // namespace coding
