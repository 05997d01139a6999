#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/DataType.h"
#include "CompactCoding/DecodingKey.h"
#include "CompactCoding/RecycledBlocks.h"
#include "coding/KeyIndex.h"
#include "coding/KeySet.h"
#include "coding/KeyedDecodingContainer.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace coding {

// A record's entries, read once when the container is made: every key with its wire type and a
// view of its value bytes, in the order they lie in the data. Absent keys are nil values, the
// order of the entries does not matter, and a key met twice makes the data corrupt.
//
// The container interface comes first among the bases, so that calls through it need no
// adjustment of `this`.
class KeyedDecoder final : public KeyedDecodingContainerBox, public AbstractDecodingNode {
public:
    struct Entry {
        DecodingKey key;
        // Equal keys have equal fingerprints: the repeat test compares these before any text.
        std::uint64_t fingerprint;
        DataType dataType;
        std::span<const std::uint8_t> value;
    };

    // Parses `bytes` completely and throws the data-corrupted error of the first fault. `keys` is
    // kept by reference (a record's keys are static) and must outlive the container.
    KeyedDecoder(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> keepAlive, const KeySet& keys,
                 std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                 std::uint32_t depth);

    // A container is made for every record read: its block is reused, not allocated each time.
    template <class... Arguments>
    static std::shared_ptr<KeyedDecoder> make(Arguments&&... arguments) {
        return std::allocate_shared<KeyedDecoder>(RecycledBlocks<KeyedDecoder>{}, std::forward<Arguments>(arguments)...);
    }

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::vector<CodingKey> allKeys() const override;
    bool contains(const CodingKey& key) const override { return find(key) != nullptr; }
    // An absent key is a nil value; nothing is read.
    bool decodeNil(const CodingKey& key) override { return find(key) == nullptr; }
    void decode(DecodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Decoder> superDecoder() override;
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) override;

    std::span<const Entry> entries() const { return {entries_, count_}; }

private:
    // Records are small and read in the order they were written: a scan from the entry after the
    // last hit finds most keys at once. Past a record's size (dictionaries) the key index answers
    // instead, so that hostile data with many keys costs no quadratic time. A record's entries
    // live inside the container, which is then the only allocation its parse makes.
    static constexpr std::size_t scanLimit = KeyIndex<>::scanLimit;
    // Keys met are noted by position in a word of bits.
    static constexpr std::size_t maxPositions = 64;

    void parse(std::span<const std::uint8_t> bytes);
    // The position of the first of the record's keys that `matches` (a key read from the data):
    // notAKey past the first maxPositions and for a key the record does not know. (Parsing tries
    // the key after the last one first: records are written in the order of their keys.)
    template <class Matches>
    std::size_t firstPosition(Matches&& matches) const;
    // Whether the key is in the table already; notes it for the next question. Only for keys
    // without a position: those are told apart by their positions.
    bool isRepeated(const DecodingKey& key, std::uint64_t fingerprint);
    void spill(const Entry& entry);
    // Most lookups ask for the entry after the last one found. (Up to scanLimit entries there is
    // no table.)
    const Entry* find(const CodingKey& key) const {
        if (hint_ < count_ && count_ <= scanLimit && entries_[hint_].key.matches(key)) {
            const Entry* entry = &entries_[hint_];
            hint_ = hint_ + 1 == count_ ? 0 : hint_ + 1;
            return entry;
        }
        return search(key);
    }
    const Entry* search(const CodingKey& key) const;
    const Entry& require(const CodingKey& key) const;
    // The record's own key for a key read from the data; none when the record does not know it,
    // and then an error in its value names the container alone.
    std::optional<CodingKey> knownKey(const DecodingKey& key) const;
    [[noreturn]] void rethrowUnderKey(const CodingKey& key) const;

    std::shared_ptr<const void> keepAlive_;
    const KeySet* keys_;
    static_assert(std::is_trivially_copyable_v<Entry> && std::is_trivially_destructible_v<Entry>);
    union InlineEntries {
        InlineEntries() {}
        Entry items[scanLimit];
    } inline_; // left unset until filled
    std::vector<Entry> spilled_;
    Entry* entries_ = inline_.items;
    std::size_t count_ = 0;
    mutable std::size_t hint_ = 0;
    std::uint64_t keyFilter_ = 0; // of the fingerprints, while a scan finds the keys
    // The positions of the record's keys met so far, as text keys and as integer keys.
    std::uint64_t textsSeen_ = 0;
    std::uint64_t integersSeen_ = 0;
    KeyIndex<> index_;
};

} // namespace coding
