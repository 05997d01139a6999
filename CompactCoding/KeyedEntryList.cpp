#include "CompactCoding/KeyedEntryList.h"

#include "CompactCoding/CanonicalComposition.h"
#include "CompactCoding/EncodedKeyHeader.h"
#include "CompactCoding/KeyHeader.h"
#include "CompactCoding/KeyedFieldBuffer.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/EncodingError.h"
#include "coding/Utf8.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace coding {

namespace {

using SortKey = MixedCodingKeyWrapper::SortKey;

bool precedes(const SortKey& a, const SortKey& b) { return MixedCodingKeyWrapper::precedes(a, b); }

} // namespace

KeyedEntryList::KeyedEntryList(const KeySet& keys, bool sortKeys, EncodingArena& arena)
    : keys_(keys.hasDistinctKeys() ? &keys : nullptr),
      sortKeys_(sortKeys),
      isDictionary_(keys.isDynamic()),
      expectedCount_(keys.keys().size()),
      setIsAllAscii_(keys.isAllAscii()),
      bytes_(arena),
      entries_(ArenaAllocator<Entry>(arena)),
      index_(ArenaAllocator<std::uint32_t>(arena)),
      keyTexts_(ArenaAllocator<char>(arena)) {}

KeyedEntryList::KeyedEntryList(KeyedFieldBuffer&& fields, EncodingArena& arena)
    : keys_(&fields.keys()),
      sortKeys_(false),
      isDictionary_(false),
      expectedCount_(fields.keys().keys().size()),
      nextPosition_(fields.nextPosition()),
      storedPositions_(fields.storedPositions()),
      setIsAllAscii_(fields.keys().isAllAscii()),
      bytes_(fields.bytes()),
      entries_(ArenaAllocator<Entry>(arena)),
      index_(ArenaAllocator<std::uint32_t>(arena)),
      keyTexts_(ArenaAllocator<char>(arena)) {
    // The buffer holds nothing but the entries, in order: each key as written, then a primitive's
    // value, or nothing for a nested container.
    entries_.reserve(std::max<std::size_t>(fields.count() + 1, std::max<std::size_t>(expectedCount_, 4)));
    fields.takeEntries([this](std::size_t offset, std::size_t keyLength, std::size_t valueLength,
                              std::shared_ptr<EncodingContainer> nested) {
        const auto key = bytes_.span(offset, keyLength);
        const KeyHeader header = KeyHeader::of(key);
        const std::uint32_t hash =
            header.isTextKey()
                ? keyHash(std::string_view(reinterpret_cast<const char*>(key.data()) + header.size(),
                                           keyLength - header.size()))
                : keyHash(header.integerKey());
        entries_.push_back(Entry{offset, valueLength, static_cast<std::uint32_t>(keyLength), hash, 0, 0,
                                 std::move(nested)});
        index_.add(hash, entries_.size(), [this](std::size_t i) { return entries_[i].hash; });
    });
}

// ---- keys ----

