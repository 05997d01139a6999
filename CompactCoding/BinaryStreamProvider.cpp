#include "CompactCoding/BinaryStreamProvider.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "coding/DecodingError.h"

namespace coding {

std::span<const std::uint8_t> BinaryStreamProvider::getVarintBytes(const CodingPath& path) {
    // Byte by byte: a source that fetches on demand must not be asked for bytes past the integer.
    std::size_t size = 0;
    do {
        varintScratch_[size] = getByte(path);
        ++size;
    } while ((varintScratch_[size - 1] & 0x80) != 0 && size < maxVariableLengthSize);
    return std::span<const std::uint8_t>(varintScratch_.data(), size);
}

std::int64_t BinaryStreamProvider::getVariableLengthInteger(const CodingPath& path) {
    return static_cast<std::int64_t>(readVariableLengthInteger(getVarintBytes(path), path));
}

std::span<const std::uint8_t> BinaryStreamProvider::getDataOfType(DataType type, const CodingPath& path) {
    if (type == DataType::variableLengthInteger)
        return getVarintBytes(path);
    if (type != DataType::variableLength)
        return getBytes(fixedDataSize(type), path);
    const std::int64_t count = getVariableLengthInteger(path);
    if (count < 0)
        throw DecodingError::dataCorrupted(path, "Invalid data size");
    return getBytes(static_cast<std::size_t>(count), path);
}

} // namespace coding
