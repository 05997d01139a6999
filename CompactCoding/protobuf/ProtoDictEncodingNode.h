#pragma once

#include "CompactCoding/protobuf/ProtoEncodingNode.h"

namespace coding {

// The node a dictionary describes itself to: its keyed form (string or integer keys) and its
// unkeyed form (key, value, key, value...) both become map entries, each a small message with the
// key as field 1 and the value as field 2.
class ProtoDictEncodingNode final : public ProtoEncodingNode {
public:
    using ProtoEncodingNode::ProtoEncodingNode;

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
};

} // namespace coding
