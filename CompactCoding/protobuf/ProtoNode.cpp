#include "CompactCoding/protobuf/ProtoNode.h"

#include "CompactCoding/protobuf/KeyedProtoEncoder.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoPrimitive.h"
#include "CompactCoding/protobuf/UnkeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ValueProtoEncoder.h"

namespace coding {

std::shared_ptr<ProtoContainer> ProtoNode::describe(const EncodeItem& item, const AbstractProtoNode& creator) {
    if (item.category == ValueCategory::primitive) {
        const PrimitiveKind kind = kindOf(item.primitive);
        if (!hasProtobufForm(kind))
            throw ProtobufEncodingError(ProtobufEncodingError::Kind::unsupportedType, std::string(item.typeName));
        return std::make_shared<ProtoPrimitive>(coding::protoTypeName(kind));
    }
    auto node = std::make_shared<ProtoNode>(std::string(item.typeName), creator.nodePath(), creator.sharedUserInfo(),
                                            item.isMap);
    item.encode(*node);
    return node;
}

std::string ProtoNode::protoTypeName() const { return container_ ? container_->protoTypeName() : "No container"; }

template <class Container>
std::shared_ptr<Container> ProtoNode::keep(std::shared_ptr<Container> container) {
    if (container_)
        recordError(ProtobufEncodingError(ProtobufEncodingError::Kind::multipleContainersAccessed));
    else
        container_ = container;
    return container;
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoNode::makeKeyedContainer(const KeySet&) {
    return keep(std::make_shared<KeyedProtoEncoder>(encodedType(), nodePath(), sharedUserInfo()));
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoNode::makeUnkeyedContainer() {
    return keep(std::make_shared<UnkeyedProtoEncoder>(encodedType(), nodePath(), sharedUserInfo()));
}

std::shared_ptr<SingleValueEncodingContainerBox> ProtoNode::makeSingleValueContainer() {
    return keep(std::make_shared<ValueProtoEncoder>(encodedType(), nodePath(), sharedUserInfo()));
}

} // namespace coding
