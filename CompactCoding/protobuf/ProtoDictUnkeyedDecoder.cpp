#include "CompactCoding/protobuf/ProtoDictUnkeyedDecoder.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "coding/DecodingError.h"

namespace coding {

namespace {

[[noreturn]] void unexpectedKey() { throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey); }

} // namespace

ProtoDictUnkeyedDecoder::ProtoDictUnkeyedDecoder(const std::vector<ProtoDictDecodingNode::Entry>& entries,
                                                 std::shared_ptr<const CodingPath> codingPath,
                                                 std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth, protobufNestingLimit) {
    elements_.reserve(2 * entries.size());
    for (const auto& [key, value] : entries) {
        elements_.push_back(key);
        elements_.push_back(value);
    }
}

const ProtoOccurrence& ProtoDictUnkeyedDecoder::next(std::string_view typeName) {
    if (currentIndex_ == elements_.size())
        throw DecodingError::valueNotFound(typeName, ErrorContext{codingPath(), "Unkeyed container is at end.", nullptr});
    return elements_[currentIndex_++];
}

std::span<const std::uint8_t> ProtoDictUnkeyedDecoder::nextPayload() {
    const ProtoOccurrence& element = next("container");
    if (element.wireType != DataType::variableLength)
        unexpectedKey();
    return element.bytes();
}

void ProtoDictUnkeyedDecoder::decode(DecodeItem& item) {
    const ProtoOccurrence& element = next(item.typeName);
    if (item.category != ValueCategory::primitive) {
        decodeProtoNestedValue(item, ProtoStorage::field({&element, 1}, false), *this);
        return;
    }
    if (element.wireType != dataTypeOf(item.primitiveKind))
        unexpectedKey();
    requireProtobufForm(item);
    item.assign(decodeProtobufPrimitive(item.primitiveKind, element.bytes(), codingPath()));
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoDictUnkeyedDecoder::nestedContainer(const KeySet& keys) {
    return std::make_shared<ProtoKeyedDecoder>(nextPayload(), keys, sharedCodingPath(), sharedUserInfo(), depth() + 1);
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoDictUnkeyedDecoder::nestedUnkeyedContainer() {
    return std::make_shared<ProtoUnkeyedDecoder>(ProtoElementReader::elements(nextPayload()), sharedCodingPath(),
                                                 sharedUserInfo(), depth() + 1);
}

std::shared_ptr<Decoder> ProtoDictUnkeyedDecoder::superDecoder() {
    throw ProtobufDecodingError(ProtobufDecodingError::Kind::superNotSupported);
}

} // namespace coding
