#include "CompactCoding/KeyedDecoder.h"

#include "CompactCoding/DecodingNode.h"
#include "CompactCoding/KeyHeader.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/SuperEncoderKey.h"
#include "CompactCoding/UnkeyedDecoder.h"
#include "coding/Utf8.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/DecodingError.h"

#include <algorithm>
#include <limits>

namespace coding {

namespace {

// Value faults are raised without a path and get the container's path and the key on the way out.
const CodingPath noPath;

[[noreturn]] void corrupt(const CodingPath& path, const char* message) {
    throw DecodingError::dataCorrupted(path, message);
}

// The value bytes of one entry starting at `index`, which moves past them. Decided by the raw wire
// type with plain branches and the size table: a jump table here mispredicts on every record.
std::span<const std::uint8_t> valueBytes(std::span<const std::uint8_t> bytes, std::size_t& index, std::uint64_t raw) {
    const std::size_t start = index;
    if (raw == rawValue(DataType::variableLength)) {
        const auto count = static_cast<std::int64_t>(readVariableLengthIntegerAt(bytes, index, noPath));
        if (count < 0)
            corrupt(noPath, "Invalid data size");
        if (static_cast<std::uint64_t>(count) > bytes.size() - index)
            corrupt(noPath, "Premature end of data");
        const auto value = bytes.subspan(index, static_cast<std::size_t>(count));
        index += value.size();
        return value;
    }
    if (raw == rawValue(DataType::variableLengthInteger)) {
        readVariableLengthIntegerAt(bytes, index, noPath);
        return bytes.subspan(start, index - start);
    }
    const std::size_t size = fixedDataSizes[raw];
    if (size > bytes.size() - index)
        corrupt(noPath, "Premature end of data");
    index += size;
    return bytes.subspan(start, size);
}

// Whether a record's key has the text read from the data.
bool sameText(const std::string& key, std::string_view text) {
    return key.size() == text.size() && DecodingKey::sameText(key.data(), text.data(), text.size());
}

// Length, first, middle and last byte of a text key (keys of one record nearly always differ
// there), or the integer of an integer key; equal keys always give equal values. Built from
// single bytes and without a branch on the length: keys of one record alternate in length, and
// the branches of a hash over all bytes would mispredict on every key.
std::uint64_t fingerprintOf(const DecodingKey& key) {
    if (!key.isStringKey())
        return static_cast<std::uint64_t>(key.intValue()) * 0x9E3779B97F4A7C15ULL;
    const std::string_view text = key.stringValue();
    if (text.empty())
        return 1;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(text[i])); };
    return (static_cast<std::uint64_t>(text.size()) << 32) | (byte(0) << 24) | (byte(text.size() / 2) << 16) |
           (byte(text.size() - 1) << 8) | 1;
}

std::uint32_t hashOf(const DecodingKey& key) {
    return key.isStringKey() ? keyHash(key.stringValue()) : keyHash(key.intValue());
}

} // namespace

KeyedDecoder::KeyedDecoder(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> keepAlive,
                           const KeySet& keys, std::shared_ptr<const CodingPath> codingPath,
                           std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth), keepAlive_(std::move(keepAlive)),
      keys_(&keys) {
    parse(bytes);
}

template <class Matches>
std::size_t KeyedDecoder::firstPosition(Matches&& matches) const {
    const std::vector<CodingKey>& keys = keys_->keys();
    const std::size_t count = std::min(keys.size(), maxPositions);
    for (std::size_t i = 0; i < count; ++i)
        if (matches(keys[i]))
            return i;
    return KeySet::notAKey;
}

