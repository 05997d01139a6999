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

namespace {

// What the type of a list tells of its elements.
ProtoElementReader::Elements elementsOf(const DecodeItem& item) {
    if (!item.elementKind)
        return ProtoElementReader::Elements::unknown;
    return dataTypeOf(*item.elementKind) == DataType::variableLength ? ProtoElementReader::Elements::lengthDelimited
                                                                     : ProtoElementReader::Elements::numbers;
}

} // namespace

void decodeProtoNestedValue(DecodeItem& item, const ProtoStorage& storage, const AbstractProtoDecodingNode& creator) {
    ProtoDecodeCall& call = creator.call();
    const std::uint32_t depth = creator.depth() + 1;
    // A run again reads the same element of a list.
    const bool isElement = storage.kind() == ProtoStorage::Kind::element;
    const std::uint64_t start = isElement ? storage.reader().position() : 0;
    bool again = false;
    call.inFrame([&] {
        if (again && isElement)
            storage.reader().restore(start);
        again = true;
        if (item.isMap) {
            ProtoDictDecodingNode node(storage, call, depth);
            item.decode(node);
            return;
        }
        ProtoDecodingNode node(storage.withElements(elementsOf(item)), call, depth);
        item.decode(node);
    });
}

} // namespace coding
