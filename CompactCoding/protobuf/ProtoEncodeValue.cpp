#include "CompactCoding/protobuf/ProtoEncodeValue.h"

#include "CompactCoding/protobuf/ProtoDictEncodingNode.h"
#include "CompactCoding/protobuf/ProtoEncodingNode.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

#include <string>

namespace coding {

void detail::refuseUnsupported(const EncodeItem& item) {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::unsupportedType, std::string(item.typeName));
}

EncodedPrimitive encodedProtobufPrimitive(const EncodeItem& item, bool omitDefaults, const CodingPath& path,
                                          const CodingKey* key) {
    PrimitiveScratch scratch;
    const ProtobufForm form = protobufPrimitive(item, path, key, scratch);
    return EncodedPrimitive(dataTypeOf(kindOf(item.primitive)), form.bytes, omitDefaults && form.isZero);
}

std::shared_ptr<EncodingContainer> encodeProtoNestedValue(const EncodeItem& item, const AbstractEncodingNode& creator) {
    // The parent keeps the container the value asked for, not the node, which need not outlive
    // the value's coding.
    if (item.isMap) {
        ProtoDictEncodingNode node(creator.sharedCodingPath(), creator.sharedUserInfo(), creator.arena());
        item.encode(node);
        return node.container();
    }
    ProtoEncodingNode node(creator.sharedCodingPath(), creator.sharedUserInfo(), creator.arena());
    item.encode(node);
    return node.container();
}

std::shared_ptr<EncodingContainer> encodeProtoRequiredValue(const EncodeItem& item, const AbstractEncodingNode& creator) {
    if (item.category == ValueCategory::optional && item.isNil)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
    auto container = encodeProtoNestedValue(item, creator);
    if (!container)
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::noContainersAccessed);
    // A wrapper of an absent optional holds nothing either.
    if (container->isNil())
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
    return container;
}

} // namespace coding
