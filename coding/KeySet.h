#pragma once

#include "coding/CodingKey.h"
#include "coding/KeyIndex.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace coding {

// The keys a keyed container is opened with: a record's own fixed keys, or an open set for the
// keys of a dictionary, whose keys come from the data itself.
class KeySet {
public:
    enum class Kind {
        fixed,      // a record's declared keys
        anyString,  // dictionary keys that stay strings, whatever they look like
        anyInteger, // dictionary keys that are integers (given the integer a string key spells)
    };

    KeySet(std::initializer_list<CodingKey> keys) : KeySet(std::vector<CodingKey>(keys)) {}
    explicit KeySet(std::vector<CodingKey> keys);

    static const KeySet& stringDictionaryKeys();
    static const KeySet& integerDictionaryKeys();

    Kind kind() const { return kind_; }
    // The same for a set and its copies, and for no other set while one of them lives: what a
    // coder may know a set by.
    const void* identity() const { return table_.get(); }
    // Keys made from data rather than declared by a record.
    bool isDynamic() const { return kind_ != Kind::fixed; }
    const std::vector<CodingKey>& keys() const { return table_->keys; }

    std::optional<CodingKey> fromString(std::string_view text) const;
    std::optional<CodingKey> fromInt(std::int64_t value) const;

    // ---- for coders: what a key's place in the set tells them ----

    static constexpr std::size_t notAKey = static_cast<std::size_t>(-1);
    // Whether keys at different positions are different keys in every format: no integer twice,
    // and no text twice among the keys without an integer. Only then may a coder tell stored
    // keys apart by their positions.
    bool hasDistinctKeys() const { return table_->distinct; }
    // Whether no text stands twice among all the keys, with an integer or without: a decoder may
    // then tell text keys read from data apart by the position of the first key they match.
    bool hasDistinctTexts() const { return table_->distinctTexts; }
    // The position of `key` among a record's keys, `hint` tried first (records code their fields
    // in the order of their keys); notAKey for any other key and for every dictionary key.
    std::size_t position(const CodingKey& key, std::size_t hint) const {
        const std::vector<CodingKey>& keys = table_->keys;
        if (hint < keys.size() && same(keys[hint], key))
            return hint;
        return search(key);
    }
    // The key index's hash of the key at `position` (its integer's, else its text's).
    std::uint32_t hashAt(std::size_t position) const { return table_->facts[position].hash; }
    // Whether the text of the key at `position` is UTF-8.
    bool isUtf8At(std::size_t position) const { return table_->facts[position].isUtf8; }
    // Whether the text of every key is UTF-8.
    bool isAllUtf8() const { return table_->allUtf8; }
    // Whether the text of every key is ASCII (so the same in every Unicode normal form).
    bool isAllAscii() const { return table_->allAscii; }

    // Whether two keys are one key: the same integer, or none and the same text; for a coder that
    // checks the key it expects next itself. Keys are short: up to sixteen bytes compare as two
    // overlapping words, without a call.
    static bool same(const CodingKey& a, const CodingKey& b) {
        const std::size_t size = a.stringValue.size();
        return size == b.stringValue.size() && a.intValue == b.intValue &&
               detail::sameKeyBytes(a.stringValue.data(), b.stringValue.data(), size);
    }

    // What a coder works out once about a set's keys (each key as it writes it, say), kept with
    // the set for as long as the set and its copies live. One coder's facts per set: the first
    // kept stays, and a coder tells its own by `tag`.
    struct CoderFacts {
        explicit CoderFacts(const void* tag) : tag(tag) {}
        virtual ~CoderFacts() = default;
        const void* const tag;
    };
    const CoderFacts* coderFacts() const { return table_->coderFacts.load(std::memory_order_acquire); }
    // Keeps `facts` unless facts were kept first (by another thread, say); returns the kept ones.
    const CoderFacts* keepCoderFacts(std::unique_ptr<CoderFacts> facts) const;

private:
    struct Facts {
        std::uint32_t hash;
        bool isUtf8;
    };
    // Shared by the copies of a set: containers that keep a copy of their keys take no copy of
    // the keys themselves.
    struct Table {
        std::vector<CodingKey> keys;
        std::vector<Facts> facts;
        bool distinct = false;
        bool distinctTexts = false;
        bool allUtf8 = true;
        bool allAscii = true;
        mutable std::atomic<CoderFacts*> coderFacts{nullptr};
        ~Table() { delete coderFacts.load(); }
    };

    explicit KeySet(Kind kind);

    std::size_t search(const CodingKey& key) const;

    Kind kind_;
    std::shared_ptr<const Table> table_;
};

} // namespace coding
