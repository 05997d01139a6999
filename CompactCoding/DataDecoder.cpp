#include "CompactCoding/DataDecoder.h"

#include "coding/DecodingError.h"

namespace coding {

void DataDecoder::prematureEnd(const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Premature end of data");
}

std::span<const std::uint8_t> DataDecoder::getDataOfType(DataType type, const CodingPath& path) {
    if (type != DataType::variableLength)
        return BinaryStreamProvider::getDataOfType(type, path);
    // A value whose bytes fall short leaves the position before its length prefix.
    const std::size_t start = index_;
    const auto count = static_cast<std::int64_t>(readVarint(path));
    if (count < 0) {
        index_ = start;
        throw DecodingError::dataCorrupted(path, "Invalid data size");
    }
    if (static_cast<std::uint64_t>(count) > remaining()) {
        index_ = start;
        prematureEnd(path);
    }
    return getBytes(static_cast<std::size_t>(count), path);
}

} // namespace coding
