#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/Encoder.h"
#include "coding/Fatal.h"

#include <memory>

namespace coding {

// Bytes, not definitions: the encoder of ProtobufEncoder. Its twin ProtoNode is the encoder of
// ProtobufDefinition, which only describes types.
//
// The encoder a value describes itself to in the protobuf-compatible form. It hands out exactly
// one container, keyed (a message), unkeyed (a list) or single-value; its bytes are that
// container's. A node whose value asked for no container writes nothing.
class ProtoEncodingNode : public AbstractEncodingNode, public Encoder, public EncodingContainer {
public:
    ProtoEncodingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

    using Encoder::container;
    // The container the value asked for; null until then.
    const std::shared_ptr<EncodingContainer>& container() const { return container_; }

    std::size_t dataSize() const override { return container_ ? container_->dataSize() : 0; }
    void appendData(std::vector<std::uint8_t>& out) const override {
        if (container_)
            container_->appendData(out);
    }
    DataType dataType() const override { return container_ ? container_->dataType() : DataType::variableLength; }
    bool isEmpty() const override { return !container_ || container_->isEmpty(); }
    bool isRepeated() const override { return container_ && container_->isRepeated(); }
    bool isNil() const override { return container_ && container_->isNil(); }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override {
        return container_ ? container_->sizeWithKey(key) : 0;
    }
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override {
        if (container_)
            container_->appendWithKey(key, out);
    }

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

    // Stores the container `make` builds; a second request stops the program.
    template <class Make>
    auto assignedContainer(Make&& make) {
        if (container_)
            fatal("Multiple calls to `container<>(keyedBy:)`, `unkeyedContainer()`, or `singleValueContainer()` "
                  "for an encoder");
        auto container = std::forward<Make>(make)();
        container_ = container;
        return container;
    }

private:
    std::shared_ptr<EncodingContainer> container_;
};

} // namespace coding
