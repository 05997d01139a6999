#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ElementList.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/UnkeyedEncodingContainer.h"

#include <cstdint>
#include <limits>

namespace coding {

// A list: its elements in the order encoded, each in its length-prefixed form, with no key and no
// type tag. With the "nilIndices" option the positions of the nils come first (their count, then
// each position); without it a nil leaves no trace.
class UnkeyedEncoder final : public AbstractEncodingNode,
                             public UnkeyedEncodingContainerBox,
                             public EncodingContainer {
public:
    UnkeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                   bool containsOptional, EncodingArena& arena);

    const ElementList& content() const { return content_; }
    const ArenaVector<std::int64_t>& nilIndices() const { return nilIndices_; }

    // UnkeyedEncodingContainerBox
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::int64_t count() const override { return static_cast<std::int64_t>(content_.count() + nilIndices_.size()); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return content_.empty() && nilIndices_.empty(); }

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();

    bool prependNilIndices_;
    ElementList content_;
    ArenaVector<std::int64_t> nilIndices_; // ascending, as positions only grow
    mutable std::size_t cachedSize_ = unknownSize;
};

} // namespace coding
