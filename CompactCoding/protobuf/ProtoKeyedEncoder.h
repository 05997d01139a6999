#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "coding/KeyIndex.h"
#include "coding/KeyedEncodingContainer.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace coding {

// Bytes, not definitions: the keyed container ProtobufEncoder writes a message with. Its twin
// KeyedProtoEncoder only describes a message for ProtobufDefinition.
//
// One protobuf message: a record's fields under their keys' integer values as field numbers.
// Fields come in the order their numbers were first set, or ascending with the "sort" option; a
// number set twice keeps the last value, where the first stood.
//
// A field whose value is its type's default (false, 0, 0.0, empty text or bytes, a nested message
// with nothing to write, an empty list or map) is left out, tag included, unless it was written
// with encodeIfPresent (explicit presence) or is the case of a oneof. A primitive field is final
// when it is set, so its tag and bytes are written at once into one buffer; a nested container is
// written behind its tag only when the message's bytes are asked for.
class ProtoKeyedEncoder final : public AbstractEncodingNode,
                                public KeyedEncodingContainerBox,
                                public EncodingContainer {
public:
    // `expectedCount`: the number of keys the record declares, to size the tables once.
    ProtoKeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                      std::size_t expectedCount, EncodingArena& arena);

    // Field numbers set so far.
    std::size_t count() const { return entries_.size(); }

    // KeyedEncodingContainerBox
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    // Throws nilValuesNotSupported: protobuf has no null; an absent value is a field not written.
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    void encodeIfPresent(const EncodeItem* item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    // Refused: the encoders handed out throw superNotSupported at their first write.
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return dataSize() == 0; }

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();

    // How a field is written.
    enum class Form : std::uint8_t {
        primitive, // its tag and bytes lie in bytes_ (none for a default left out)
        nested,    // the container's own form under the tag, left out when it is empty
        present,   // the same, but also when it is empty, as far as protobuf can tell presence
        oneOfCase, // one occurrence under the tag, always
    };
    struct Entry {
        std::uint32_t field;
        std::uint32_t offset; // of a primitive's tag in bytes_
        std::uint32_t length; // of a primitive's tag and bytes
        Form form;
        std::shared_ptr<EncodingContainer> nested;
    };

    void encodeValue(const EncodeItem& item, const CodingKey& key, bool isPresent);
    void encodePrimitive(const EncodeItem& item, const CodingKey& key, bool isPresent);
    // The entry of field `number`: the one set before, or a new one.
    Entry& entryFor(std::uint32_t number) {
        // A record sets its fields in ascending order, mostly: a number past all others is new.
        if (number > maxField_ && entries_.size() < entries_.capacity()) {
            maxField_ = number;
            return entries_.emplace_back(Entry{number, 0, 0, Form::primitive, nullptr});
        }
        return otherEntryFor(number);
    }
    Entry& otherEntryFor(std::uint32_t number);
    // The position of the entry of `number`; the number of entries when there is none.
    std::size_t find(std::uint32_t number);
    // Set an entry's value, keeping the counts below.
    void setPrimitive(Entry& entry, std::uint32_t offset, std::uint32_t length);
    void setNested(Entry& entry, Form form, std::shared_ptr<EncodingContainer> container);
    void forget(Entry& entry);
    std::size_t entrySize(const Entry& entry) const;
    void appendEntry(const Entry& entry, std::vector<std::uint8_t>& out) const;

    bool sortFields_;
    std::size_t expectedCount_;
    ArenaBytes bytes_;
    ArenaVector<Entry> entries_;
    std::uint32_t maxField_ = 0;
    std::size_t primitiveSize_ = 0; // of the primitive entries' tags and bytes
    std::size_t nestedCount_ = 0;   // entries that are not primitives
    bool hasGaps_ = false;          // bytes of replaced values lie unused in bytes_
    KeyIndex<ArenaAllocator<std::uint32_t>> index_; // of the first indexed_ entries, once there are many
    std::size_t indexed_ = 0;
    // Parents ask for a nested message's size more than once; computed once the tree is done.
    mutable std::size_t cachedSize_ = unknownSize;
};

} // namespace coding
