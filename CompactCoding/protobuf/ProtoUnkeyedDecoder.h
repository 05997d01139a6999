#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/protobuf/ProtoElementReader.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/UnkeyedDecodingContainer.h"

#include <cstdint>
#include <memory>

namespace coding {

// A protobuf list read element by element, from a repeated field or from a list standing alone
// (ProtoElementReader). Its elements are never nil, and their number is known only at the end.
// Nodes made for elements read from this container's reader, so each element must be decoded
// completely before the next is asked for; an element that reads nothing is corrupt data, as it
// would otherwise be read forever.
class ProtoUnkeyedDecoder final : public UnkeyedDecodingContainerBox, public AbstractDecodingNode {
public:
    ProtoUnkeyedDecoder(ProtoElementReader reader, std::shared_ptr<const CodingPath> codingPath,
                        std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth);

    // The list over a node's storage: a message's field as a repeated field, anything else as a
    // list standing alone.
    static std::shared_ptr<ProtoUnkeyedDecoder> over(const ProtoStorage& storage,
                                                     std::shared_ptr<const CodingPath> codingPath,
                                                     std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::optional<std::int64_t> count() const override { return std::nullopt; }
    bool isAtEnd() const override { return reader_.atEnd(); }
    // Counts every element asked for, failed ones included.
    std::int64_t currentIndex() const override { return currentIndex_; }
    bool decodeNil() override { return false; }
    void decode(DecodeItem& item) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Decoder> superDecoder() override;

private:
    ProtoElementReader reader_;
    std::int64_t currentIndex_ = 0;
};

} // namespace coding
