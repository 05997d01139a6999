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

} // namespace

void unexpectedWireType(DataType wireType, const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Unexpected data type " + std::to_string(rawValue(wireType)));
}

std::span<const std::uint8_t> ProtoOccurrence::readPayload(std::span<const std::uint8_t> bytes, std::size_t& index,
                                                           const CodingPath& path) {
    const auto count = static_cast<std::int64_t>(readExtendedVariableLengthIntegerAt(bytes, index, path));
    if (count < 0)
        corrupt(path, "Invalid data size");
    if (static_cast<std::uint64_t>(count) > bytes.size() - index)
        corrupt(path, "Premature end of data");
    if (static_cast<std::uint64_t>(count) > std::numeric_limits<std::uint32_t>::max())
        corrupt(path, "Invalid data size");
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
