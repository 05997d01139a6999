#include "CompactCoding/protobuf/ProtoDictEncodingNode.h"

#include "CompactCoding/protobuf/ProtoDictKeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoDictUnkeyedEncoder.h"

namespace coding {

std::shared_ptr<KeyedEncodingContainerBox> ProtoDictEncodingNode::makeKeyedContainer(const KeySet&) {
    return assignedContainer([&] { return makeNode<ProtoDictKeyedEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoDictEncodingNode::makeUnkeyedContainer() {
    return assignedContainer(
        [&] { return makeNode<ProtoDictUnkeyedEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

} // namespace coding
