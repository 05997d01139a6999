#include "coding/KeySet.h"

#include "coding/KeyIndex.h"
#include "coding/Utf8.h"

#include <charconv>
#include <set>

namespace coding {

KeySet::KeySet(std::vector<CodingKey> keys) : kind_(Kind::fixed) {
    auto table = std::make_shared<Table>();
    table->keys = std::move(keys);
    std::set<std::int64_t> integers;
    std::set<std::string_view> texts;
    std::set<std::string_view> allTexts;
    table->distinct = true;
    table->distinctTexts = true;
    table->facts.reserve(table->keys.size());
    for (const CodingKey& key : table->keys) {
        table->facts.push_back(Facts{key.intValue ? keyHash(*key.intValue) : keyHash(key.stringValue),
                                     isValidUtf8(key.stringValue)});
        table->allUtf8 = table->allUtf8 && table->facts.back().isUtf8;
        table->allAscii = table->allAscii && isAscii(key.stringValue);
        const bool added = key.intValue ? integers.insert(*key.intValue).second : texts.insert(key.stringValue).second;
        table->distinct = table->distinct && added;
        table->distinctTexts = allTexts.insert(key.stringValue).second && table->distinctTexts;
    }
    table_ = std::move(table);
}

KeySet::KeySet(Kind kind) : kind_(kind), table_(std::make_shared<const Table>()) {}

std::size_t KeySet::search(const CodingKey& key) const {
    const std::vector<CodingKey>& keys = table_->keys;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (same(keys[i], key))
            return i;
    return notAKey;
}

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
    for (const auto& key : table_->keys)
        if (key.stringValue == text)
            return key;
    return std::nullopt;
}

std::optional<CodingKey> KeySet::fromInt(std::int64_t value) const {
    if (kind_ != Kind::fixed)
        return CodingKey(std::to_string(value), value);
    for (const auto& key : table_->keys)
        if (key.intValue == value)
            return key;
    return std::nullopt;
}

const KeySet::CoderFacts* KeySet::keepCoderFacts(std::unique_ptr<CoderFacts> facts) const {
    CoderFacts* expected = nullptr;
    if (table_->coderFacts.compare_exchange_strong(expected, facts.get(), std::memory_order_acq_rel))
        return facts.release();
    return expected;
}

} // namespace coding
