#include "CompactCoding/protobuf/IntKeyWrapper.h"

#include "CompactCoding/protobuf/ProtobufEncodingError.h"

namespace coding {

void IntKeyWrapper::refuse(const CodingKey& key) {
    if (!key.intValue)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::missingIntegerKey, key.stringValue);
    outOfRange(*key.intValue);
}

void IntKeyWrapper::outOfRange(std::int64_t number) { throw ProtobufEncodingError::integerKeyOutOfRange(number); }

} // namespace coding
