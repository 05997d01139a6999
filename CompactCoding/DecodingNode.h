#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/Storage.h"
#include "coding/Decoder.h"

namespace coding {

// The decoder a value reads itself from. It holds the bytes of exactly that value, in memory or
// as a byte source positioned at them, and hands out containers over them; it reads nothing
// itself until asked. A node may be asked for any number of containers: over memory each starts
// again at the same bytes, over a byte source each keyed or unkeyed one takes the next
// length-prefixed container from it.
class DecodingNode final : public Decoder, public AbstractDecodingNode {
public:
    // `isOptional`: the node decodes the payload of an optional value. `isInUnkeyedContainer`:
    // the node decodes a list element and reads from the list's own reader. The node hands both
    // on to its single-value container, which is the only one that cares.
    DecodingNode(Storage storage, bool isOptional, bool isInUnkeyedContainer,
                 std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 std::uint32_t depth)
        : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth), storage_(std::move(storage)),
          isOptional_(isOptional), isInUnkeyedContainer_(isInUnkeyedContainer) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

    const Storage& storage() const { return storage_; }
    bool isOptional() const { return isOptional_; }
    bool isInUnkeyedContainer() const { return isInUnkeyedContainer_; }

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() override;

private:
    // The bytes of the container asked for, and what keeps them alive.
    Storage containerBytes();

    Storage storage_;
    bool isOptional_;
    bool isInUnkeyedContainer_;
};

} // namespace coding
