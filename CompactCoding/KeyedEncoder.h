#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "coding/KeyIndex.h"
#include "coding/KeyedEncodingContainer.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace coding {

// A record's (or a dictionary's) fields: one entry per key, each written as key header, length
// prefix where the value needs one, and value; no count, no terminator. Entries come in the
// order their keys were first stored, or in key order with the "sort" option.
//
// A primitive entry is final when it is stored, so its bytes (key and value) are written at
// once into one buffer, and a record of primitives is copied out in one piece. A nested
// container is written behind its key only when the record's bytes are asked for, since the
// value's code may still write into it until then; but a record of primitives encoded as a value,
// which nothing holds once the value's code is done, is final then, and copied in at once.
//
// A record that stores each of its own keys once, unsorted (nearly every record), needs no
// entry per field: its buffer holds the entries in order, and only the nested containers are
// listed, with where their keys stand. The first key that is not such a key (a repeat, one from
// outside the set) reads the entries back out of the buffer and goes on entry by entry.
class KeyedEncoder final : public AbstractEncodingNode, public KeyedEncodingContainerBox, public EncodingContainer {
public:
    KeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 bool containsOptional, const KeySet& keys, EncodingArena& arena);

    // Keys stored so far.
    std::size_t count() const { return listed_ ? entries_.size() : unlistedCount(); }

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
        // An empty record stays a container, which tells that it is empty.
        if (listed_ || !nestedKeys_.empty() || storedPositions_ == 0)
            return false;
        data = bytes_.span(0, bytes_.size());
        return true;
    }

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();

    // A key as written in the buffer: its header (for data type 0) and, for a text key, its text.
    struct KeyBytes {
        std::size_t offset;
        std::uint32_t length;
        std::uint32_t hash;       // keyHash of the key
        std::uint32_t textOffset; // of an integer key's text in keyTexts_, when sorting
        std::uint32_t textLength;
        std::size_t position;     // in the record's key set, when it tells keys apart; else notAKey
    };
    struct Entry {
        std::size_t offset;         // of the key in bytes_
        std::size_t valueLength;    // a primitive's length prefix and bytes, right after the key
        std::uint32_t keyLength;
        std::uint32_t hash;         // keyHash of the key
        std::uint32_t textOffset;   // of an integer key's text in keyTexts_, when sorting
        std::uint32_t textLength;
        std::shared_ptr<EncodingContainer> nested; // null for a primitive
    };

    // A nested container of the buffer-only form: its key's bytes in bytes_, where the container's
    // bytes go.
    struct NestedKey {
        std::size_t keyOffset;
        std::uint32_t keyLength;
        std::shared_ptr<EncodingContainer> container;
    };

    // The position of `key` when it can be stored in the buffer-only form (a valid key of the set
    // not yet stored); otherwise notAKey, and the entries are listed from then on.
    [[gnu::always_inline]] std::size_t unlistedPosition(const CodingKey& key) {
        if (listed_)
            return KeySet::notAKey;
        std::size_t position = nextPosition_;
        if (position >= expectedCount_ || !KeySet::same(keyArray_[position], key))
            position = keys_->position(key, position);
        if (position < placedKeys && (storedPositions_ & (std::uint64_t{1} << position)) == 0 &&
            (!key.intValue || MixedCodingKeyWrapper::isInRange(*key.intValue))) {
            nextPosition_ = position + 1;
            return position;
        }
        listEntries();
        return KeySet::notAKey;
    }
    // A record key as written for data type 0: its header, then a text key's text, in a slot of
    // fixed size, so that a field copies it whole; `length` 0 for a key too long for the slot.
    struct WrittenKey {
        static constexpr std::size_t slot = 32;
        std::uint8_t bytes[slot];
        std::uint8_t length;
    };
    struct WrittenKeys;
    static const WrittenKey* writtenKeysOf(const KeySet& keys);
    void listEntries();
    // encode for a nested value or a key the buffer-only form does not take.
    [[gnu::noinline]] void encodeOther(const EncodeItem& item, const CodingKey& key, std::size_t position);
    // Writes a placed key's header for `dataType` at `out` (room for maxVariableLengthSize bytes
    // and the key's text); returns the end.
    static std::uint8_t* writePlacedKey(const CodingKey& key, DataType dataType, std::uint8_t* out);
    void storeUnlistedPrimitive(const EncodeItem& item, const CodingKey& key, std::size_t position);
    // Writes a placed key for a value of `dataType` with room for `valueRoom` bytes after it;
    // returns where the value goes. The caller commits the value's end.
    std::uint8_t* placeKey(const CodingKey& key, std::size_t position, DataType dataType, std::size_t valueRoom);
    // Writes a placed key with a value of `dataType`, its length prefix where it needs one, and
    // its bytes.
    void storeUnlisted(const CodingKey& key, std::size_t position, DataType dataType,
                       std::span<const std::uint8_t> value);
    void storeUnlistedNested(const CodingKey& key, std::size_t position, std::shared_ptr<EncodingContainer> container);

    KeyBytes writeKey(const CodingKey& key);
    std::span<const std::uint8_t> keyBytes(const Entry& entry) const {
        return {bytes_.data() + entry.offset, entry.keyLength};
    }
    bool sameKey(const Entry& entry, const KeyBytes& key) const;
    void store(const KeyBytes& key, std::size_t valueLength, std::shared_ptr<EncodingContainer> nested);
    std::size_t find(const KeyBytes& key) const;
    std::size_t entrySize(const Entry& entry) const;
    void appendEntry(const Entry& entry, std::vector<std::uint8_t>& out) const;
    // The positions of the entries in the order of the "sort" option.
    std::vector<std::uint32_t> sortedOrder() const;

    bool sortKeys_;
    bool isDictionary_;
    std::size_t expectedCount_;
    // A record's keys are told apart by their positions in its key set: a key whose position is
    // not yet among those stored is new, without a search. Once a key from outside the set is
    // stored, every key is searched for.
    static constexpr std::size_t placedKeys = 64;
    const KeySet* keys_;
    const CodingKey* keyArray_; // keys_'s keys
    const WrittenKey* writtenKeys_ = nullptr; // keys_'s keys as written, in the buffer-only form
    std::size_t nextPosition_ = 0;
    std::uint64_t storedPositions_ = 0;
    bool storedUnplacedKey_ = false;
    // Whether entries_ lists every entry; until then the buffer-only form (above).
    bool listed_;
    // Keys stored in the buffer-only form, each at a place of its own.
    std::size_t unlistedCount() const { return static_cast<std::size_t>(std::popcount(storedPositions_)); }
    ArenaVector<NestedKey> nestedKeys_;
    ArenaBytes bytes_;
    ArenaVector<Entry> entries_;
    KeyIndex<ArenaAllocator<std::uint32_t>> index_;
    // Integer keys are written without their text, but the sort order compares an integer key
    // with a text key by their texts.
    ArenaVector<char> keyTexts_;
    // Parents ask for a nested container's size more than once; computed once the tree is done (in the
    // buffer-only form, only what the nested containers add to the buffer).
    mutable std::size_t cachedSize_ = unknownSize;
};

} // namespace coding
