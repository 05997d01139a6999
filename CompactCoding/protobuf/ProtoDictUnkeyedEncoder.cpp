#include "CompactCoding/protobuf/ProtoDictUnkeyedEncoder.h"

#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtoThrowingNode.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/Fatal.h"

namespace coding {

void ProtoDictUnkeyedEncoder::encodeNil() {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void ProtoDictUnkeyedEncoder::encode(const EncodeItem& item) {
    if (item.category == ValueCategory::primitive && !content_.empty()) {
        const EncodedValue& first = key_ ? content_.front().value() : content_.front().key();
        if (first.dataType() != dataTypeOf(kindOf(item.primitive)))
            throw ProtobufEncodingError(ProtobufEncodingError::Kind::multipleTypesInUnkeyedContainer);
    }
    EncodedValue value = item.category == ValueCategory::primitive
                             ? EncodedValue(encodedProtobufPrimitive(item, false, codingPath()))
                             : EncodedValue(encodeProtoRequiredValue(item, *this));
    if (!key_) {
        key_.emplace(std::move(value));
        return;
    }
    content_.emplace_back(std::move(*key_), std::move(value));
    key_.reset();
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoDictUnkeyedEncoder::nestedContainer(const KeySet&) {
    fatal("A dictionary's keys and values are encoded with encode(), not in nested containers");
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoDictUnkeyedEncoder::nestedUnkeyedContainer() {
    fatal("A dictionary's keys and values are encoded with encode(), not in nested containers");
}

std::shared_ptr<Encoder> ProtoDictUnkeyedEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(),
                                               ProtobufEncodingError(ProtobufEncodingError::Kind::superNotSupported));
}

std::size_t ProtoDictUnkeyedEncoder::dataSize() const { return ProtoDictPair::entriesSize(content_, nullptr); }

void ProtoDictUnkeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    ProtoDictPair::appendEntries(content_, nullptr, out);
}

std::size_t ProtoDictUnkeyedEncoder::sizeWithKey(const CodingKeyWrapper& key) const {
    return ProtoDictPair::entriesSize(content_, &key);
}

void ProtoDictUnkeyedEncoder::appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
    ProtoDictPair::appendEntries(content_, &key, out);
}

} // namespace coding
