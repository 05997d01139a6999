#pragma once

#include "coding/CodingKey.h"
#include "coding/KeyIndex.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace coding {

// A key as it was read from the data: an integer key or a text key. The text is a view of the
// container's bytes, which the container keeps alive. The integer key 3 and the text key "3"
// are different keys. Kept to sixteen bytes: a record's table holds one per entry.
class DecodingKey {
public:
    static DecodingKey intKey(std::int64_t value) {
        DecodingKey key;
        key.int_ = value;
        return key;
    }
    static DecodingKey stringKey(std::string_view text) {
        DecodingKey key;
        key.text_ = text.data();
        key.length_ = static_cast<std::uint32_t>(text.size());
        key.isString_ = true;
        return key;
    }

    bool isStringKey() const { return isString_; }
    std::int64_t intValue() const { return isString_ ? 0 : int_; }
    std::string_view stringValue() const { return isString_ ? std::string_view(text_, length_) : std::string_view(); }

    // Whether this stored key answers a record's key: a text key by the key's string value, an
    // integer key by its integer value (a key without one never matches an integer key).
    bool matches(const CodingKey& key) const {
        if (isString_)
            return key.stringValue.size() == length_ && sameText(key.stringValue.data(), text_, length_);
        return key.intValue && *key.intValue == int_;
    }

    // The integer in decimal, or the text.
    std::string description() const { return isString_ ? std::string(stringValue()) : std::to_string(int_); }

    friend bool operator==(const DecodingKey& lhs, const DecodingKey& rhs) {
        if (lhs.isString_ != rhs.isString_)
            return false;
        if (!lhs.isString_)
            return lhs.int_ == rhs.int_;
        return lhs.length_ == rhs.length_ && sameText(lhs.text_, rhs.text_, lhs.length_);
    }

    // Keys are short, and every decoded field compares one: without a call.
    static bool sameText(const char* a, const char* b, std::size_t length) { return detail::sameKeyBytes(a, b, length); }

private:
    DecodingKey() = default;

    union {
        std::int64_t int_ = 0;
        const char* text_;
    };
    // Text keys come from one container's bytes; their length fits 32 bits (checked on reading).
    std::uint32_t length_ = 0;
    bool isString_ = false;
};

// The entry (anything with a DecodingKey `key`) among `count` of them that answers a record's
// `key`: through `index` once it has its table, where a key with both a text and an integer may
// match two entries and the earlier one wins; otherwise by a scan from `hint` on, which then points
// past the hit, as records are read in the order they were written. Null when none does.
template <class Entry>
const Entry* findByKey(const Entry* entries, std::size_t count, const KeyIndex<>& index, std::size_t& hint,
                       const CodingKey& key) {
    if (index.isHashed()) {
        std::size_t best = index.find(keyHash(key.stringValue), count, [&](std::size_t i) {
            return entries[i].key.isStringKey() && entries[i].key.matches(key);
        });
        if (key.intValue) {
            const std::size_t byInteger = index.find(keyHash(*key.intValue), count, [&](std::size_t i) {
                return !entries[i].key.isStringKey() && entries[i].key.matches(key);
            });
            best = byInteger < best ? byInteger : best;
        }
        return best < count ? &entries[best] : nullptr;
    }
    for (std::size_t step = 0, i = hint; step < count; ++step, ++i) {
        if (i == count)
            i = 0;
        if (entries[i].key.matches(key)) {
            hint = i + 1 == count ? 0 : i + 1;
            return &entries[i];
        }
    }
    return nullptr;
}

} // namespace coding
