#include "CompactCoding/EncodeValue.h"

#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/WrapError.h"

namespace coding {

std::span<const std::uint8_t> encodePrimitive(const EncodeItem& item, const AbstractEncodingNode& creator,
                                              PrimitiveScratch& scratch) {
    return wrapError(creator.codingPath(), [&] { return compactBytes(item.primitive, scratch); });
}

std::shared_ptr<EncodingContainer> encodeNestedValue(const EncodeItem& item, const AbstractEncodingNode& creator) {
    // The node hands out one container, and the container is what the parent keeps: its bytes
    // are the node's in every position. So the node itself need not outlive the value's coding.
    EncodingNode node(creator.sharedCodingPath(), creator.sharedUserInfo(),
                      item.category == ValueCategory::optional, creator.arena());
    item.encode(node);
    return node.takeCompletedContainer(item.typeName);
}

} // namespace coding
