#include "CompactCoding/ProtoDictEncodingNode.h"

#include "CompactCoding/ProtoDictKeyedEncoder.h"
#include "CompactCoding/ProtoDictUnkeyedEncoder.h"

namespace coding {

std::shared_ptr<KeyedEncodingContainerBox> ProtoDictEncodingNode::makeKeyedContainer(const KeySet&) {
    return assignedContainer([&] { return makeNode<ProtoDictKeyedEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoDictEncodingNode::makeUnkeyedContainer() {
    return assignedContainer(
        [&] { return makeNode<ProtoDictUnkeyedEncoder>(sharedCodingPath(), sharedUserInfo()); });
}

} // namespace coding