KeyedEntryList::KeyBytes KeyedEntryList::writeKey(const CodingKey& key, const CodingPath& path) {
    if (entries_.capacity() == 0) {
        bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
        entries_.reserve(std::max<std::size_t>(expectedCount_, 4));
    }
    const std::size_t offset = bytes_.size();
    std::uint32_t textOffset = 0, textLength = 0;
    const std::size_t position = keys_ ? keys_->position(key, nextPosition_) : KeySet::notAKey;
    if (position != KeySet::notAKey)
        nextPosition_ = position + 1;
    else
        wroteKeyOutsideSet_ = true;
    if (key.intValue) {
        if (!MixedCodingKeyWrapper::isInRange(*key.intValue)) {
            // A dictionary's keys are data, not declarations: a bad one is an error of the value.
            if (!isDictionary_)
                MixedCodingKeyWrapper::requireInRange(key);
            CodingPath keyPath = path;
            keyPath.push_back(key);
            throw EncodingError::invalidValue(
                *key.intValue,
                ErrorContext{std::move(keyPath), MixedCodingKeyWrapper::outOfRangeMessage(key), nullptr});
        }
        std::uint8_t* out = bytes_.room(maxVariableLengthSize);
        bytes_.commit(KeyHeader::integerKey(*key.intValue, DataType::variableLengthInteger).write(out));
        if (sortKeys_) {
            textOffset = static_cast<std::uint32_t>(keyTexts_.size());
            textLength = static_cast<std::uint32_t>(key.stringValue.size());
            keyTexts_.insert(keyTexts_.end(), key.stringValue.begin(), key.stringValue.end());
        }
    } else {
        if (!(position != KeySet::notAKey ? keys_->isUtf8At(position) : isValidUtf8(key.stringValue)))
            throw EncodingError::invalidValue(key.stringValue,
                                              ErrorContext{path, "String is not UTF-8", nullptr});
        const std::size_t size = key.stringValue.size();
        std::uint8_t* out = bytes_.room(maxVariableLengthSize + size);
        out = KeyHeader::textKey(size, DataType::variableLengthInteger).write(out);
        copyBytes(out, key.stringValue.data(), size);
        bytes_.commit(out + size);
    }
    const auto length = static_cast<std::uint32_t>(bytes_.size() - offset);
    const std::uint32_t hash = position != KeySet::notAKey ? keys_->hashAt(position)
                               : key.intValue              ? keyHash(*key.intValue)
                                                           : keyHash(key.stringValue);
    return KeyBytes{offset, length, hash, textOffset, textLength, position};
}

// Keys are the same when they are written the same, whatever the data type of their values.
bool KeyedEntryList::sameKey(const Entry& entry, const KeyBytes& key) const {
    return entry.hash == key.hash && KeyHeader::sameKey(keyBytes(entry), bytes_.span(key.offset, key.length));
}

std::size_t KeyedEntryList::find(const KeyBytes& key) const {
    return index_.find(key.hash, entries_.size(), [&](std::size_t i) { return sameKey(entries_[i], key); });
}

void KeyedEntryList::store(const KeyBytes& key, std::size_t valueLength, std::shared_ptr<EncodingContainer> nested) {
    cachedSize_ = unknownSize;
    // A key placed in the set whose place is not yet taken is new; anything else is searched for.
    const bool placed = key.position < placedKeys;
    const std::uint64_t bit = placed ? std::uint64_t{1} << key.position : 0;
    const bool isNew = placed && !storedUnplacedKey_ && (storedPositions_ & bit) == 0;
    storedPositions_ |= bit;
    storedUnplacedKey_ = storedUnplacedKey_ || !placed;
    const std::size_t position = isNew ? entries_.size() : find(key);
    if (position < entries_.size()) {
        // A second value under a key replaces the first where it stood; the first one's bytes
        // are left unused in the buffer.
        Entry& entry = entries_[position];
        entry.offset = key.offset;
        entry.textOffset = key.textOffset;
        entry.textLength = key.textLength;
        entry.valueLength = valueLength;
        entry.nested = std::move(nested);
        return;
    }
    entries_.push_back(
        Entry{key.offset, valueLength, key.length, key.hash, key.textOffset, key.textLength, std::move(nested)});
    index_.add(key.hash, entries_.size(), [this](std::size_t i) { return entries_[i].hash; });
}

void KeyedEntryList::storePrimitive(const KeyBytes& key, DataType dataType, std::span<const std::uint8_t> value) {
    bytes_[key.offset] = KeyHeader::withDataType(bytes_[key.offset], dataType);
    std::uint8_t* out = bytes_.room(maxVariableLengthSize + value.size());
    if (dataType == DataType::variableLength)
        out = writeVariableLength(value.size(), out);
    copyBytes(out, value.data(), value.size());
    bytes_.commit(out + value.size());
    store(key, bytes_.size() - key.offset - key.length, nullptr);
}

// ---- bytes ----

std::size_t KeyedEntryList::entrySize(const Entry& entry) const {
    if (!entry.nested)
        return entry.keyLength + entry.valueLength;
    return entry.nested->sizeWithKey(EncodedKeyHeader(keyBytes(entry)));
}

