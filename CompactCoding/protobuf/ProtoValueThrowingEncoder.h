#pragma once

#include "CompactCoding/protobuf/ProtoThrowingNode.h"
#include "coding/SingleValueEncodingContainer.h"

namespace coding {

// A refused single-value container: nil and every value throw the recorded error.
class ProtoValueThrowingEncoder final : public ProtoThrowingNode, public SingleValueEncodingContainerBox {
public:
    using ProtoThrowingNode::ProtoThrowingNode;
    explicit ProtoValueThrowingEncoder(const ProtoThrowingNode& other) : ProtoThrowingNode(other) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil() override { throwError(); }
    void encode(const EncodeItem&) override { throwError(); }
};

} // namespace coding
