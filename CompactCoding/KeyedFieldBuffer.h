#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/KeyHeader.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/EncodeItem.h"
#include "coding/KeySet.h"
#include "coding/Utf8.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace coding {

// A record's fields written straight into one buffer: the form a KeyedEncoder starts in when the
// record's keys are told apart by their positions in its key set (distinct keys, all UTF-8) and
// are not sorted, which is nearly every record. While the record stores each of its own keys once,
// the buffer holds the entries in order, each key as written and then a primitive's value, with
// no entry per field; only the nested containers are listed, with where their keys stand, as their
// bytes go in behind their keys once the record's bytes are asked for.
//
// The first key this form cannot take (a repeat, one from outside the set) is where the
// KeyedEncoder moves the entries into a KeyedEntryList (takeEntries) and goes on from there.
class KeyedFieldBuffer {
public:
    // A nested container: its key's bytes in the buffer, where the container's bytes go.
    struct NestedKey {
        std::size_t keyOffset;
        std::uint32_t keyLength;
        std::shared_ptr<EncodingContainer> container;
    };

    // `keys` must tell its keys apart and be all UTF-8.
    KeyedFieldBuffer(const KeySet& keys, EncodingArena& arena);

    const KeySet& keys() const { return *keys_; }
    // Keys stored so far, each at a place of its own.
    std::size_t count() const { return static_cast<std::size_t>(std::popcount(storedPositions_)); }
    bool isStored(std::size_t position) const { return (storedPositions_ & (std::uint64_t{1} << position)) != 0; }
    std::uint64_t storedPositions() const { return storedPositions_; }
    // Where the search for the next key starts.
    std::size_t nextPosition() const { return nextPosition_; }

    // The position of `key` when this form can take it: a valid key of the set not yet stored;
    // otherwise notAKey.
    [[gnu::always_inline]] std::size_t placeOf(const CodingKey& key) {
        std::size_t position = nextPosition_;
        if (position >= expectedCount_ || !KeySet::same(keyArray_[position], key))
            position = keys_->position(key, position);
        if (position < placedKeys && !isStored(position) &&
            (!key.intValue || MixedCodingKeyWrapper::isInRange(*key.intValue))) {
            nextPosition_ = position + 1;
            return position;
        }
        return KeySet::notAKey;
    }

