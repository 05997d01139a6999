#include "CompactCoding/protobuf/OneOfAssociatedValuesDecoder.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "coding/DecodingError.h"

#include <string>

namespace coding {

namespace {

ProtobufDecodingError refused(const char* call) {
    return ProtobufDecodingError(ProtobufDecodingError::Kind::invalidAccess,
                                 std::string("Unexpected call to `") + call +
                                     "` while decoding associated value for a `ProtobufOneOf` type");
}

} // namespace

OneOfAssociatedValuesDecoder::OneOfAssociatedValuesDecoder(std::span<const ProtoOccurrence> occurrences,
                                                           const KeySet& keys, ProtoDecodeCall& call,
                                                           std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), occurrences_(occurrences), keys_(&keys) {}

std::vector<CodingKey> OneOfAssociatedValuesDecoder::allKeys() const {
    if (auto key = keys_->fromString("_0"))
        return {std::move(*key)};
    return {};
}

bool OneOfAssociatedValuesDecoder::decodeNil(const CodingKey&) { throw refused("decodeNil(forKey:)"); }

void OneOfAssociatedValuesDecoder::decode(DecodeItem& item, const CodingKey& key) {
    if (item.category != ValueCategory::primitive) {
        decodeProtoNestedValue(item, ProtoStorage::field(occurrences_, false), *this);
        return;
    }
    requireProtobufForm(item);
    try {
        decodeProtobufField(item, occurrences_, {});
    } catch (DecodingError& error) {
        error.prependKey(key);
        error.prependPath(codingPath());
        throw;
    }
}

std::shared_ptr<KeyedDecodingContainerBox> OneOfAssociatedValuesDecoder::nestedContainer(const KeySet&,
                                                                                         const CodingKey&) {
    throw refused("nestedContainer(keyedBy:forKey:)");
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfAssociatedValuesDecoder::nestedUnkeyedContainer(const CodingKey&) {
    throw refused("nestedUnkeyedContainer(forKey:)");
}

std::shared_ptr<Decoder> OneOfAssociatedValuesDecoder::superDecoder() { throw refused("superDecoder()"); }

std::shared_ptr<Decoder> OneOfAssociatedValuesDecoder::superDecoder(const CodingKey&) {
    throw refused("superDecoder(forKey:)");
}

} // namespace coding