void KeyedDecoder::parse(std::span<const std::uint8_t> bytes) {
    const CodingPath& path = codingPath();
    std::size_t index = 0;
    // The position of the key that most likely comes next: the expected key is the first with its
    // text (or integer) only when no text (integer) stands twice.
    std::size_t expected = 0;
    const std::vector<CodingKey>& known = keys_->keys();
    const std::size_t knownCount = std::min(known.size(), maxPositions);
    const std::size_t textsInOrder = keys_->hasDistinctTexts() ? knownCount : 0;
    const std::size_t integersInOrder = keys_->hasDistinctKeys() ? knownCount : 0;
    while (index < bytes.size()) {
        const KeyHeader header = KeyHeader::read(bytes, index, path);
        const std::uint64_t raw = header.rawDataType();
        if (raw == 3 || raw == 4)
            header.dataType(path); // throws "Unknown data type N"

        // The key stays in scalars until it is stored: a key object built here and copied into
        // the table at once would stall on the copy.
        const bool isStringKey = header.isTextKey();
        std::string_view text;
        std::size_t position;
        if (isStringKey) {
            const std::uint64_t keyLength = header.textByteCount(path);
            if (keyLength > bytes.size() - index)
                corrupt(path, "Premature end of data");
            if (keyLength > std::numeric_limits<std::uint32_t>::max())
                corrupt(path, "Invalid data size");
            const auto keyBytes = bytes.subspan(index, static_cast<std::size_t>(keyLength));
            index += keyBytes.size();
            text = std::string_view(reinterpret_cast<const char*>(keyBytes.data()), keyBytes.size());
            position = expected < textsInOrder && sameText(known[expected].stringValue, text)
                           ? expected
                           : firstPosition([text](const CodingKey& key) { return key.stringValue == text; });
            // Bytes equal to a key of the record are as valid as its text.
            if ((position == KeySet::notAKey || !keys_->isUtf8At(position)) && !isValidUtf8(keyBytes))
                corrupt(path, "Invalid string");
        }
        const std::int64_t intKey = header.integerKey();
        if (!isStringKey)
            position = expected < integersInOrder && known[expected].intValue == intKey
                           ? expected
                           : firstPosition([intKey](const CodingKey& key) { return key.intValue == intKey; });

        std::span<const std::uint8_t> value;
        try {
            value = valueBytes(bytes, index, raw);
        } catch (DecodingError& error) {
            if (auto known = knownKey(isStringKey ? DecodingKey::stringKey(text) : DecodingKey::intKey(intKey)))
                error.prependKey(*known);
            error.prependPath(path);
            throw;
        }
        // Stored right here: as a call, the entry's parts would travel through memory and stall.
        const DecodingKey key = isStringKey ? DecodingKey::stringKey(text) : DecodingKey::intKey(intKey);
        std::uint64_t fingerprint = 0; // none for a key with a position: no other key can equal it
        if (position != KeySet::notAKey) {
            std::uint64_t& seen = isStringKey ? textsSeen_ : integersSeen_;
            const std::uint64_t bit = std::uint64_t{1} << position;
            if (seen & bit)
                throw DecodingError::dataCorrupted(path, "Multiple values for key " + key.description());
            seen |= bit;
            expected = position + 1;
        } else {
            fingerprint = fingerprintOf(key);
            if (isRepeated(key, fingerprint))
                throw DecodingError::dataCorrupted(path, "Multiple values for key " + key.description());
        }
        if (count_ < scanLimit) {
            Entry& entry = inline_.items[count_++];
            if (isStringKey)
                entry.key = DecodingKey::stringKey(text);
            else
                entry.key = DecodingKey::intKey(intKey);
            entry.fingerprint = fingerprint;
            entry.dataType = static_cast<DataType>(raw);
            entry.value = value;
        } else {
            spill(Entry{key, fingerprint, static_cast<DataType>(raw), value});
        }
        // Past a record's size the key index takes over, with a hash of all of each key's bytes.
        if (count_ > scanLimit)
            index_.add(hashOf(key), count_, [this](std::size_t i) { return hashOf(entries_[i].key); });
    }
}

