#pragma once

#include "CompactCoding/RecycledBlocks.h"
#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "coding/KeyedDecodingContainer.h"

#include <span>

namespace coding {

// The inner of a oneof's two keyed containers when reading (a case's, holding its value); the
// outer one, the enumeration's, is OneOfKeyedDecoder.
//
// The keyed container of one oneof case: its one value, under any key, read from the occurrences
// of the case's field (the last one for a primitive; all of them, merged, for a message). A case
// present with empty bytes, or absent, holds its type's zero. Nil and everything else are refused
// with the ProtobufDecodingError invalidAccess, so an optional value cannot be read here.
class OneOfAssociatedValuesDecoder final : public KeyedDecodingContainerBox, public AbstractProtoDecodingNode {
public:
    OneOfAssociatedValuesDecoder(std::span<const ProtoOccurrence> occurrences, const KeySet& keys,
                                 ProtoDecodeCall& call, std::uint32_t depth);

    // One is made for every oneof read: its block is reused, not allocated each time.
    template <class... Arguments>
    static std::shared_ptr<OneOfAssociatedValuesDecoder> make(Arguments&&... arguments) {
        return std::allocate_shared<OneOfAssociatedValuesDecoder>(RecycledBlocks<OneOfAssociatedValuesDecoder>{},
                                                                  std::forward<Arguments>(arguments)...);
    }

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    // The key "_0" of the case's keys, when they have it.
    std::vector<CodingKey> allKeys() const override;
    bool contains(const CodingKey&) const override { return true; }
    bool decodeNil(const CodingKey& key) override;
    void decode(DecodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Decoder> superDecoder() override;
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) override;

private:
    std::span<const ProtoOccurrence> occurrences_;
    const KeySet* keys_;
};

} // namespace coding
