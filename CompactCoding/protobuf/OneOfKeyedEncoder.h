#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "coding/KeyedEncodingContainer.h"

#include <memory>
#include <optional>

namespace coding {

class OneOfAssociatedValuesEncoder;

// The outer of a oneof's two keyed containers (the enumeration's, holding its cases); the inner
// one, of the chosen case and holding its value, is OneOfAssociatedValuesEncoder.
//
// A oneof's keyed container: it takes the chosen case as a nested container under the case's key
// (a later case replaces an earlier one) and refuses every other call with invalidAccess.
class OneOfKeyedEncoder final : public AbstractEncodingNode, public KeyedEncodingContainerBox {
public:
    using AbstractEncodingNode::AbstractEncodingNode;

    // The chosen case's field number and the encoder of its value; none before a case is opened.
    struct Content {
        IntKeyWrapper field;
        std::shared_ptr<OneOfAssociatedValuesEncoder> value;
    };
    const std::optional<Content>& content() const { return content_; }

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

private:
    std::optional<Content> content_;
};

} // namespace coding
