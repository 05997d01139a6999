#pragma once

#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/DataType.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/CodingKey.h"
#include "coding/KeyIndex.h"
#include "coding/KeySet.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace coding {

class KeyedFieldBuffer;

// A keyed container's entries listed one by one, found by key through an index: the form of a
// dictionary, of a record whose keys are sorted or cannot be told apart by their positions, and of
// any record once it stores a key a second time or one from outside its set. The keys and
// primitive values are written into one buffer as they come; an entry says where its key stands
// and holds a nested container, whose bytes go in behind the key once the record's bytes are asked
// for. A second value under a key replaces the first where it stood.
class KeyedEntryList {
public:
    // A key as written in the buffer: its header (for data type 0) and, for a text key, its text.
    struct KeyBytes {
        std::size_t offset;
        std::uint32_t length;
        std::uint32_t hash;       // keyHash of the key
        std::uint32_t textOffset; // of an integer key's text in keyTexts_, when sorting
        std::uint32_t textLength;
        std::size_t position;     // in the record's key set, when it tells keys apart; else notAKey
    };

    KeyedEntryList(const KeySet& keys, bool sortKeys, EncodingArena& arena);
    // The entries of `fields`, its bytes taken over as they stand.
    KeyedEntryList(KeyedFieldBuffer&& fields, EncodingArena& arena);

    std::size_t count() const { return entries_.size(); }

    // Writes `key` into the buffer, ahead of its value, so that a bad key is reported (with
    // `path`) before the value's code runs. An entry is stored under it by one of the members
    // below; a failure in between leaves the key's bytes unused.
    KeyBytes writeKey(const CodingKey& key, const CodingPath& path);
    // Stores a primitive's bytes of `dataType` under `key`, the last key written.
    void storePrimitive(const KeyBytes& key, DataType dataType, std::span<const std::uint8_t> value);
    void storeNested(const KeyBytes& key, std::shared_ptr<EncodingContainer> container) {
        store(key, 0, std::move(container));
    }

    // The EncodingContainer members of the record.
    std::size_t dataSize() const;
    void appendData(std::vector<std::uint8_t>& out) const;
    bool isEmpty() const;

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();
    // Keys with a position in the set below this are told apart by it, without a search.
    static constexpr std::size_t placedKeys = 64;

    struct Entry {
        std::size_t offset;         // of the key in bytes_
        std::size_t valueLength;    // a primitive's length prefix and bytes, right after the key
        std::uint32_t keyLength;
        std::uint32_t hash;         // keyHash of the key
        std::uint32_t textOffset;   // of an integer key's text in keyTexts_, when sorting
        std::uint32_t textLength;
        std::shared_ptr<EncodingContainer> nested; // null for a primitive
    };

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

    // A record's keys are told apart by their positions in its key set: a key whose position is
    // not yet among those stored is new, without a search. Once a key from outside the set is
    // stored, every key is searched for.
    const KeySet* keys_; // null when its positions do not tell keys apart
    bool sortKeys_;
    bool isDictionary_;
    std::size_t expectedCount_;
    std::size_t nextPosition_ = 0;
    std::uint64_t storedPositions_ = 0;
    bool storedUnplacedKey_ = false;
    // Whether every key is ASCII text, which the sort order need not compose: known of the set's
    // keys when the list is made (the set itself may be gone by the time the bytes are asked for),
    // and of no key from outside it.
    bool setIsAllAscii_;
    bool wroteKeyOutsideSet_ = false;
    ArenaBytes bytes_;
    ArenaVector<Entry> entries_;
    KeyIndex<ArenaAllocator<std::uint32_t>> index_;
    // Integer keys are written without their text, but the sort order compares an integer key
    // with a text key by their texts.
    ArenaVector<char> keyTexts_;
    // Parents ask for a nested container's size more than once; computed once the tree is done.
    mutable std::size_t cachedSize_ = unknownSize;
};

} // namespace coding
