#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodedValue.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/SingleValueEncodingContainer.h"

#include <optional>

namespace coding {

// A single value. Written exactly like the value it holds, unless it stands for an optional
// (`containsOptional`): then a marker byte comes first, 0x00 for nil, or 0x01 followed by the
// value in its length-prefixed form.
class ValueEncoder final : public AbstractEncodingNode,
                           public SingleValueEncodingContainerBox,
                           public EncodingContainer {
public:
    ValueEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 bool containsOptional, EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), containsOptional, arena) {}

    const std::optional<EncodedValue>& container() const { return container_; }
    bool hasValue() const { return hasValue_; }
    // The value encoded into this container was itself of an optional type.
    bool containerHasOptionalContent() const { return containerHasOptionalContent_; }
    // Holds something that can be written: a value, or a nil of an optional.
    bool isWritable() const { return container_.has_value() || containsOptional(); }

    // SingleValueEncodingContainerBox
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    DataType dataType() const override;
    bool isEmpty() const override { return !container_ || container_->isEmpty(); }
    std::size_t dataWithLengthPrefixSize() const override;
    void appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const override;
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override;
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override;

private:
    void requireNoValue() const;
    const EncodedValue& requiredContainer() const;
    // Under a key, an optional (or a wrapper of one) is framed as variable-length; these are the
    // bytes inside that frame.
    bool keyedPayloadIsContainerData() const { return containerHasOptionalContent_ && !containsOptional(); }
    std::size_t keyedPayloadSize() const;

    std::optional<EncodedValue> container_;
    bool containerHasOptionalContent_ = false;
    bool hasValue_ = false;
};

} // namespace coding
