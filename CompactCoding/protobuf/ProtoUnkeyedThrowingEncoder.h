#pragma once

#include "CompactCoding/protobuf/ProtoThrowingNode.h"
#include "coding/UnkeyedEncodingContainer.h"

namespace coding {

// A refused list: it never holds an element; every write throws the recorded error.
class ProtoUnkeyedThrowingEncoder final : public ProtoThrowingNode, public UnkeyedEncodingContainerBox {
public:
    using ProtoThrowingNode::ProtoThrowingNode;
    explicit ProtoUnkeyedThrowingEncoder(const ProtoThrowingNode& other) : ProtoThrowingNode(other) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::int64_t count() const override { return 0; }
    void encodeNil() override { throwError(); }
    void encode(const EncodeItem&) override { throwError(); }
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet&) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;
};

} // namespace coding
