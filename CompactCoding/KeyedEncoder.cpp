#include "CompactCoding/KeyedEncoder.h"

#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/EncodedKeyHeader.h"
#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/SuperEncoderKey.h"
#include "CompactCoding/UnkeyedEncoder.h"
#include "CompactCoding/UserInfoFlag.h"
#include "coding/Utf8.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/EncodingError.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

namespace coding {

namespace {

std::uint32_t finish(std::uint64_t mixed) { return static_cast<std::uint32_t>((mixed * 0xBF58476D1CE4E5B9ull) >> 32); }

// A text key's hash mixes its length and its first and last eight bytes: keys are short, and a
// full hash of each would cost more than the rest of storing a field. Keys that agree there only
// probe a little longer, since a match is always confirmed on all bytes. Taken from the key
// itself, not from the bytes just written.
std::uint32_t hashOf(std::string_view text) {
    const std::uint64_t first = loadUpTo8(text.data(), text.size());
    std::uint64_t last = 0;
    if (text.size() > 8)
        std::memcpy(&last, text.data() + text.size() - 8, 8);
    return finish(first ^ (last * 0xC2B2AE3D27D4EB4Full) ^ text.size());
}

std::uint32_t hashOf(std::int64_t integer) {
    return finish(static_cast<std::uint64_t>(integer) ^ 0x5555);
}

// A key as the sort order sees it.
struct SortKey {
    std::optional<std::int64_t> integer;
    std::string_view text;
};

bool precedes(const SortKey& a, const SortKey& b) {
    return MixedCodingKeyWrapper::precedes(a.integer, a.text, b.integer, b.text);
}

} // namespace

KeyedEncoder::KeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                           bool containsOptional, const KeySet& keys, EncodingArena& arena)
    : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), containsOptional, arena),
      sortKeys_(userInfoFlag(UserInfoOption::sort, this->userInfo())),
      isDictionary_(keys.isDynamic()),
      expectedCount_(keys.keys().size()),
      bytes_(arena),
      entries_(ArenaAllocator<Entry>(arena)),
      index_(ArenaAllocator<std::uint32_t>(arena)),
      keyTexts_(ArenaAllocator<char>(arena)) {}

// ---- keys ----

KeyedEncoder::KeyBytes KeyedEncoder::writeKey(const CodingKey& key) {
    if (entries_.capacity() == 0) {
        bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
        entries_.reserve(std::max<std::size_t>(expectedCount_, 4));
    }
    const std::size_t offset = bytes_.size();
    std::uint32_t textOffset = 0, textLength = 0;
    if (key.intValue) {
        if (!MixedCodingKeyWrapper::isInRange(*key.intValue)) {
            // A dictionary's keys are data, not declarations: a bad one is an error of the value.
            if (!isDictionary_)
                MixedCodingKeyWrapper::requireInRange(key);
            CodingPath path = codingPath();
            path.push_back(key);
            throw EncodingError::invalidValue(
                *key.intValue,
                ErrorContext{std::move(path), MixedCodingKeyWrapper::outOfRangeMessage(key), nullptr});
        }
        std::uint8_t* out = bytes_.room(maxVariableLengthSize);
        bytes_.commit(writeVariableLength(
            MixedCodingKeyWrapper::headerValue(key.intValue, 0, DataType::variableLengthInteger), out));
        if (sortKeys_) {
            textOffset = static_cast<std::uint32_t>(keyTexts_.size());
            textLength = static_cast<std::uint32_t>(key.stringValue.size());
            keyTexts_.insert(keyTexts_.end(), key.stringValue.begin(), key.stringValue.end());
        }
    } else {
        if (!isValidUtf8(key.stringValue))
            throw EncodingError::invalidValue(key.stringValue,
                                              ErrorContext{codingPath(), "String is not UTF-8", nullptr});
        const std::size_t size = key.stringValue.size();
        std::uint8_t* out = bytes_.room(maxVariableLengthSize + size);
        out = writeVariableLength(
            MixedCodingKeyWrapper::headerValue(std::nullopt, size, DataType::variableLengthInteger), out);
        copyBytes(out, key.stringValue.data(), size);
        bytes_.commit(out + size);
    }
    const auto length = static_cast<std::uint32_t>(bytes_.size() - offset);
    const std::uint32_t hash = key.intValue ? hashOf(*key.intValue) : hashOf(key.stringValue);
    return KeyBytes{offset, length, hash, textOffset, textLength};
}

