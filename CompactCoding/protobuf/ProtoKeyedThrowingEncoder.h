#pragma once

#include "CompactCoding/protobuf/ProtoThrowingNode.h"
#include "coding/KeyedEncodingContainer.h"

namespace coding {

// A refused keyed container: every write throws the recorded error, every nested container and
// super encoder is refused the same way.
class ProtoKeyedThrowingEncoder final : public ProtoThrowingNode, public KeyedEncodingContainerBox {
public:
    using ProtoThrowingNode::ProtoThrowingNode;
    explicit ProtoKeyedThrowingEncoder(const ProtoThrowingNode& other) : ProtoThrowingNode(other) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil(const CodingKey&) override { throwError(); }
    void encode(const EncodeItem&, const CodingKey&) override { throwError(); }
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet&, const CodingKey&) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey&) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey&) override;
};

} // namespace coding
