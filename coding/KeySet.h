#pragma once

#include "coding/CodingKey.h"

#include <initializer_list>
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

    KeySet(std::initializer_list<CodingKey> keys) : kind_(Kind::fixed), keys_(keys) {}
    explicit KeySet(std::vector<CodingKey> keys) : kind_(Kind::fixed), keys_(std::move(keys)) {}

    static const KeySet& stringDictionaryKeys();
    static const KeySet& integerDictionaryKeys();

    Kind kind() const { return kind_; }
    // Keys made from data rather than declared by a record.
    bool isDynamic() const { return kind_ != Kind::fixed; }
    const std::vector<CodingKey>& keys() const { return keys_; }

    std::optional<CodingKey> fromString(std::string_view text) const;
    std::optional<CodingKey> fromInt(std::int64_t value) const;

private:
    explicit KeySet(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::vector<CodingKey> keys_;
};

} // namespace coding
