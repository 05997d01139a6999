#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoElementReader.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/UnkeyedDecodingContainer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace coding {

// A protobuf list read element by element, from a repeated field or from a list standing alone
// (ProtoElementReader). Its elements are never nil, and their number is known only at the end.
// Nodes made for elements read from this container's reader, so each element must be decoded
// completely before the next is asked for; an element that reads nothing is corrupt data, as it
// would otherwise be read forever.
//
// A list may outlive the container it came from (a record need not keep a message's container to
// read a list of it): it holds what it reads from, and its super decoders hold the list.
class ProtoUnkeyedDecoder final : public UnkeyedDecodingContainerBox,
                                  public AbstractProtoDecodingNode,
                                  public std::enable_shared_from_this<ProtoUnkeyedDecoder> {
public:
    ProtoUnkeyedDecoder(ProtoElementReader reader, ProtoDecodeCall& call, std::uint32_t depth);
    // A repeated field of its own occurrences.
    ProtoUnkeyedDecoder(std::vector<ProtoOccurrence> occurrences, ProtoDecodeCall& call, std::uint32_t depth);

    // The list over a node's storage: a message's field as a repeated field (its occurrences
    // viewed, as a node's message outlives it), anything else as a list standing alone.
    static std::shared_ptr<ProtoUnkeyedDecoder> over(const ProtoStorage& storage, ProtoDecodeCall& call,
                                                     std::uint32_t depth);

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
    std::vector<ProtoOccurrence> occurrences_; // when the list holds its own
    ProtoElementReader reader_;
    std::int64_t currentIndex_ = 0;
};

} // namespace coding
