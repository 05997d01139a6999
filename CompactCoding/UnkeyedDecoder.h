#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/DataDecoder.h"
#include "coding/DecodingError.h"
#include "coding/UnkeyedDecodingContainer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace coding {

// A list's elements, lying back to back, each delimited only by its own wire type; with the
// option "nilIndices" they are preceded by the positions that hold nil. Elements are read one by
// one: nodes made for elements read from this container's own reader, so each element must be
// decoded completely before the next is asked for.
class UnkeyedDecoder final : public UnkeyedDecodingContainerBox, public AbstractDecodingNode {
public:
    // Reads the nil-index set when the option is on, and throws the data-corrupted error of a
    // fault in it.
    UnkeyedDecoder(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> keepAlive,
                   std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                   std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    // Unknown in advance.
    std::optional<std::int64_t> count() const override { return std::nullopt; }
    bool isAtEnd() const override;
    std::int64_t currentIndex() const override { return currentIndex_; }
    std::size_t unreadByteCount() const override { return decoder_->remaining(); }
    // Stops the program unless the option "nilIndices" is on: without it nil elements leave no
    // trace in the data.
    bool decodeNil() override;
    void decode(DecodeItem& item) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Decoder> superDecoder() override;

    const std::vector<std::int64_t>& nilIndices() const { return nilIndices_; }

private:
    bool isNilAt(std::int64_t position) const;
    void readNilIndices();
    std::span<const std::uint8_t> nextContainerBytes(std::int64_t position);
    void prependPosition(DecodingError& error, std::int64_t position) const;

    std::shared_ptr<DataDecoder> decoder_;
    bool hasNilIndices_;
    std::vector<std::int64_t> nilIndices_; // sorted, without repeats
    std::int64_t currentIndex_ = 0;
};

} // namespace coding
