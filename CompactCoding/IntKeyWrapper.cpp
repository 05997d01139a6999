#include "CompactCoding/IntKeyWrapper.h"

#include "CompactCoding/ProtobufEncodingError.h"

namespace coding {

IntKeyWrapper::IntKeyWrapper(const CodingKey& key) {
    if (!key.intValue)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::missingIntegerKey, key.stringValue);
    if (!isFieldNumber(*key.intValue))
        throw ProtobufEncodingError::integerKeyOutOfRange(*key.intValue);
    number_ = static_cast<std::uint32_t>(*key.intValue);
}

IntKeyWrapper IntKeyWrapper::fromTag(std::uint64_t tag, DataType& wireType, const CodingPath& path) {
    wireType = dataTypeOfRaw(tag & 7, path);
    const auto number = static_cast<std::int64_t>(tag) >> 3;
    if (!isFieldNumber(number))
        throw ProtobufEncodingError::integerKeyOutOfRange(number);
    return IntKeyWrapper(static_cast<std::uint32_t>(number));
}

} // namespace coding
