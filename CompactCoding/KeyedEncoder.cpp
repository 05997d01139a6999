#include "CompactCoding/KeyedEncoder.h"

#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/EncodedKeyHeader.h"
#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/KeyHeader.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/SuperEncoderKey.h"
#include "CompactCoding/UnkeyedEncoder.h"
#include "CompactCoding/UserInfoFlag.h"
#include "coding/Utf8.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/EncodingError.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace coding {

namespace {

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
      keys_(keys.hasDistinctKeys() ? &keys : nullptr),
      keyArray_(keys.keys().data()),
      listed_(keys_ == nullptr || sortKeys_ || !keys.isAllUtf8()),
      nestedKeys_(ArenaAllocator<NestedKey>(arena)),
      bytes_(arena),
      entries_(ArenaAllocator<Entry>(arena)),
      index_(ArenaAllocator<std::uint32_t>(arena)),
      keyTexts_(ArenaAllocator<char>(arena)) {
    if (!listed_) {
        writtenKeys_ = writtenKeysOf(keys);
        bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
    }
}

namespace {
const char writtenKeysTag = 0;
} // namespace

struct KeyedEncoder::WrittenKeys final : KeySet::CoderFacts {
    explicit WrittenKeys(const KeySet& keys) : CoderFacts(&writtenKeysTag), keys(keys.keys().size()) {
        for (std::size_t i = 0; i < keys.keys().size(); ++i) {
            const CodingKey& key = keys.keys()[i];
            WrittenKey& written = this->keys[i];
            written.length = 0;
            if (key.intValue ? !MixedCodingKeyWrapper::isInRange(*key.intValue)
                             : maxVariableLengthSize + key.stringValue.size() > WrittenKey::slot)
                continue;
            std::uint8_t scratch[maxVariableLengthSize + WrittenKey::slot] = {};
            const std::uint8_t* end = writePlacedKey(key, DataType::variableLengthInteger, scratch);
            std::memcpy(written.bytes, scratch, WrittenKey::slot);
            written.length = static_cast<std::uint8_t>(end - scratch);
        }
    }
    std::vector<WrittenKey> keys;
};

const KeyedEncoder::WrittenKey* KeyedEncoder::writtenKeysOf(const KeySet& keys) {
    const KeySet::CoderFacts* facts = keys.coderFacts();
    if (!facts)
        facts = keys.keepCoderFacts(std::make_unique<WrittenKeys>(keys));
    return facts->tag == &writtenKeysTag ? static_cast<const WrittenKeys*>(facts)->keys.data() : nullptr;
}

// ---- the buffer-only form ----

inline std::uint8_t* KeyedEncoder::writePlacedKey(const CodingKey& key, DataType dataType, std::uint8_t* out) {
    if (key.intValue)
        return KeyHeader::integerKey(*key.intValue, dataType).write(out);
    const std::size_t size = key.stringValue.size();
    out = KeyHeader::textKey(size, dataType).write(out);
    copyBytes(out, key.stringValue.data(), size);
    return out + size;
}

void KeyedEncoder::storeUnlistedNested(const CodingKey& key, std::size_t position,
                                       std::shared_ptr<EncodingContainer> container) {
    cachedSize_ = unknownSize;
    const std::size_t offset = bytes_.size();
    bytes_.commit(writePlacedKey(key, DataType::variableLengthInteger,
                                 bytes_.room(maxVariableLengthSize + key.stringValue.size())));
    nestedKeys_.push_back(
        NestedKey{offset, static_cast<std::uint32_t>(bytes_.size() - offset), std::move(container)});
    storedPositions_ |= std::uint64_t{1} << position;
}

[[gnu::always_inline]] inline std::uint8_t* KeyedEncoder::placeKey(const CodingKey& key, std::size_t position,
                                                                    DataType dataType, std::size_t valueRoom) {
    std::uint8_t* out;
    if (writtenKeys_ && writtenKeys_[position].length != 0) {
        // The key as the set has it written: the same bytes, as the two keys are one key.
        const WrittenKey& written = writtenKeys_[position];
        out = bytes_.room(WrittenKey::slot + valueRoom);
        std::memcpy(out, written.bytes, WrittenKey::slot);
        out[0] = KeyHeader::withDataType(out[0], dataType);
        out += written.length;
    } else {
        out = writePlacedKey(key, dataType, bytes_.room(maxVariableLengthSize + key.stringValue.size() + valueRoom));
    }
    storedPositions_ |= std::uint64_t{1} << position;
    return out;
}

[[gnu::always_inline]] inline void KeyedEncoder::storeUnlisted(const CodingKey& key, std::size_t position,
                                                                DataType dataType, std::span<const std::uint8_t> value) {
    std::uint8_t* out = placeKey(key, position, dataType, maxVariableLengthSize + value.size());
    if (dataType == DataType::variableLength)
        out = writeVariableLength(value.size(), out);
    copyBytes(out, value.data(), value.size());
    bytes_.commit(out + value.size());
}

[[gnu::always_inline]] inline void KeyedEncoder::storeUnlistedPrimitive(const EncodeItem& item, const CodingKey& key,
                                                                         std::size_t position) {
    // The kinds records hold most are written here, value straight after key; the rest, and text
    // that is not UTF-8 (to be reported), through the codec.
    switch (kindOf(item.primitive)) {
    case PrimitiveKind::String: {
        const std::string_view text = *std::get_if<std::string_view>(&item.primitive);
        const std::span value(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        if (!isValidUtf8(value))
            break;
        storeUnlisted(key, position, DataType::variableLength, value);
        return;
    }
    case PrimitiveKind::Int64: {
        std::uint8_t* out = placeKey(key, position, DataType::variableLengthInteger, maxVariableLengthSize);
        bytes_.commit(writeVariableLength(zigZagEncode(*std::get_if<std::int64_t>(&item.primitive)), out));
        return;
    }
    case PrimitiveKind::Bool: {
        std::uint8_t* out = placeKey(key, position, DataType::variableLengthInteger, 1);
        *out = *std::get_if<bool>(&item.primitive) ? 1 : 0;
        bytes_.commit(out + 1);
        return;
    }
    default: break;
    }
    PrimitiveScratch scratch;
    const auto value = encodePrimitive(item, *this, scratch);
    storeUnlisted(key, position, dataTypeOf(kindOf(item.primitive)), value);
}


// Reads the entries back out of the buffer, which holds nothing but them in order: each key as
// written, then a primitive's value, or nothing for a nested container.
void KeyedEncoder::listEntries() {
    listed_ = true;
    cachedSize_ = unknownSize;
    entries_.reserve(std::max<std::size_t>(unlistedCount() + 1, std::max<std::size_t>(expectedCount_, 4)));
    const std::span<const std::uint8_t> bytes(bytes_.data(), bytes_.size());
    const auto list = [&](std::size_t offset, std::size_t keyLength, std::size_t valueLength,
                          std::shared_ptr<EncodingContainer> nested) {
        const auto key = bytes.subspan(offset, keyLength);
        const KeyHeader header = KeyHeader::of(key);
        const std::uint32_t hash =
            header.isTextKey()
                ? keyHash(std::string_view(reinterpret_cast<const char*>(key.data()) + header.size(),
                                           keyLength - header.size()))
                : keyHash(header.integerKey());
        entries_.push_back(Entry{offset, valueLength, static_cast<std::uint32_t>(keyLength), hash, 0, 0,
                                 std::move(nested)});
        index_.add(hash, entries_.size(), [this](std::size_t i) { return entries_[i].hash; });
    };
    const auto listPrimitivesUpTo = [&](std::size_t offset, std::size_t end) {
        while (offset < end) {
            std::size_t index = offset;
            const KeyHeader header = KeyHeader::read(bytes, index, {});
            if (header.isTextKey())
                index += static_cast<std::size_t>(header.value() >> 4);
            const std::size_t keyLength = index - offset;
            switch (static_cast<DataType>(header.rawDataType())) {
            case DataType::variableLengthInteger: readVariableLengthIntegerAt(bytes, index, {}); break;
            case DataType::variableLength: {
                const auto length = static_cast<std::size_t>(readVariableLengthIntegerAt(bytes, index, {}));
                index += length;
                break;
            }
            default: index += fixedDataSize(static_cast<DataType>(header.rawDataType())); break;
            }
            list(offset, keyLength, index - offset - keyLength, nullptr);
            offset = index;
        }
    };
    std::size_t offset = 0;
    for (NestedKey& nested : nestedKeys_) {
        listPrimitivesUpTo(offset, nested.keyOffset);
        list(nested.keyOffset, nested.keyLength, 0, std::move(nested.container));
        offset = nested.keyOffset + nested.keyLength;
    }
    listPrimitivesUpTo(offset, bytes_.size());
    nestedKeys_.clear();
}

// ---- keys ----

KeyedEncoder::KeyBytes KeyedEncoder::writeKey(const CodingKey& key) {
    if (entries_.capacity() == 0) {
        bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
        entries_.reserve(std::max<std::size_t>(expectedCount_, 4));
    }
    const std::size_t offset = bytes_.size();
    std::uint32_t textOffset = 0, textLength = 0;
    const std::size_t position = keys_ ? keys_->position(key, nextPosition_) : KeySet::notAKey;
    if (position != KeySet::notAKey)
        nextPosition_ = position + 1;
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
        bytes_.commit(KeyHeader::integerKey(*key.intValue, DataType::variableLengthInteger).write(out));
        if (sortKeys_) {
            textOffset = static_cast<std::uint32_t>(keyTexts_.size());
            textLength = static_cast<std::uint32_t>(key.stringValue.size());
            keyTexts_.insert(keyTexts_.end(), key.stringValue.begin(), key.stringValue.end());
        }
    } else {
        if (!(position != KeySet::notAKey ? keys_->isUtf8At(position) : isValidUtf8(key.stringValue)))
            throw EncodingError::invalidValue(key.stringValue,
                                              ErrorContext{codingPath(), "String is not UTF-8", nullptr});
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
bool KeyedEncoder::sameKey(const Entry& entry, const KeyBytes& key) const {
    return entry.hash == key.hash && KeyHeader::sameKey(keyBytes(entry), bytes_.span(key.offset, key.length));
}

std::size_t KeyedEncoder::find(const KeyBytes& key) const {
    return index_.find(key.hash, entries_.size(), [&](std::size_t i) { return sameKey(entries_[i], key); });
}

void KeyedEncoder::store(const KeyBytes& key, std::size_t valueLength, std::shared_ptr<EncodingContainer> nested) {
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

// ---- the keyed-container role ----

void KeyedEncoder::encodeNil(const CodingKey&) {
    // An absent key is the format's nil; an entry stored earlier under the key stays.
}

void KeyedEncoder::encode(const EncodeItem& item, const CodingKey& key) {
    const std::size_t position = unlistedPosition(key);
    if (position != KeySet::notAKey && item.category == ValueCategory::primitive) {
        storeUnlistedPrimitive(item, key, position);
        return;
    }
    encodeOther(item, key, position);
}

// Kept out of encode, so that the primitive fields of a record's own keys, nearly all of them,
// pay nothing for it.
void KeyedEncoder::encodeOther(const EncodeItem& item, const CodingKey& key, std::size_t position) {
    if (position != KeySet::notAKey) {
        auto container = encodeNestedValue(item, *this);
        // The value's own code may have stored under this key meanwhile.
        if (!listed_ && (storedPositions_ & (std::uint64_t{1} << position)) == 0) {
            // Nothing else holds a finished record of primitives: its bytes are final.
            std::span<const std::uint8_t> data;
            if (container.use_count() == 1 && container->writtenData(data)) {
                storeUnlisted(key, position, DataType::variableLength, data);
                return;
            }
            storeUnlistedNested(key, position, std::move(container));
            return;
        }
        if (!listed_)
            listEntries();
        store(writeKey(key), 0, std::move(container));
        return;
    }
    const KeyBytes keyBytes = writeKey(key);
    if (item.category != ValueCategory::primitive) {
        // A failure leaves the key's bytes unused.
        store(keyBytes, 0, encodeNestedValue(item, *this));
        return;
    }
    PrimitiveScratch scratch;
    const auto bytes = encodePrimitive(item, *this, scratch);
    const DataType dataType = dataTypeOf(kindOf(item.primitive));
    bytes_[keyBytes.offset] = KeyHeader::withDataType(bytes_[keyBytes.offset], dataType);
    std::uint8_t* out = bytes_.room(maxVariableLengthSize + bytes.size());
    if (dataType == DataType::variableLength)
        out = writeVariableLength(bytes.size(), out);
    copyBytes(out, bytes.data(), bytes.size());
    bytes_.commit(out + bytes.size());
    store(keyBytes, bytes_.size() - keyBytes.offset - keyBytes.length, nullptr);
}

std::shared_ptr<KeyedEncodingContainerBox> KeyedEncoder::nestedContainer(const KeySet& keys, const CodingKey& key) {
    if (const std::size_t position = unlistedPosition(key); position != KeySet::notAKey) {
        auto container = makeNode<KeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false, keys);
        storeUnlistedNested(key, position, container);
        return container;
    }
    const KeyBytes keyBytes = writeKey(key);
    auto container = makeNode<KeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false, keys);
    store(keyBytes, 0, container);
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> KeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    if (const std::size_t position = unlistedPosition(key); position != KeySet::notAKey) {
        auto container = makeNode<UnkeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false);
        storeUnlistedNested(key, position, container);
        return container;
    }
    const KeyBytes keyBytes = writeKey(key);
    auto container = makeNode<UnkeyedEncoder>(codingPathAppending(key), sharedUserInfo(), false);
    store(keyBytes, 0, container);
    return container;
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder() {
    if (!listed_)
        listEntries();
    const KeyBytes keyBytes = writeKey(SuperEncoderKey::codingKey());
    auto node = makeNode<EncodingNode>(sharedCodingPath(), sharedUserInfo(), false);
    store(keyBytes, 0, node);
    return node;
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder(const CodingKey& key) {
    if (const std::size_t position = unlistedPosition(key); position != KeySet::notAKey) {
        auto node = makeNode<EncodingNode>(codingPathAppending(key), sharedUserInfo(), false);
        storeUnlistedNested(key, position, node);
        return node;
    }
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

std::vector<std::uint32_t> KeyedEncoder::sortedOrder() const {
    std::vector<SortKey> keys;
    keys.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        const auto bytes = keyBytes(entry);
        const KeyHeader header = KeyHeader::of(bytes);
        if (header.isTextKey()) {
            const auto text = bytes.subspan(header.size());
            keys.push_back(
                SortKey{std::nullopt, std::string_view(reinterpret_cast<const char*>(text.data()), text.size())});
        } else {
            keys.push_back(SortKey{header.integerKey(),
                                   std::string_view(keyTexts_.data() + entry.textOffset, entry.textLength)});
        }
    }
    std::vector<std::uint32_t> order(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    auto before = [&keys](std::uint32_t a, std::uint32_t b) { return precedes(keys[a], keys[b]); };

    const auto integers = std::count_if(keys.begin(), keys.end(), [](const SortKey& k) { return k.integer.has_value(); });
    if (integers == 0 || integers == static_cast<std::ptrdiff_t>(keys.size())) {
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

std::size_t KeyedEncoder::dataSize() const {
    if (!listed_) {
        // Only what the nested containers add is kept: the buffer's own bytes are counted as they are.
        if (cachedSize_ == unknownSize) {
            std::size_t added = 0;
            for (const NestedKey& nested : nestedKeys_)
                added += nested.container->sizeWithKey(EncodedKeyHeader(bytes_.span(nested.keyOffset, nested.keyLength))) -
                         nested.keyLength;
            cachedSize_ = added;
        }
        return bytes_.size() + cachedSize_;
    }
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = 0;
    for (const Entry& entry : entries_)
        size += entrySize(entry);
    cachedSize_ = size;
    return size;
}

void KeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    if (!listed_) {
        const std::uint8_t* base = bytes_.data();
        std::size_t written = 0;
        for (const NestedKey& nested : nestedKeys_) {
            out.insert(out.end(), base + written, base + nested.keyOffset);
            nested.container->appendWithKey(EncodedKeyHeader(bytes_.span(nested.keyOffset, nested.keyLength)), out);
            written = nested.keyOffset + nested.keyLength;
        }
        out.insert(out.end(), base + written, base + bytes_.size());
        return;
    }
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

bool KeyedEncoder::isEmpty() const {
    // A primitive entry of the compact format always has something to write.
    if (!listed_)
        return unlistedCount() == nestedKeys_.size() &&
               std::all_of(nestedKeys_.begin(), nestedKeys_.end(),
                           [](const NestedKey& nested) { return nested.container->isEmpty(); });
    return std::all_of(entries_.begin(), entries_.end(),
                       [](const Entry& entry) { return entry.nested && entry.nested->isEmpty(); });
}

} // namespace coding
