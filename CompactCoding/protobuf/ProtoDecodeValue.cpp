#include "CompactCoding/protobuf/ProtoDecodeValue.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/ProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "coding/DecodingError.h"
#include "coding/Utf8.h"

#include <string>

namespace coding {

void refuseProtobufForm(const DecodeItem& item) {
    throw ProtobufDecodingError(ProtobufDecodingError::Kind::unsupportedType,
                                std::string(primitiveTypeName(item.primitiveKind)) + ".Type");
}

void requireUtf8Texts(std::span<const ProtoOccurrence> occurrences, const CodingPath& path) {
    for (const ProtoOccurrence& occurrence : occurrences)
        if (occurrence.wireType == DataType::variableLength && !isValidUtf8(occurrence.bytes()))
            throw DecodingError::dataCorrupted(path, "Invalid string");
}

void decodeProtoNestedValue(DecodeItem& item, const ProtoStorage& storage, const AbstractProtoDecodingNode& creator) {
    if (item.isMap) {
        ProtoDictDecodingNode node(storage, creator.call(), creator.depth() + 1);
        item.decode(node);
        return;
    }
    if (item.elementKind && dataTypeOf(*item.elementKind) != DataType::variableLength) {
        ProtoDecodingNode node(storage.withPackedElements(), creator.call(), creator.depth() + 1);
        item.decode(node);
        return;
    }
    ProtoDecodingNode node(storage, creator.call(), creator.depth() + 1);
    item.decode(node);
}

} // namespace coding
