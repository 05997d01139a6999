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

ProtoDictUnkeyedDecoder::ProtoDictUnkeyedDecoder(ProtoDictDecodingNode::Entries entries, ProtoDecodeCall& call,
                                                 std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), occurrences_(std::move(entries.occurrences)) {
    elements_.reserve(2 * entries.entries.size());
    const ProtoOccurrence* next = occurrences_.data();
    for (const auto& [keyCount, valueCount] : entries.entries) {
        elements_.emplace_back(next, keyCount);
        next += keyCount;
        elements_.emplace_back(next, valueCount);
        next += valueCount;
    }
}

std::span<const ProtoOccurrence> ProtoDictUnkeyedDecoder::next(std::string_view typeName) {
    if (currentIndex_ == elements_.size())
        throw DecodingError::valueNotFound(typeName, ErrorContext{codingPath(), "Unkeyed container is at end.", nullptr});
    return elements_[currentIndex_++];
}

std::span<const ProtoOccurrence> ProtoDictUnkeyedDecoder::nextMessage() {
    const std::span<const ProtoOccurrence> element = next("container");
    for (const ProtoOccurrence& occurrence : element)
        if (occurrence.wireType != DataType::variableLength)
            unexpectedKey();
    return element;
}

void ProtoDictUnkeyedDecoder::decode(DecodeItem& item) {
    const std::span<const ProtoOccurrence> element = next(item.typeName);
    if (item.category != ValueCategory::primitive) {
        decodeProtoNestedValue(item, ProtoStorage::field(element, false), *this);
        return;
    }
    if (element.back().wireType != dataTypeOf(item.primitiveKind))
        unexpectedKey();
    requireProtobufForm(item);
    decodeProtobufField(item, element, codingPath());
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoDictUnkeyedDecoder::nestedContainer(const KeySet& keys) {
    return ProtoKeyedDecoder::make(nextMessage(), keys, call(), depth() + 1);
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoDictUnkeyedDecoder::nestedUnkeyedContainer() {
    return std::make_shared<ProtoUnkeyedDecoder>(ProtoElementReader::elements(nextMessage().back().bytes()), call(),
                                                 depth() + 1);
}

std::shared_ptr<Decoder> ProtoDictUnkeyedDecoder::superDecoder() {
    throw ProtobufDecodingError(ProtobufDecodingError::Kind::superNotSupported);
}

} // namespace coding
