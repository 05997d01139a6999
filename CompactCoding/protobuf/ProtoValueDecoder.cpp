#include "CompactCoding/protobuf/ProtoValueDecoder.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "coding/DecodingError.h"

namespace coding {

ProtoValueDecoder::ProtoValueDecoder(const ProtoStorage& storage, ProtoDecodeCall& call, std::uint32_t depth,
                                     std::shared_ptr<const void> keepAlive)
    : AbstractProtoDecodingNode(call, depth), storage_(storage), keepAlive_(std::move(keepAlive)) {}

void ProtoValueDecoder::decode(DecodeItem& item) {
    if (item.category != ValueCategory::primitive) {
        decodeProtoNestedValue(item, storage_, *this);
        return;
    }
    requireProtobufForm(item);
    const PrimitiveKind kind = item.primitiveKind;
    const CodingPath& path = codingPath();
    switch (storage_.kind()) {
    case ProtoStorage::Kind::field: decodeProtobufField(item, storage_.occurrences(), path); return;
    case ProtoStorage::Kind::element:
        decodeProtobufPrimitive(item, storage_.reader().nextValue(dataTypeOf(kind), path), path);
        return;
    case ProtoStorage::Kind::bytes: break;
    }
    // Bytes that stand for the value alone: all of them for text and bytes, the first value's
    // otherwise.
    const auto bytes = storage_.bytes();
    if (bytes.empty()) {
        assignProtobufZero(item);
        return;
    }
    const DataType dataType = dataTypeOf(kind);
    if (dataType == DataType::variableLength) {
        decodeProtobufPrimitive(item, bytes, path);
        return;
    }
    std::size_t index = 0;
    decodeProtobufPrimitive(item, ProtoOccurrence::readValue(bytes, index, dataType, path).bytes(), path);
}

} // namespace coding
