#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"
#include "coding/UnkeyedDecodingContainer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace coding {

// A map whose keys are neither strings nor integers, read as key, value, key, value...: every
// entry gives two elements, each the occurrences of its field in the entry, read as a message's
// field is (the last counts, a message merges them). A primitive must be read from an element
// whose last occurrence is of its own wire type (else unexpectedDictionaryKey); every call takes
// one element, failed ones included.
class ProtoDictUnkeyedDecoder final : public UnkeyedDecodingContainerBox, public AbstractProtoDecodingNode {
public:
    ProtoDictUnkeyedDecoder(ProtoDictDecodingNode::Entries entries, ProtoDecodeCall& call, std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::optional<std::int64_t> count() const override { return static_cast<std::int64_t>(elements_.size()); }
    bool isAtEnd() const override { return currentIndex_ == elements_.size(); }
    std::int64_t currentIndex() const override { return static_cast<std::int64_t>(currentIndex_); }
    bool decodeNil() override { return false; }
    // Past the end: the value-not-found error.
    void decode(DecodeItem& item) override;
    // The element must be length-delimited (else unexpectedDictionaryKey).
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer() override;
    // Throws the ProtobufDecodingError superNotSupported.
    std::shared_ptr<Decoder> superDecoder() override;

private:
    std::span<const ProtoOccurrence> next(std::string_view typeName);
    // The next element, every occurrence of which must be length-delimited.
    std::span<const ProtoOccurrence> nextMessage();

    std::vector<ProtoOccurrence> occurrences_;
    std::vector<std::span<const ProtoOccurrence>> elements_; // of occurrences_
    std::size_t currentIndex_ = 0;
};

} // namespace coding
