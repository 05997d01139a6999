#include "CompactCoding/KeyedEncoder.h"

#include "CompactCoding/EncodeValue.h"
#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/SuperEncoderKey.h"
#include "CompactCoding/UnkeyedEncoder.h"
#include "CompactCoding/UserInfoFlag.h"

#include <memory>
#include <utility>

namespace coding {

namespace {

using Form = std::variant<KeyedFieldBuffer, KeyedEntryList>;

// The buffer when positions in the key set tell the keys apart and nothing asks for another order.
Form startingForm(const KeySet& keys, bool sortKeys, EncodingArena& arena) {
    if (keys.hasDistinctKeys() && !sortKeys && keys.isAllUtf8())
        return Form(std::in_place_type<KeyedFieldBuffer>, keys, arena);
    return Form(std::in_place_type<KeyedEntryList>, keys, sortKeys, arena);
}

} // namespace

KeyedEncoder::KeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                           bool containsOptional, const KeySet& keys, EncodingArena& arena)
    : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), containsOptional, arena),
      form_(startingForm(keys, userInfoFlag(UserInfoOption::sort, this->userInfo()), arena)) {}

KeyedEntryList& KeyedEncoder::listEntries() {
    // The list is made before the buffer it reads goes.
    return form_.emplace<KeyedEntryList>(KeyedEntryList(std::move(std::get<KeyedFieldBuffer>(form_)), arena()));
}

// ---- the keyed-container role ----

void KeyedEncoder::encodeNil(const CodingKey&) {
    // An absent key is the format's nil; an entry stored earlier under the key stays.
}

void KeyedEncoder::encode(const EncodeItem& item, const CodingKey& key) {
    std::size_t position;
    KeyedFieldBuffer* fields = placedField(key, position);
    if (fields && item.category == ValueCategory::primitive) {
        fields->storePrimitive(item, key, position, *this);
        return;
    }
    encodeOther(item, key, position);
}

// Kept out of encode, so that the primitive fields of a record's own keys, nearly all of them,
// pay nothing for it.
void KeyedEncoder::encodeOther(const EncodeItem& item, const CodingKey& key, std::size_t position) {
    if (position != KeySet::notAKey) {
        auto container = encodeNestedValue(item, *this);
        // The value's own code may have stored under this key meanwhile, or listed the entries.
        KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_);
        if (fields && !fields->isStored(position)) {
            // Nothing else holds a finished record of primitives: its bytes are final.
            std::span<const std::uint8_t> data;
            if (container.use_count() == 1 && container->writtenData(data)) {
                fields->storeValue(key, position, DataType::variableLength, data);
                return;
            }
            fields->storeNested(key, position, std::move(container));
            return;
        }
        KeyedEntryList& entries = entryList();
        entries.storeNested(entries.writeKey(key, codingPath()), std::move(container));
        return;
    }
    KeyedEntryList& entries = entryList();
    const KeyedEntryList::KeyBytes keyBytes = entries.writeKey(key, codingPath());
    if (item.category != ValueCategory::primitive) {
        // A failure leaves the key's bytes unused.
        entries.storeNested(keyBytes, encodeNestedValue(item, *this));
        return;
    }
    PrimitiveScratch scratch;
    const auto bytes = encodePrimitive(item, *this, scratch);
    entries.storePrimitive(keyBytes, dataTypeOf(kindOf(item.primitive)), bytes);
}

template <class Container, class... Arguments>
std::shared_ptr<Container> KeyedEncoder::storeNested(const CodingKey& key, Arguments&&... arguments) {
    std::size_t position;
    if (KeyedFieldBuffer* fields = placedField(key, position)) {
        auto container = makeNode<Container>(codingPathAppending(key), sharedUserInfo(), false,
                                             std::forward<Arguments>(arguments)...);
        fields->storeNested(key, position, container);
        return container;
    }
    KeyedEntryList& entries = entryList();
    const KeyedEntryList::KeyBytes keyBytes = entries.writeKey(key, codingPath());
    auto container =
        makeNode<Container>(codingPathAppending(key), sharedUserInfo(), false, std::forward<Arguments>(arguments)...);
    entries.storeNested(keyBytes, container);
    return container;
}

std::shared_ptr<KeyedEncodingContainerBox> KeyedEncoder::nestedContainer(const KeySet& keys, const CodingKey& key) {
    return storeNested<KeyedEncoder>(key, keys);
}

std::shared_ptr<UnkeyedEncodingContainerBox> KeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    return storeNested<UnkeyedEncoder>(key);
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder() {
    KeyedEntryList& entries = entryList();
    const KeyedEntryList::KeyBytes keyBytes = entries.writeKey(SuperEncoderKey::codingKey(), codingPath());
    auto node = makeNode<EncodingNode>(sharedCodingPath(), sharedUserInfo(), false);
    entries.storeNested(keyBytes, node);
    return node;
}

std::shared_ptr<Encoder> KeyedEncoder::superEncoder(const CodingKey& key) {
    return storeNested<EncodingNode>(key);
}

// ---- bytes ----

std::size_t KeyedEncoder::dataSize() const {
    if (const KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_))
        return fields->dataSize();
    return std::get<KeyedEntryList>(form_).dataSize();
}

void KeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    if (const KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_)) {
        fields->appendData(out);
        return;
    }
    std::get<KeyedEntryList>(form_).appendData(out);
}

bool KeyedEncoder::isEmpty() const {
    if (const KeyedFieldBuffer* fields = std::get_if<KeyedFieldBuffer>(&form_))
        return fields->isEmpty();
    return std::get<KeyedEntryList>(form_).isEmpty();
}

} // namespace coding
