#include "CompactCoding/EncodingContainer.h"

#include "CompactCoding/VariableLengthInteger.h"

namespace coding {

std::size_t EncodingContainer::dataWithLengthPrefixSize() const {
    const std::size_t size = dataSize();
    if (dataType() != DataType::variableLength)
        return size;
    return variableLengthSize(size) + size;
}

void EncodingContainer::appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const {
    if (dataType() == DataType::variableLength)
        appendVariableLength(dataSize(), out);
    appendData(out);
}

std::size_t EncodingContainer::sizeWithKey(const CodingKeyWrapper& key) const { return occurrenceSize(key); }

void EncodingContainer::appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
    appendOccurrence(key, out);
}

std::vector<std::uint8_t> EncodingContainer::data() const {
    std::vector<std::uint8_t> out;
    out.reserve(dataSize());
    appendData(out);
    return out;
}

std::vector<std::uint8_t> EncodingContainer::dataWithLengthPrefix() const {
    std::vector<std::uint8_t> out;
    out.reserve(dataWithLengthPrefixSize());
    appendDataWithLengthPrefix(out);
    return out;
}

std::vector<std::uint8_t> EncodingContainer::encodeWithKey(const CodingKeyWrapper& key) const {
    std::vector<std::uint8_t> out;
    out.reserve(sizeWithKey(key));
    appendWithKey(key, out);
    return out;
}

} // namespace coding