    // Stores a primitive under the key placed at `position`; errors of the value get `node`'s path.
    [[gnu::always_inline]] void storePrimitive(const EncodeItem& item, const CodingKey& key, std::size_t position,
                                               const AbstractEncodingNode& node) {
        // The kinds records hold most are written here, value straight after key; the rest, and text
        // that is not UTF-8 (to be reported), through the codec.
        switch (kindOf(item.primitive)) {
        case PrimitiveKind::String: {
            const std::string_view text = *std::get_if<std::string_view>(&item.primitive);
            const std::span value(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
            if (!isValidUtf8(value))
                break;
            storeValue(key, position, DataType::variableLength, value);
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
        const auto value = encodePrimitive(item, node, scratch);
        storeValue(key, position, dataTypeOf(kindOf(item.primitive)), value);
    }

    // Stores a value of `dataType` under the key placed at `position`: key, the length prefix
    // where the value needs one, and its bytes.
    [[gnu::always_inline]] void storeValue(const CodingKey& key, std::size_t position, DataType dataType,
                                           std::span<const std::uint8_t> value) {
        std::uint8_t* out = placeKey(key, position, dataType, maxVariableLengthSize + value.size());
        if (dataType == DataType::variableLength)
            out = writeVariableLength(value.size(), out);
        copyBytes(out, value.data(), value.size());
        bytes_.commit(out + value.size());
    }

    // Stores the key placed at `position` for a nested container, whose bytes go behind it.
    void storeNested(const CodingKey& key, std::size_t position, std::shared_ptr<EncodingContainer> container);

    // Hands the entries over in order: `take(offset, keyLength, valueLength, nested)` for each,
    // offsets into bytes(), a primitive's value (length prefix and bytes) right after its key, and
    // the nested container (null for a primitive) moved out. The buffer keeps no containers after.
    template <class Take>
    void takeEntries(Take&& take);
    const ArenaBytes& bytes() const { return bytes_; }

    // The EncodingContainer members of the record.
    std::size_t dataSize() const;
    void appendData(std::vector<std::uint8_t>& out) const;
    bool isEmpty() const;
    // A record of primitives: its bytes are all in the buffer.
    bool writtenData(std::span<const std::uint8_t>& data) const {
        // An empty record stays a container, which tells that it is empty.
        if (!nestedKeys_.empty() || storedPositions_ == 0)
            return false;
        data = bytes_.span(0, bytes_.size());
        return true;
    }

    // Writes `key`'s header for `dataType` at `out` (room for maxVariableLengthSize bytes and the
    // key's text); returns the end.
    static std::uint8_t* writeKey(const CodingKey& key, DataType dataType, std::uint8_t* out) {
        if (key.intValue)
            return KeyHeader::integerKey(*key.intValue, dataType).write(out);
        const std::size_t size = key.stringValue.size();
        out = KeyHeader::textKey(size, dataType).write(out);
        copyBytes(out, key.stringValue.data(), size);
        return out + size;
    }

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();
    // Positions are kept as the bits of one word.
    static constexpr std::size_t placedKeys = 64;

    // A record key as written for data type 0: its header, then a text key's text, in a slot of
    // fixed size, so that a field copies it whole; `length` 0 for a key too long for the slot.
    struct WrittenKey {
        static constexpr std::size_t slot = 32;
        std::uint8_t bytes[slot];
        std::uint8_t length;
    };
    struct WrittenKeys;
    static const WrittenKey* writtenKeysOf(const KeySet& keys);

    // Writes the key placed at `position` for a value of `dataType` with room for `valueRoom`
    // bytes after it; returns where the value goes. The caller commits the value's end.
    [[gnu::always_inline]] std::uint8_t* placeKey(const CodingKey& key, std::size_t position, DataType dataType,
                                                  std::size_t valueRoom) {
        std::uint8_t* out;
        if (writtenKeys_ && writtenKeys_[position].length != 0) {
            // The key as the set has it written: the same bytes, as the two keys are one key.
            const WrittenKey& written = writtenKeys_[position];
            out = bytes_.room(WrittenKey::slot + valueRoom);
            std::memcpy(out, written.bytes, WrittenKey::slot);
            out[0] = KeyHeader::withDataType(out[0], dataType);
            out += written.length;
        } else {
            out = writeKey(key, dataType, bytes_.room(maxVariableLengthSize + key.stringValue.size() + valueRoom));
        }
        storedPositions_ |= std::uint64_t{1} << position;
        return out;
    }

    const KeySet* keys_;
    const CodingKey* keyArray_; // keys_'s keys
    std::size_t expectedCount_;
    const WrittenKey* writtenKeys_; // keys_'s keys as written
    std::size_t nextPosition_ = 0;
    std::uint64_t storedPositions_ = 0;
    ArenaVector<NestedKey> nestedKeys_;
    ArenaBytes bytes_;
    // Parents ask for a nested container's size more than once: what the nested containers add to
    // the buffer's own bytes, computed once the tree is done.
    mutable std::size_t addedSize_ = unknownSize;
};

template <class Take>
void KeyedFieldBuffer::takeEntries(Take&& take) {
    const std::span<const std::uint8_t> bytes(bytes_.data(), bytes_.size());
    const auto takePrimitivesUpTo = [&](std::size_t offset, std::size_t end) {
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
            take(offset, keyLength, index - offset - keyLength, std::shared_ptr<EncodingContainer>());
            offset = index;
        }
    };
    std::size_t offset = 0;
    for (NestedKey& nested : nestedKeys_) {
        takePrimitivesUpTo(offset, nested.keyOffset);
        take(nested.keyOffset, nested.keyLength, 0, std::move(nested.container));
        offset = nested.keyOffset + nested.keyLength;
    }
    takePrimitivesUpTo(offset, bytes_.size());
    nestedKeys_.clear();
}

} // namespace coding
