#include "CompactCoding/protobuf/OneOfEncodingNode.h"

#include "CompactCoding/protobuf/OneOfAssociatedValuesEncoder.h"
#include "CompactCoding/protobuf/OneOfKeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoValueThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/Fatal.h"

namespace coding {

namespace {

ProtobufEncodingError noContainers() { return ProtobufEncodingError(ProtobufEncodingError::Kind::noContainersAccessed); }

ProtobufEncodingError refused(const char* call) {
    return ProtobufEncodingError(ProtobufEncodingError::Kind::invalidAccess,
                                 std::string("Unexpected call to `") + call + "` while encoding a `ProtobufOneOf` type");
}

} // namespace

std::pair<IntKeyWrapper, std::shared_ptr<EncodingContainer>> OneOfEncodingNode::chosenCase() const {
    if (!container_ || !container_->content())
        throw noContainers();
    const auto& content = *container_->content();
    if (!content.value->value())
        throw noContainers();
    return {content.field, content.value->value()};
}

std::shared_ptr<KeyedEncodingContainerBox> OneOfEncodingNode::makeKeyedContainer(const KeySet&) {
    if (container_)
        fatal("Multiple calls to `container<>(keyedBy:)` while encoding a `ProtobufOneOf` type");
    container_ = makeNode<OneOfKeyedEncoder>(sharedCodingPath(), sharedUserInfo(), false);
    return container_;
}

std::shared_ptr<UnkeyedEncodingContainerBox> OneOfEncodingNode::makeUnkeyedContainer() {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(sharedCodingPath(), sharedUserInfo(),
                                                         refused("unkeyedContainer()"));
}

std::shared_ptr<SingleValueEncodingContainerBox> OneOfEncodingNode::makeSingleValueContainer() {
    return std::make_shared<ProtoValueThrowingEncoder>(sharedCodingPath(), sharedUserInfo(),
                                                       refused("singleValueContainer()"));
}

} // namespace coding
