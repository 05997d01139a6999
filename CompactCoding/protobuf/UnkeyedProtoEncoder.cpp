#include "CompactCoding/protobuf/UnkeyedProtoEncoder.h"

#include "CompactCoding/protobuf/KeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ProtoNode.h"
#include "CompactCoding/protobuf/ProtoThrowingNode.h"

namespace coding {

void UnkeyedProtoEncoder::append(std::shared_ptr<ProtoContainer> element) {
    if (!content_.empty() && content_.front()->protoTypeName() != element->protoTypeName())
        recordError(ProtobufEncodingError(ProtobufEncodingError::Kind::multipleTypesInUnkeyedContainer));
    content_.push_back(std::move(element));
}

void UnkeyedProtoEncoder::encodeNil() {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void UnkeyedProtoEncoder::encode(const EncodeItem& item) { append(ProtoNode::describe(item, *this)); }

std::shared_ptr<KeyedEncodingContainerBox> UnkeyedProtoEncoder::nestedContainer(const KeySet&) {
    auto container = std::make_shared<KeyedProtoEncoder>(encodedType(), nodePath(), sharedUserInfo());
    append(container);
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> UnkeyedProtoEncoder::nestedUnkeyedContainer() {
    auto container = std::make_shared<UnkeyedProtoEncoder>(encodedType(), nodePath(), sharedUserInfo());
    append(container);
    return container;
}

std::shared_ptr<Encoder> UnkeyedProtoEncoder::superEncoder() {
    const std::shared_ptr<const CodingPath> path = std::make_shared<const CodingPath>(nodePath());
    return std::make_shared<ProtoThrowingNode>(path, sharedUserInfo(),
                                               ProtobufEncodingError(ProtobufEncodingError::Kind::superNotSupported));
}

std::string UnkeyedProtoEncoder::protoTypeName() const {
    return content_.empty() ? "repeated " : "repeated " + content_.front()->protoTypeName();
}

} // namespace coding
