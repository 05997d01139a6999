#include "CompactCoding/ProtoDecodeValue.h"

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/ProtoDecodingNode.h"
#include "CompactCoding/ProtoDictDecodingNode.h"
#include "CompactCoding/ProtobufDecodingError.h"
#include "coding/DecodingError.h"

#include <string>

namespace coding {

void requireProtobufForm(const DecodeItem& item) {
    if (!hasProtobufForm(item.primitiveKind))
        throw ProtobufDecodingError(ProtobufDecodingError::Kind::unsupportedType,
                                    std::string(primitiveTypeName(item.primitiveKind)) + ".Type");
}

PrimitiveValue protobufFieldValue(PrimitiveKind kind, std::span<const ProtoOccurrence> occurrences,
                                  const CodingPath& path) {
    if (occurrences.empty())
        return protobufZero(kind);
    const ProtoOccurrence& last = occurrences.back();
    if (last.wireType != dataTypeOf(kind))
        throw DecodingError::dataCorrupted(path, "Unexpected data type " + std::to_string(rawValue(last.wireType)));
    return decodeProtobufPrimitive(kind, last.bytes(), path);
}

void decodeProtoNestedValue(DecodeItem& item, const ProtoStorage& storage, const AbstractDecodingNode& creator) {
    if (item.isMap) {
        ProtoDictDecodingNode node(storage, creator.sharedCodingPath(), creator.sharedUserInfo(), creator.depth() + 1);
        item.decode(node);
        return;
    }
    ProtoDecodingNode node(storage, creator.sharedCodingPath(), creator.sharedUserInfo(), creator.depth() + 1);
    item.decode(node);
}

} // namespace coding
