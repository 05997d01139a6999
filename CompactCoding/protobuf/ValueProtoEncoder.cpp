#include "CompactCoding/protobuf/ValueProtoEncoder.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoNode.h"

namespace coding {

void ValueProtoEncoder::encodeNil() {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void ValueProtoEncoder::encode(const EncodeItem& item) {
    if (container_) {
        // A primitive protobuf cannot carry is refused even so.
        if (item.category == ValueCategory::primitive && !hasProtobufForm(kindOf(item.primitive)))
            throw ProtobufEncodingError(ProtobufEncodingError::Kind::unsupportedType, std::string(item.typeName));
        recordError(ProtobufEncodingError(ProtobufEncodingError::Kind::multipleValuesInSingleValueContainer));
        return;
    }
    container_ = ProtoNode::describe(item, *this);
}

} // namespace coding
