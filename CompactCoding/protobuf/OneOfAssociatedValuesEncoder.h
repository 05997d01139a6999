#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/KeyedEncodingContainer.h"

#include <memory>

namespace coding {

// The inner of a oneof's two keyed containers (the chosen case's, holding its value); the outer
// one, the enumeration's, is OneOfKeyedEncoder.
//
// The keyed container of one oneof case: it takes the case's one value, whatever its key, and
// keeps it with its default bytes (a case carrying 0 or "" must still be seen). Every other call
// is refused with invalidAccess.
class OneOfAssociatedValuesEncoder final : public AbstractEncodingNode, public KeyedEncodingContainerBox {
public:
    using AbstractEncodingNode::AbstractEncodingNode;

    // The container of the case's value; null while there is none.
    const std::shared_ptr<EncodingContainer>& value() const { return value_; }

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

private:
    std::shared_ptr<EncodingContainer> value_;
};

} // namespace coding
