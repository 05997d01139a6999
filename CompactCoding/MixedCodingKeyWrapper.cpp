#include "CompactCoding/MixedCodingKeyWrapper.h"

#include "CompactCoding/VariableLengthInteger.h"
#include "coding/Fatal.h"

namespace coding {

std::string MixedCodingKeyWrapper::outOfRangeMessage(const CodingKey& key) {
    return "Integer key " + std::to_string(key.intValue.value_or(0)) + " is out of range [" +
           std::to_string(minimumIntegerKey) + "..." + std::to_string(maximumIntegerKey) + "] for coding key " +
           key.stringValue;
}

void MixedCodingKeyWrapper::requireInRange(const CodingKey& key) {
    if (key.intValue && !isInRange(*key.intValue))
        fatal(outOfRangeMessage(key));
}

MixedCodingKeyWrapper::MixedCodingKeyWrapper(const CodingKey& key)
    : intValue_(key.intValue), stringValue_(key.stringValue) {
    requireInRange(key);
}

std::size_t MixedCodingKeyWrapper::headerSize(DataType dataType) const {
    const std::size_t size = header(dataType).size();
    return intValue_ ? size : size + stringValue_.size();
}

void MixedCodingKeyWrapper::appendHeader(DataType dataType, std::vector<std::uint8_t>& out) const {
    header(dataType).append(out);
    if (!intValue_)
        out.insert(out.end(), stringValue_.begin(), stringValue_.end());
}

// A key standing as a value (a dictionary key written as an element) has no use for negative
// integers; they are written as their 64-bit pattern, which reads back unchanged.
std::size_t MixedCodingKeyWrapper::dataSize() const {
    return intValue_ ? variableLengthSize(static_cast<std::uint64_t>(*intValue_)) : stringValue_.size();
}

void MixedCodingKeyWrapper::appendData(std::vector<std::uint8_t>& out) const {
    if (intValue_)
        appendVariableLength(static_cast<std::uint64_t>(*intValue_), out);
    else
        out.insert(out.end(), stringValue_.begin(), stringValue_.end());
}

DataType MixedCodingKeyWrapper::dataType() const {
    return intValue_ ? DataType::variableLengthInteger : DataType::variableLength;
}

} // namespace coding