bool KeyedDecoder::isRepeated(const DecodingKey& key, std::uint64_t fingerprint) {
    if (index_.isHashed())
        return index_.find(hashOf(key), count_, [&](std::size_t i) { return entries_[i].key == key; }) < count_;
    // One bit per fingerprint: most keys find their bit clear and need no scan at all.
    const std::uint64_t bit = std::uint64_t{1} << ((fingerprint * 0x9E3779B97F4A7C15ULL) >> 58);
    const bool maybe = (keyFilter_ & bit) != 0;
    keyFilter_ |= bit;
    if (maybe)
        for (std::size_t i = 0; i < count_; ++i)
            if (entries_[i].fingerprint == fingerprint && entries_[i].key == key)
                return true;
    return false;
}

void KeyedDecoder::spill(const Entry& entry) {
    // Past a record's size: on the heap.
    if (spilled_.empty())
        spilled_.assign(inline_.items, inline_.items + count_);
    spilled_.push_back(entry);
    entries_ = spilled_.data();
    count_ = spilled_.size();
}

const KeyedDecoder::Entry* KeyedDecoder::search(const CodingKey& key) const {
    return findByKey(entries_, count_, index_, hint_, key);
}

const KeyedDecoder::Entry& KeyedDecoder::require(const CodingKey& key) const {
    if (const Entry* entry = find(key))
        return *entry;
    throw DecodingError::keyNotFound(key, ErrorContext{codingPath(), "Key not found", nullptr});
}

std::optional<CodingKey> KeyedDecoder::knownKey(const DecodingKey& key) const {
    return key.isStringKey() ? keys_->fromString(key.stringValue()) : keys_->fromInt(key.intValue());
}

void KeyedDecoder::rethrowUnderKey(const CodingKey& key) const {
    try {
        throw;
    } catch (DecodingError& error) {
        error.prependKey(key);
        error.prependPath(codingPath());
        throw;
    }
}

std::vector<CodingKey> KeyedDecoder::allKeys() const {
    std::vector<CodingKey> keys;
    for (const Entry& entry : entries())
        if (auto known = knownKey(entry.key))
            keys.push_back(std::move(*known));
    return keys;
}

void KeyedDecoder::decode(DecodeItem& item, const CodingKey& key) {
    const Entry* entry = find(key);
    if (!entry) {
        if (item.category == ValueCategory::optional) {
            item.assignNil();
            return;
        }
        require(key);
    }
    try {
        switch (item.category) {
        case ValueCategory::primitive:
            // The wire type is not compared: bytes of the wrong size fail inside the primitive.
            decodePrimitive(item, entry->value, codingPath());
            return;
        case ValueCategory::optional:
        case ValueCategory::other: {
            DecodingNode node(Storage::data(entry->value, keepAlive_), item.category == ValueCategory::optional,
                              false, sharedCodingPath(), sharedUserInfo(), depth() + 1);
            item.decode(node);
            return;
        }
        }
    } catch (const DecodingError&) {
        rethrowUnderKey(key);
    }
}

std::shared_ptr<KeyedDecodingContainerBox> KeyedDecoder::nestedContainer(const KeySet& keys, const CodingKey& key) {
    const Entry& entry = require(key);
    try {
        return KeyedDecoder::make(entry.value, keepAlive_, keys, sharedCodingPath(), sharedUserInfo(),
                                              depth() + 1);
    } catch (const DecodingError&) {
        rethrowUnderKey(key);
    }
}

std::shared_ptr<UnkeyedDecodingContainerBox> KeyedDecoder::nestedUnkeyedContainer(const CodingKey& key) {
    const Entry& entry = require(key);
    try {
        return std::make_shared<UnkeyedDecoder>(entry.value, keepAlive_, sharedCodingPath(), sharedUserInfo(),
                                                depth() + 1);
    } catch (const DecodingError&) {
        rethrowUnderKey(key);
    }
}

std::shared_ptr<Decoder> KeyedDecoder::superDecoder() { return superDecoder(SuperEncoderKey::codingKey()); }

std::shared_ptr<Decoder> KeyedDecoder::superDecoder(const CodingKey& key) {
    const Entry& entry = require(key);
    return std::make_shared<DecodingNode>(Storage::data(entry.value, keepAlive_), false, false, sharedCodingPath(),
                                          sharedUserInfo(), depth() + 1);
}

} // namespace coding
