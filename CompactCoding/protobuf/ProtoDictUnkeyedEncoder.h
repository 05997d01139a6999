#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/EncodedValue.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/protobuf/ProtoDictPair.h"
#include "coding/UnkeyedEncodingContainer.h"

#include <optional>

namespace coding {

// A dictionary whose keys are neither strings nor integers writes key, value, key, value... into
// an unkeyed container; every two make one map entry, written as ProtoDictKeyedEncoder writes its
// entries. Keys (and values) of another wire type than the first entry's are refused; a key left
// without its value is not written.
class ProtoDictUnkeyedEncoder final : public AbstractEncodingNode,
                                      public UnkeyedEncodingContainerBox,
                                      public EncodingContainer {
public:
    ProtoDictUnkeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                            EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena),
          content_(ArenaAllocator<ProtoDictPair>(arena)) {}

    // UnkeyedEncodingContainerBox: count is the number of complete entries.
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::int64_t count() const override { return static_cast<std::int64_t>(content_.size()); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;
    // A key or value that is a container of its own is not supported: the program stops.
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return content_.empty(); }
    bool isRepeated() const override { return true; }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override;
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override;

private:
    ArenaVector<ProtoDictPair> content_;
    std::optional<EncodedValue> key_; // a key waiting for its value
};

} // namespace coding