void KeyedEntryList::appendEntry(const Entry& entry, std::vector<std::uint8_t>& out) const {
    if (entry.nested) {
        entry.nested->appendWithKey(EncodedKeyHeader(keyBytes(entry)), out);
        return;
    }
    const std::uint8_t* start = bytes_.data() + entry.offset;
    out.insert(out.end(), start, start + entry.keyLength + entry.valueLength);
}

std::vector<std::uint32_t> KeyedEntryList::sortedOrder() const {
    std::vector<SortKey> keys;
    keys.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        const auto bytes = keyBytes(entry);
        const KeyHeader header = KeyHeader::of(bytes);
        if (header.isTextKey()) {
            const auto text = bytes.subspan(header.size());
            const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
            keys.push_back(SortKey{std::nullopt, view, view});
        } else {
            const std::string_view view(keyTexts_.data() + entry.textOffset, entry.textLength);
            keys.push_back(SortKey{header.integerKey(), view, view});
        }
    }
    const auto integers = std::count_if(keys.begin(), keys.end(), [](const SortKey& k) { return k.integer.has_value(); });
    const bool oneKind = integers == 0 || integers == static_cast<std::ptrdiff_t>(keys.size());

    // Texts are compared only where a key has no integer. Each is composed once here, not at every
    // comparison, and ASCII text (nearly every key) not at all: a record's keys all from a set of
    // ASCII keys are not even looked at. The compositions go into one buffer, which is looked into
    // once it has stopped growing.
    std::string composed;
    struct Composition {
        std::size_t key;
        std::size_t offset;
        std::size_t size;
    };
    std::vector<Composition> compositions;
    const bool allAscii = setIsAllAscii_ && !wroteKeyOutsideSet_;
    if (!allAscii && integers != static_cast<std::ptrdiff_t>(keys.size())) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (isAscii(keys[i].text))
                continue;
            // An integer key's text is never written and so never checked: one that is not UTF-8
            // has no composition and is ordered by its bytes.
            const std::size_t offset = composed.size();
            if (appendCanonicalComposition(keys[i].text, composed))
                compositions.push_back(Composition{i, offset, composed.size() - offset});
        }
    }
    for (const Composition& composition : compositions)
        keys[composition.key].canonical = std::string_view(composed).substr(composition.offset, composition.size);

    std::vector<std::uint32_t> order(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    auto before = [&keys](std::uint32_t a, std::uint32_t b) { return precedes(keys[a], keys[b]); };

    if (oneKind) {
        // One kind of key: the order is a strict weak order, so any stable sort will do.
        std::stable_sort(order.begin(), order.end(), before);
        return order;
    }
    // Integer and text keys mixed: the order can have cycles, which a library sort must not be
    // given. Insertion puts each entry after the nearest earlier one it does not precede; the
    // result is the key order wherever that order is consistent, and always well defined.
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::uint32_t current = order[i];
        std::size_t j = i;
        while (j > 0 && before(current, order[j - 1])) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = current;
    }
    return order;
}

std::size_t KeyedEntryList::dataSize() const {
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = 0;
    for (const Entry& entry : entries_)
        size += entrySize(entry);
    cachedSize_ = size;
    return size;
}

void KeyedEntryList::appendData(std::vector<std::uint8_t>& out) const {
    if (sortKeys_) {
        for (const std::uint32_t position : sortedOrder())
            appendEntry(entries_[position], out);
        return;
    }
    // Primitive entries that lie one after the other in the buffer go out in one piece.
    ByteRuns runs(bytes_.data(), out);
    for (const Entry& entry : entries_) {
        if (entry.nested) {
            runs.flush();
            appendEntry(entry, out);
        } else {
            runs.add(entry.offset, entry.keyLength + entry.valueLength);
        }
    }
    runs.flush();
}

bool KeyedEntryList::isEmpty() const {
    // A primitive entry of the compact format always has something to write.
    return std::all_of(entries_.begin(), entries_.end(),
                       [](const Entry& entry) { return entry.nested && entry.nested->isEmpty(); });
}

} // namespace coding