// Keys are the same when they are written the same, whatever the data type of their values.
bool KeyedEncoder::sameKey(const Entry& entry, const KeyBytes& key) const {
    if (entry.hash != key.hash || entry.keyLength != key.length)
        return false;
    const std::uint8_t* a = bytes_.data() + entry.offset;
    const std::uint8_t* b = bytes_.data() + key.offset;
    return (a[0] & ~7u) == (b[0] & ~7u) && std::memcmp(a + 1, b + 1, key.length - 1) == 0;
}

std::size_t KeyedEncoder::find(const KeyBytes& key) const {
    if (index_.empty()) {
        if ((seenHashes_ & (std::uint64_t{1} << (key.hash & 63))) == 0)
            return entries_.size();
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (sameKey(entries_[i], key))
                return i;
        return entries_.size();
    }
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = key.hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t position = index_[slot];
        if (position == 0)
            return entries_.size();
        if (sameKey(entries_[position - 1], key))
            return position - 1;
    }
}

void KeyedEncoder::index(std::size_t position) {
    const std::size_t mask = index_.size() - 1;
    std::size_t slot = entries_[position].hash & mask;
    while (index_[slot] != 0)
        slot = (slot + 1) & mask;
    index_[slot] = static_cast<std::uint32_t>(position + 1);
}

void KeyedEncoder::rebuildIndex() {
    // At most half full, so that a probe soon meets an empty slot.
    index_.assign(std::bit_ceil(entries_.size() * 4), 0);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index(i);
}

void KeyedEncoder::store(const KeyBytes& key, std::size_t valueLength, std::shared_ptr<EncodingContainer> nested) {
    cachedSize_ = unknownSize;
    const std::size_t position = find(key);
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
    seenHashes_ |= std::uint64_t{1} << (key.hash & 63);
    if (entries_.size() > linearSearchLimit && entries_.size() * 2 > index_.size())
        rebuildIndex();
    else if (!index_.empty())
        index(entries_.size() - 1);
}

// ---- the keyed-container role ----

void KeyedEncoder::encodeNil(const CodingKey&) {
    // An absent key is the format's nil; an entry stored earlier under the key stays.
}

void KeyedEncoder::encode(const EncodeItem& item, const CodingKey& key) {
    const KeyBytes keyBytes = writeKey(key);
    if (item.category != ValueCategory::primitive) {
        // A failure leaves the key's bytes unused.
        store(keyBytes, 0, encodeNestedValue(item, *this));
        return;
    }
    PrimitiveScratch scratch;
    const auto bytes = encodePrimitive(item, *this, scratch);
    const DataType dataType = dataTypeOf(kindOf(item.primitive));
    bytes_[keyBytes.offset] = static_cast<std::uint8_t>(bytes_[keyBytes.offset] | rawValue(dataType));
    std::uint8_t* out = bytes_.room(maxVariableLengthSize + bytes.size());
    if (dataType == DataType::variableLength)
        out = writeVariableLength(bytes.size(), out);
    copyBytes(out, bytes.data(), bytes.size());
    bytes_.commit(out + bytes.size());
    store(keyBytes, bytes_.size() - keyBytes.offset - keyBytes.length, nullptr);
}

