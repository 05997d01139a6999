#include "CompactCoding/protobuf/ProtoOccurrence.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/DecodingError.h"

#include <limits>
#include <string>

namespace coding {

namespace {

[[noreturn]] void corrupt(const CodingPath& path, const char* message) {
    throw DecodingError::dataCorrupted(path, message);
}

// Tags and byte counts are 32-bit varints, of at most five bytes.
constexpr std::size_t maxShortVarintSize = 5;

// The varint at `index` of at most five bytes, which moves past it; a longer one is the
// data-corrupted error `tooLong`.
std::uint64_t readShortVarint(std::span<const std::uint8_t> bytes, std::size_t& index, const CodingPath& path,
                              const char* tooLong) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < maxShortVarintSize; ++i) {
        if (index == bytes.size())
            corrupt(path, "Premature end of data");
        const std::uint8_t byte = bytes[index++];
        value |= std::uint64_t{byte & 0x7Fu} << (7 * i);
        if (byte < 0x80)
            return value;
    }
    corrupt(path, tooLong);
}

} // namespace

void unexpectedWireType(DataType wireType, const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Unexpected data type " + std::to_string(rawValue(wireType)));
}

std::uint64_t ProtoOccurrence::readLongTag(std::span<const std::uint8_t> bytes, std::size_t& index,
                                          const CodingPath& path) {
    return readShortVarint(bytes, index, path, "Encoded variable-length integer out of range");
}

std::span<const std::uint8_t> ProtoOccurrence::readPayload(std::span<const std::uint8_t> bytes, std::size_t& index,
                                                           const CodingPath& path) {
    // A count that is not a varint of five bytes at most, or that is 2^31 or more, is refused as
    // protobuf refuses it, whatever follows.
    const std::uint64_t count = index < bytes.size() && bytes[index] < 0x80
                                    ? bytes[index++]
                                    : readShortVarint(bytes, index, path, "Invalid data size");
    if (count > std::uint64_t{std::numeric_limits<std::int32_t>::max()})
        corrupt(path, "Invalid data size");
    if (count > bytes.size() - index)
        corrupt(path, "Premature end of data");
    const auto payload = bytes.subspan(index, static_cast<std::size_t>(count));
    index += payload.size();
    return payload;
}

ProtoOccurrence ProtoOccurrence::readValue(std::span<const std::uint8_t> bytes, std::size_t& index, DataType wireType,
                                           const CodingPath& path) {
    const std::size_t start = index;
    if (wireType == DataType::variableLength) {
        const auto payload = readPayload(bytes, index, path);
        return ProtoOccurrence{payload.data(), static_cast<std::uint32_t>(payload.size()), wireType};
    }
    if (wireType == DataType::variableLengthInteger) {
        readExtendedVariableLengthIntegerAt(bytes, index, path);
    } else {
        const std::size_t size = fixedDataSize(wireType);
        if (size > bytes.size() - index)
            corrupt(path, "Premature end of data");
        index += size;
    }
    return ProtoOccurrence{bytes.data() + start, static_cast<std::uint32_t>(index - start), wireType};
}

} // namespace coding
