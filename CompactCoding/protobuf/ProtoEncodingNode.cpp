#include "CompactCoding/protobuf/ProtoEncodingNode.h"

#include "CompactCoding/protobuf/ProtoKeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoValueEncoder.h"

namespace coding {

std::shared_ptr<KeyedEncodingContainerBox> ProtoEncodingNode::makeKeyedContainer(const KeySet& keys) {
    return assignedContainer(
        [&] { return makeNode<ProtoKeyedEncoder>(sharedCodingPath(), sharedUserInfo(), keys.keys().size()); });
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoEncodingNode::makeUnkeyedContainer() {
    return assignedContainer([&] { return makeNode<ProtoUnkeyedEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

std::shared_ptr<SingleValueEncodingContainerBox> ProtoEncodingNode::makeSingleValueContainer() {
    return assignedContainer([&] { return makeNode<ProtoValueEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

} // namespace coding