std::shared_ptr<KeyedEncodingContainerBox> KeyedEncoder::nestedContainer(const KeySet& keys, const CodingKey& key) {
    const KeyBytes keyBytes = writeKey(key);
    auto container = makeNode<KeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false, keys);
    store(keyBytes, 0, container);
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> KeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    const KeyBytes keyBytes = writeKey(key);
    auto container = makeNode<UnkeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false);
    store(keyBytes, 0, container);
    return container;
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder() {
    const KeyBytes keyBytes = writeKey(SuperEncoderKey::codingKey());
    auto node = makeNode<EncodingNode>(sharedCodingPath(), sharedUserInfo(), false);
    store(keyBytes, 0, node);
    return node;
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder(const CodingKey& key) {
    const KeyBytes keyBytes = writeKey(key);
    auto node = makeNode<EncodingNode>(codingPathAppending(key), sharedUserInfo(), false);
    store(keyBytes, 0, node);
    return node;
}

// ---- bytes ----

std::size_t KeyedEncoder::entrySize(const Entry& entry) const {
    if (!entry.nested)
        return entry.keyLength + entry.valueLength;
    return entry.nested->sizeWithKey(EncodedKeyHeader(keyBytes(entry)));
}

void KeyedEncoder::appendEntry(const Entry& entry, std::vector<std::uint8_t>& out) const {
    if (entry.nested) {
        entry.nested->appendWithKey(EncodedKeyHeader(keyBytes(entry)), out);
        return;
    }
    const std::uint8_t* start = bytes_.data() + entry.offset;
    out.insert(out.end(), start, start + entry.keyLength + entry.valueLength);
}

void KeyedEncoder::sortEntries() const {
    std::vector<SortKey> keys;
    keys.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        const auto bytes = keyBytes(entry);
        std::size_t headerLength = 0;
        const std::uint64_t header = readVariableLengthInteger(bytes, headerLength, {});
        if ((header & 8) == 0) {
            keys.push_back(SortKey{static_cast<std::int64_t>(header) >> 4,
                                   std::string_view(keyTexts_.data() + entry.textOffset, entry.textLength)});
        } else {
            const auto text = bytes.subspan(headerLength);
            keys.push_back(
                SortKey{std::nullopt, std::string_view(reinterpret_cast<const char*>(text.data()), text.size())});
        }
    }
    sortedOrder_.resize(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        sortedOrder_[i] = static_cast<std::uint32_t>(i);
    auto before = [&keys](std::uint32_t a, std::uint32_t b) { return precedes(keys[a], keys[b]); };

    const auto integers = std::count_if(keys.begin(), keys.end(), [](const SortKey& k) { return k.integer.has_value(); });
    if (integers == 0 || integers == static_cast<std::ptrdiff_t>(keys.size())) {
        // One kind of key: the order is a strict weak order, so any stable sort will do.
        std::stable_sort(sortedOrder_.begin(), sortedOrder_.end(), before);
        return;
    }
    // Integer and text keys mixed: the order can have cycles, which a library sort must not be
    // given. Insertion puts each entry after the nearest earlier one it does not precede; the
    // result is the key order wherever that order is consistent, and always well defined.
    for (std::size_t i = 1; i < sortedOrder_.size(); ++i) {
        const std::uint32_t current = sortedOrder_[i];
        std::size_t j = i;
        while (j > 0 && before(current, sortedOrder_[j - 1])) {
            sortedOrder_[j] = sortedOrder_[j - 1];
            --j;
        }
        sortedOrder_[j] = current;
    }
}

std::size_t KeyedEncoder::dataSize() const {
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = 0;
    for (const Entry& entry : entries_)
        size += entrySize(entry);
    if (sortKeys_)
        sortEntries();
    cachedSize_ = size;
    return size;
}

void KeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    dataSize(); // settles the order
    if (sortKeys_) {
        for (const std::uint32_t position : sortedOrder_)
            appendEntry(entries_[position], out);
        return;
    }
    // Primitive entries that lie one after the other in the buffer go out in one piece.
    const std::uint8_t* base = bytes_.data();
    std::size_t runStart = 0, runEnd = 0;
    auto flush = [&] {
        out.insert(out.end(), base + runStart, base + runEnd);
        runStart = runEnd = 0;
    };
    for (const Entry& entry : entries_) {
        if (entry.nested) {
            flush();
            appendEntry(entry, out);
            continue;
        }
        const std::size_t end = entry.offset + entry.keyLength + entry.valueLength;
        if (runStart == runEnd || entry.offset != runEnd) {
            flush();
            runStart = entry.offset;
        }
        runEnd = end;
    }
    flush();
}

bool KeyedEncoder::isEmpty() const {
    // A primitive entry of the compact format always has something to write.
    return std::all_of(entries_.begin(), entries_.end(),
                       [](const Entry& entry) { return entry.nested && entry.nested->isEmpty(); });
}

} // namespace coding
