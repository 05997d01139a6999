#include "CompactCoding/protobuf/ProtoDictKeyedEncoder.h"

#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoThrowingNode.h"
#include "CompactCoding/protobuf/ProtoUnkeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/Codable.h"
#include "CompactCoding/VariableLengthInteger.h"

#include <exception>
#include <string_view>

namespace coding {


EncodedPrimitive ProtoDictKeyedEncoder::entryKey(const CodingKey& key) const {
    if (key.intValue)
        return encodedProtobufPrimitive(makeEncodeItem(*key.intValue), false, codingPath());
    return encodedProtobufPrimitive(makeEncodeItem(key.stringValue), false, codingPath());
}

void ProtoDictKeyedEncoder::encodeNil(const CodingKey&) {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void ProtoDictKeyedEncoder::encode(const EncodeItem& item, const CodingKey& key) {
    EncodedValue value = item.category == ValueCategory::primitive
                             ? EncodedValue(encodedProtobufPrimitive(item, false, codingPath()))
                             : EncodedValue(encodeProtoRequiredValue(item, *this));
    content_.emplace_back(entryKey(key), std::move(value));
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoDictKeyedEncoder::nestedContainer(const KeySet& keys,
                                                                                  const CodingKey& key) {
    std::optional<EncodedPrimitive> entry;
    try {
        entry.emplace(entryKey(key));
    } catch (...) {
        return std::make_shared<ProtoKeyedThrowingEncoder>(sharedCodingPath(), sharedUserInfo(),
                                                           std::current_exception());
    }
    auto container = makeNode<ProtoKeyedEncoder>(codingPathAppending(key), sharedUserInfo(), keys.keys().size());
    content_.emplace_back(std::move(*entry), EncodedValue(container));
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoDictKeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    std::optional<EncodedPrimitive> entry;
    try {
        entry.emplace(entryKey(key));
    } catch (...) {
        return std::make_shared<ProtoUnkeyedThrowingEncoder>(sharedCodingPath(), sharedUserInfo(),
                                                             std::current_exception());
    }
    auto container = makeNode<ProtoUnkeyedEncoder>(codingPathAppending(key), sharedUserInfo());
    content_.emplace_back(std::move(*entry), EncodedValue(container));
    return container;
}

std::shared_ptr<Encoder> ProtoDictKeyedEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(),
                                               ProtobufEncodingError(ProtobufEncodingError::Kind::superNotSupported));
}

std::shared_ptr<Encoder> ProtoDictKeyedEncoder::superEncoder(const CodingKey&) { return superEncoder(); }

std::size_t ProtoDictKeyedEncoder::dataSize() const { return ProtoDictPair::entriesSize(content_, nullptr); }

void ProtoDictKeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    ProtoDictPair::appendEntries(content_, nullptr, out);
}

std::size_t ProtoDictKeyedEncoder::sizeWithKey(const CodingKeyWrapper& key) const {
    return ProtoDictPair::entriesSize(content_, &key);
}

void ProtoDictKeyedEncoder::appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
    ProtoDictPair::appendEntries(content_, &key, out);
}

} // namespace coding
