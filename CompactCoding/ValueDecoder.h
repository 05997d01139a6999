#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/Storage.h"
#include "coding/SingleValueDecodingContainer.h"

namespace coding {

// One value, or the nil marker of an optional, read from its node's storage. As soon as it reads
// through a byte reader it keeps that reader, so that the payload after a marker is read from
// where the marker ended.
class ValueDecoder final : public SingleValueDecodingContainerBox, public AbstractDecodingNode {
public:
    ValueDecoder(Storage storage, bool isOptional, bool isInUnkeyedContainer,
                 std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 std::uint32_t depth)
        : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth), storage_(std::move(storage)),
          isOptional_(isOptional), isInUnkeyedContainer_(isInUnkeyedContainer) {}

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    // Reads the one marker byte of an optional: 0 is nil, anything else a value that follows. No
    // byte left counts as a value (whose read then fails).
    bool decodeNil() override;
    void decode(DecodeItem& item) override;

    const Storage& storage() const { return storage_; }

private:
    // The storage's reader, kept as the storage from now on.
    BinaryStreamProvider& reader();

    Storage storage_;
    bool isOptional_;
    bool isInUnkeyedContainer_;
};

} // namespace coding
