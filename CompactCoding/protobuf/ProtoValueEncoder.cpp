#include "CompactCoding/protobuf/ProtoValueEncoder.h"

#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

namespace coding {

void ProtoValueEncoder::encodeNil() {
    if (value_)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::multipleValuesInSingleValueContainer);
}

void ProtoValueEncoder::encode(const EncodeItem& item) {
    if (value_)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::multipleValuesInSingleValueContainer);
    if (item.category == ValueCategory::primitive) {
        value_.emplace(encodedProtobufPrimitive(item, true, codingPath()));
        return;
    }
    if (auto container = encodeProtoNestedValue(item, *this))
        value_.emplace(std::move(container));
}

} // namespace coding
