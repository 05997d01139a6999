#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/DecodingKey.h"
#include "CompactCoding/RecycledBlocks.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/KeyIndex.h"
#include "coding/KeySet.h"
#include "coding/KeyedDecodingContainer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

namespace coding {

class OneOfRunSets;

// A protobuf message's fields, read once when the container is made: every field number with its
// occurrences in the order they stand, never joined. A field that is absent reads as its type's
// zero (false, 0, empty text, an empty list, a message of defaults), fields may come in any order,
// and numbers the record does not use are parsed and ignored. A scalar takes the last occurrence
// of its field, a message merges all of them, a list reads them as a repeated field, and a oneof
// takes the case written last, reading those it replaced as well (OneOfRuns).
//
// Errors in a value carry the container's path and the value's key; nested values carry the
// container's path unchanged. Bytes are read in place: the input outlives the container.
class ProtoKeyedDecoder : public KeyedDecodingContainerBox, public AbstractProtoDecodingNode {
public:
    // The fields of a message's bytes, made at `depth` and standing at protobufMessageDepth of it.
    // Throws the fault of the first field that is not well formed (see ProtoOccurrence::read).
    ProtoKeyedDecoder(std::span<const std::uint8_t> bytes, const KeySet& keys, ProtoDecodeCall& call,
                      std::uint32_t depth);
    // The fields of a message written in parts, the payloads of a field's occurrences one after
    // the other. An occurrence that is not length-delimited is "Unexpected data type N". Without
    // parts the field is absent: its message of defaults is read from no bytes and stands at `depth`.
    ProtoKeyedDecoder(std::span<const ProtoOccurrence> parts, const KeySet& keys, ProtoDecodeCall& call,
                      std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::vector<CodingKey> allKeys() const override { return keysIn(*keys_); }
    bool contains(const CodingKey& key) const override { return find(key) != nullptr; }
    // An absent field is nil; a present one never is.
    bool decodeNil(const CodingKey& key) override { return !contains(key); }
    void decode(DecodeItem& item, const CodingKey& key) override;
    // A oneof is present when any of its cases is.
    bool decodeIfPresent(DecodeItem& item, const CodingKey& key) override;
    std::shared_ptr<KeyedDecodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    // Throw the ProtobufDecodingError superNotSupported.
    std::shared_ptr<Decoder> superDecoder() override;
    std::shared_ptr<Decoder> superDecoder(const CodingKey& key) override;

    // A container is made for every message read: its block is reused, not allocated each time.
    template <class... Arguments>
    static std::shared_ptr<ProtoKeyedDecoder> make(Arguments&&... arguments) {
        return std::allocate_shared<ProtoKeyedDecoder>(RecycledBlocks<ProtoKeyedDecoder>{},
                                                       std::forward<Arguments>(arguments)...);
    }

    // A message over a node's storage: its bytes, or the parts of a field.
    static std::shared_ptr<ProtoKeyedDecoder> over(const ProtoStorage& storage, const KeySet& keys,
                                                   ProtoDecodeCall& call, std::uint32_t depth);

    // The keys of `keys` present in the data, in the order first met.
    std::vector<CodingKey> keysIn(const KeySet& keys) const;
    // The occurrences of the value `key` names; none when it is absent. In a map they are those of
    // the last entry with that key, and `replaced` (when asked for) gets those of earlier ones.
    std::span<const ProtoOccurrence> occurrences(const CodingKey& key,
                                                 std::span<const ProtoOccurrence>* replaced = nullptr) const;

protected:
    // An empty table for a subclass to fill with a map's entries (addEntry()) and close with
    // finish(). `areRepeatedFields`: lists and maps read several occurrences as a repeated field
    // (a message's fields), or take the last one's payload as a list or map standing alone (a
    // map's values).
    ProtoKeyedDecoder(const KeySet& keys, ProtoDecodeCall& call, std::uint32_t depth, bool areRepeatedFields,
                      const NestingLimit& limit = protobufNestingLimit);

    // Adds a map entry: the occurrences of its value under `key`. Those of an earlier entry with an
    // equal key no longer make the value but are still read with it.
    void addEntry(const DecodingKey& key, std::span<const ProtoOccurrence> value);
    // Puts each field's occurrences next to each other once all are added.
    void finish();

private:
    struct Field {
        DecodingKey key;
        std::uint32_t first; // of its occurrences, once finished
        std::uint32_t count;
    };
    // A record's table lives inside the container, which is then the only allocation its parse
    // makes (and small enough for the allocator's fast path); past these sizes (long lists,
    // dictionaries) it moves to the heap.
    static constexpr std::size_t inlineFields = KeyIndex<>::scanLimit;
    static constexpr std::size_t inlineOccurrences = 16;
    static_assert(std::is_trivially_copyable_v<Field> && std::is_trivially_copyable_v<ProtoOccurrence>);

    void parse(std::span<const std::uint8_t> bytes);
    // Adds an occurrence of `key` and returns its field's index.
    std::size_t add(const DecodingKey& key, const ProtoOccurrence& occurrence);
    void addField(const DecodingKey& key, std::uint32_t hash);
    void addOccurrence(const ProtoOccurrence& occurrence, std::uint32_t field);
    std::span<const ProtoOccurrence> occurrencesOf(const Field& field) const {
        return {occurrences_ + field.first, field.count};
    }
    // Most lookups ask for the field after the last one found, or for one that is absent.
    const Field* find(const CodingKey& key) const {
        if (!hasTextKeys_) {
            // A message's fields: numbers only, and the small ones known to be absent at once.
            if (!key.intValue)
                return nullptr;
            if (static_cast<std::uint64_t>(*key.intValue) < 64 &&
                (smallNumbers_ & (std::uint64_t{1} << *key.intValue)) == 0)
                return nullptr;
        }
        if (hint_ < fieldCount_ && !index_.isHashed() && fields_[hint_].key.matches(key)) {
            const Field* field = &fields_[hint_];
            hint_ = hint_ + 1 == fieldCount_ ? 0 : hint_ + 1;
            return field;
        }
        return search(key);
    }
    const Field* search(const CodingKey& key) const;
    void decodeValue(DecodeItem& item, const CodingKey& key, std::span<const ProtoOccurrence> found);
    // Out of line, so that decode and decodeIfPresent, which every field goes through, stay as
    // small as the other fields need, and an absent oneof takes none of the reading's setting up.
    [[gnu::noinline]] void decodeOneOf(DecodeItem& item);
    // With what is known of its cases.
    [[gnu::noinline]] void readOneOf(DecodeItem& item, OneOfRunSets& runs);
    [[noreturn]] void rethrowUnderKey(const CodingKey& key) const;

    const KeySet* keys_;
    bool areRepeatedFields_;
    bool needsGrouping_ = false;
    bool hasTextKeys_ = false;
    std::uint64_t smallNumbers_ = 0; // one bit for each integer key below 64 that is present
    std::int64_t largestNumber_ = 0; // of the integer keys present
    union InlineFields {
        InlineFields() {}
        Field items[inlineFields];
    } inlineFields_; // left unset until filled
    union InlineOccurrences {
        InlineOccurrences() {}
        ProtoOccurrence items[inlineOccurrences];
    } inlineOccurrences_;
    union InlineOccurrenceFields {
        InlineOccurrenceFields() {}
        std::uint32_t items[inlineOccurrences];
    } inlineOccurrenceFields_;
    std::vector<Field> spilledFields_;
    std::vector<ProtoOccurrence> spilledOccurrences_;
    std::vector<std::uint32_t> spilledOccurrenceFields_;
    // A map's: for each field, how many of its occurrences, the last, are its last entry's.
    std::vector<std::uint32_t> lastEntryCounts_;
    Field* fields_ = inlineFields_.items;
    ProtoOccurrence* occurrences_ = inlineOccurrences_.items;
    std::uint32_t* occurrenceFields_ = inlineOccurrenceFields_.items; // the field of each occurrence
    std::size_t fieldCount_ = 0;
    std::size_t occurrenceCount_ = 0;
    mutable std::size_t hint_ = 0;
    KeyIndex<> index_;
};

} // namespace coding
