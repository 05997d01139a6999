#include "CompactCoding/KeyedFieldBuffer.h"

#include "CompactCoding/EncodedKeyHeader.h"

#include <algorithm>

namespace coding {

namespace {
const char writtenKeysTag = 0;
} // namespace

// The keys of a set as this form writes them, kept with the set: worked out once per set, not per
// record.
struct KeyedFieldBuffer::WrittenKeys final : KeySet::CoderFacts {
    explicit WrittenKeys(const KeySet& keys) : CoderFacts(&writtenKeysTag), keys(keys.keys().size()) {
        for (std::size_t i = 0; i < keys.keys().size(); ++i) {
            const CodingKey& key = keys.keys()[i];
            WrittenKey& written = this->keys[i];
            written.length = 0;
            if (key.intValue ? !MixedCodingKeyWrapper::isInRange(*key.intValue)
                             : maxVariableLengthSize + key.stringValue.size() > WrittenKey::slot)
                continue;
            std::uint8_t scratch[maxVariableLengthSize + WrittenKey::slot] = {};
            const std::uint8_t* end = writeKey(key, DataType::variableLengthInteger, scratch);
            std::memcpy(written.bytes, scratch, WrittenKey::slot);
            written.length = static_cast<std::uint8_t>(end - scratch);
        }
    }
    std::vector<WrittenKey> keys;
};

const KeyedFieldBuffer::WrittenKey* KeyedFieldBuffer::writtenKeysOf(const KeySet& keys) {
    const KeySet::CoderFacts* facts = keys.coderFacts();
    if (!facts)
        facts = keys.keepCoderFacts(std::make_unique<WrittenKeys>(keys));
    return facts->tag == &writtenKeysTag ? static_cast<const WrittenKeys*>(facts)->keys.data() : nullptr;
}

KeyedFieldBuffer::KeyedFieldBuffer(const KeySet& keys, EncodingArena& arena)
    : keys_(&keys), keyArray_(keys.keys().data()), expectedCount_(keys.keys().size()),
      writtenKeys_(writtenKeysOf(keys)), nestedKeys_(ArenaAllocator<NestedKey>(arena)), bytes_(arena) {
    bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
}

void KeyedFieldBuffer::storeNested(const CodingKey& key, std::size_t position,
                                   std::shared_ptr<EncodingContainer> container) {
    addedSize_ = unknownSize;
    const std::size_t offset = bytes_.size();
    bytes_.commit(writeKey(key, DataType::variableLengthInteger,
                           bytes_.room(maxVariableLengthSize + key.stringValue.size())));
    nestedKeys_.push_back(
        NestedKey{offset, static_cast<std::uint32_t>(bytes_.size() - offset), std::move(container)});
    storedPositions_ |= std::uint64_t{1} << position;
}

std::size_t KeyedFieldBuffer::dataSize() const {
    // Only what the nested containers add is kept: the buffer's own bytes are counted as they are.
    if (addedSize_ == unknownSize) {
        std::size_t added = 0;
        for (const NestedKey& nested : nestedKeys_)
            added += nested.container->sizeWithKey(EncodedKeyHeader(bytes_.span(nested.keyOffset, nested.keyLength))) -
                     nested.keyLength;
        addedSize_ = added;
    }
    return bytes_.size() + addedSize_;
}

void KeyedFieldBuffer::appendData(std::vector<std::uint8_t>& out) const {
    const std::uint8_t* base = bytes_.data();
    std::size_t written = 0;
    for (const NestedKey& nested : nestedKeys_) {
        out.insert(out.end(), base + written, base + nested.keyOffset);
        nested.container->appendWithKey(EncodedKeyHeader(bytes_.span(nested.keyOffset, nested.keyLength)), out);
        written = nested.keyOffset + nested.keyLength;
    }
    out.insert(out.end(), base + written, base + bytes_.size());
}

bool KeyedFieldBuffer::isEmpty() const {
    // A primitive entry of the compact format always has something to write.
    return count() == nestedKeys_.size() && std::all_of(nestedKeys_.begin(), nestedKeys_.end(), [](const NestedKey& nested) {
               return nested.container->isEmpty();
           });
}

} // namespace coding
