#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/Encoder.h"

#include <memory>
#include <string_view>

namespace coding {

class ValueEncoder;

// The encoder a value describes itself to. It hands out exactly one container, keyed, unkeyed
// or single-value; its bytes are that container's.
class EncodingNode final : public AbstractEncodingNode, public Encoder, public EncodingContainer {
public:
    EncodingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 bool containsOptional, EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), containsOptional, arena) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

    using Encoder::container;
    // The container the value asked for; null until then.
    const std::shared_ptr<EncodingContainer>& container() const { return container_; }

    // The container once the value's coding is done. A value of type `typeName` that opened no
    // container, or left its single-value container empty, throws an invalid-value error.
    std::shared_ptr<EncodingContainer> completedContainer(std::string_view typeName) const;
    // The same, taken out of a node that is done with: no count of references to move.
    std::shared_ptr<EncodingContainer> takeCompletedContainer(std::string_view typeName);

    std::size_t dataSize() const override { return requiredContainer().dataSize(); }
    void appendData(std::vector<std::uint8_t>& out) const override {
        if (container_)
            container_->appendData(out);
    }
    DataType dataType() const override { return container_ ? container_->dataType() : DataType::byte; }
    bool isEmpty() const override { return container_ == nullptr || container_->isEmpty(); }
    std::size_t dataWithLengthPrefixSize() const override { return requiredContainer().dataWithLengthPrefixSize(); }
    void appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const override {
        if (container_)
            container_->appendDataWithLengthPrefix(out);
    }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override {
        return requiredContainer().sizeWithKey(key);
    }
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override {
        if (container_)
            container_->appendWithKey(key, out);
    }

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

private:
    // Stores the container `make` builds; a second request stops the program.
    template <class Make>
    auto assignedContainer(Make&& make);
    const EncodingContainer& requiredContainer() const;
    void requireCompleted(std::string_view typeName) const;

    std::shared_ptr<EncodingContainer> container_;
    const ValueEncoder* valueContainer_ = nullptr; // container_, when it is single-value
};

} // namespace coding
