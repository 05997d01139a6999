#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodedValue.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/SingleValueEncodingContainer.h"

#include <optional>

namespace coding {

// Bytes, not definitions: the single-value container ProtobufEncoder writes a value with. Its
// twin ValueProtoEncoder only describes the value for ProtobufDefinition; ProtoValueDecoder reads
// it back.
//
// A value that describes itself as one value (a raw-value enumeration, a wrapper): written exactly
// as the value it holds. A default value counts as empty, so that a message leaves it out; its
// bytes stay for the places that keep defaults (list elements, map entries, oneof cases).
class ProtoValueEncoder final : public AbstractEncodingNode,
                                public SingleValueEncodingContainerBox,
                                public EncodingContainer {
public:
    ProtoValueEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena) {}


    // SingleValueEncodingContainerBox: a second value or a nil after a value throws
    // multipleValuesInSingleValueContainer; nil stores nothing.
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;

    // EncodingContainer: the held value's, and empty without one.
    std::size_t dataSize() const override { return value_ ? value_->dataSize() : 0; }
    void appendData(std::vector<std::uint8_t>& out) const override {
        if (value_)
            value_->appendData(out);
    }
    DataType dataType() const override { return value_ ? value_->dataType() : DataType::variableLength; }
    bool isEmpty() const override { return !value_ || value_->isEmpty(); }
    bool isRepeated() const override { return value_ && value_->container().isRepeated(); }
    // Also through wrappers of wrappers.
    bool isNil() const override { return !value_ || value_->container().isNil(); }
    std::size_t dataWithLengthPrefixSize() const override { return value_ ? value_->dataWithLengthPrefixSize() : 0; }
    void appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const override {
        if (value_)
            value_->appendDataWithLengthPrefix(out);
    }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override {
        return value_ ? value_->container().sizeWithKey(key) : 0;
    }
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override {
        if (value_)
            value_->container().appendWithKey(key, out);
    }

private:
    std::optional<EncodedValue> value_;
};

} // namespace coding
