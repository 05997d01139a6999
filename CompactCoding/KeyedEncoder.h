#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/KeyedEntryList.h"
#include "CompactCoding/KeyedFieldBuffer.h"
#include "coding/KeyedEncodingContainer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <variant>
#include <vector>

namespace coding {

// A record's (or a dictionary's) fields: one entry per key, each written as key header, length
// prefix where the value needs one, and value; no count, no terminator. Entries come in the
// order their keys were first stored, or in key order with the "sort" option.
//
// The fields are kept in one of two forms. A record that stores each of its own keys once,
// unsorted (nearly every record), writes them straight into a KeyedFieldBuffer; every other
// container, and a record at the first key the buffer cannot take (a repeat, one from outside its
// set), keeps a KeyedEntryList, which reads the buffer's entries back out when it takes over.
//
// A primitive entry is final when it is stored, so its bytes (key and value) are written at
// once, and a record of primitives is copied out in one piece. A nested container is written
// behind its key only when the record's bytes are asked for, since the value's code may still
// write into it until then; but a record of primitives encoded as a value, which nothing holds
// once the value's code is done, is final then, and copied in at once.
class KeyedEncoder final : public AbstractEncodingNode, public KeyedEncodingContainerBox, public EncodingContainer {
public:
    KeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 bool containsOptional, const KeySet& keys, EncodingArena& arena);

    // Keys stored so far.
    std::size_t count() const {
        if (const KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_))
            return fields->count();
        return std::get<KeyedEntryList>(form_).count();
    }

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
    bool isEmpty() const override;
    bool writtenData(std::span<const std::uint8_t>& data) const override {
        const KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_);
        return fields && fields->writtenData(data);
    }

private:
    // The buffer while it can take `key`, with the key's position in `position`; otherwise null
    // and notAKey, the entries being listed from then on (the buffer's moved into a list if need be).
    [[gnu::always_inline]] KeyedFieldBuffer* placedField(const CodingKey& key, std::size_t& position) {
        position = KeySet::notAKey;
        KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_);
        if (!fields)
            return nullptr;
        position = fields->placeOf(key);
        if (position != KeySet::notAKey)
            return fields;
        listEntries();
        return nullptr;
    }
    // Moves the buffer's entries into an entry list, the form from then on.
    [[gnu::noinline]] KeyedEntryList& listEntries();
    KeyedEntryList& entryList() {
        if (KeyedEntryList* entries = std::get_if<KeyedEntryList>(&form_))
            return *entries;
        return listEntries();
    }
    // encode for a nested value or a key the buffer does not take.
    [[gnu::noinline]] void encodeOther(const EncodeItem& item, const CodingKey& key, std::size_t position);
    // A nested container of `Container` made for `key` (with `arguments` after the node's own)
    // and stored under it.
    template <class Container, class... Arguments>
    std::shared_ptr<Container> storeNested(const CodingKey& key, Arguments&&... arguments);

    std::variant<KeyedFieldBuffer, KeyedEntryList> form_;
};

} // namespace coding
