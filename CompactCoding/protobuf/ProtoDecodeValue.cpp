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

// One run of the value's own decode, from a node over `storage`.
[[gnu::always_inline]] inline void decodeInNode(DecodeItem& item, const ProtoStorage& storage, ProtoDecodeCall& call,
                                                std::uint32_t depth) {
    if (item.isMap) {
        ProtoDictDecodingNode node(storage, call, depth);
        item.decode(node);
        return;
    }
    if (item.elementKind) {
        // A list whose type tells what its elements are.
        const auto elements = dataTypeOf(*item.elementKind) == DataType::variableLength
                                  ? ProtoElementReader::Elements::lengthDelimited
                                  : ProtoElementReader::Elements::numbers;
        ProtoDecodingNode node(storage.withElements(elements), call, depth);
        item.decode(node);
        return;
    }
    ProtoDecodingNode node(storage, call, depth);
    item.decode(node);
}

} // namespace

namespace {

// The runs after the first, each from where the first began, while a list guessed wrong in them.
[[gnu::noinline, gnu::cold]] void decodeAgain(DecodeItem& item, const ProtoStorage& storage, ProtoDecodeCall& call,
                                              std::uint32_t depth, std::uint64_t start) {
    call.inFrame([&] {
        if (storage.kind() == ProtoStorage::Kind::element)
            storage.reader().restore(start);
        decodeInNode(item, storage, call, depth);
    });
}

} // namespace

void decodeProtoNestedValue(DecodeItem& item, const ProtoStorage& storage, const AbstractProtoDecodingNode& creator) {
    ProtoDecodeCall& call = creator.call();
    const std::uint32_t depth = creator.depth() + 1;
    // A run again reads the same element of a list.
    const std::uint64_t start = storage.kind() == ProtoStorage::Kind::element ? storage.reader().position() : 0;
    ProtoDecodeCall::Frame frame(call);
    try {
        decodeInNode(item, storage, call, depth);
    } catch (...) {
        if (!frame.leave(true))
            throw;
        decodeAgain(item, storage, call, depth, start);
        return;
    }
    if (frame.leave(false))
        decodeAgain(item, storage, call, depth, start);
}

} // namespace coding
