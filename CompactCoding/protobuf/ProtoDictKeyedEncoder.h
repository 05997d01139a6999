#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/protobuf/ProtoDictPair.h"
#include "coding/KeyedEncodingContainer.h"

namespace coding {

// A dictionary with string or integer keys: every key and value becomes one map entry, in the
// order the dictionary hands them over. Under a message field each entry is one occurrence of
// the field; standing alone (a root, a value of a list, map or oneof) the entries lie back to
// back, each behind its byte count.
class ProtoDictKeyedEncoder final : public AbstractEncodingNode,
                                    public KeyedEncodingContainerBox,
                                    public EncodingContainer {
public:
    ProtoDictKeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                          EncodingArena& arena)
        : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena),
          content_(ArenaAllocator<ProtoDictPair>(arena)) {}

    const ArenaVector<ProtoDictPair>& content() const { return content_; }

    // KeyedEncodingContainerBox
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return content_.empty(); }
    bool isRepeated() const override { return true; }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override;
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override;

private:
    // The entry's key: an integer key as Int64, any other as its text.
    EncodedPrimitive entryKey(const CodingKey& key) const;

    ArenaVector<ProtoDictPair> content_;
};

} // namespace coding
