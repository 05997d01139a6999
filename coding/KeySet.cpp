#include "coding/KeySet.h"

#include <charconv>

namespace coding {

const KeySet& KeySet::stringDictionaryKeys() {
    static const KeySet keys(Kind::anyString);
    return keys;
}

const KeySet& KeySet::integerDictionaryKeys() {
    static const KeySet keys(Kind::anyInteger);
    return keys;
}

namespace {

std::optional<std::int64_t> parseDecimal(std::string_view text) {
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<CodingKey> KeySet::fromString(std::string_view text) const {
    switch (kind_) {
    case Kind::anyString:
        return CodingKey(std::string(text));
    case Kind::anyInteger:
        // A key that spells no integer is still a key: the dictionary rejects it by name.
        return CodingKey(std::string(text), parseDecimal(text));
    case Kind::fixed:
        break;
    }
    for (const auto& key : keys_)
        if (key.stringValue == text)
            return key;
    return std::nullopt;
}

std::optional<CodingKey> KeySet::fromInt(std::int64_t value) const {
    if (kind_ != Kind::fixed)
        return CodingKey(std::to_string(value), value);
    for (const auto& key : keys_)
        if (key.intValue == value)
            return key;
    return std::nullopt;
}

} // namespace coding
