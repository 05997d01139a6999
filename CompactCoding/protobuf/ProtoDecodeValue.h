#pragma once

#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/DecodeItem.h"
#include "coding/Primitive.h"

#include <span>

namespace coding {

// How the protobuf-compatible containers give a value: primitives from their protobuf bytes,
// everything else read by the value itself from a node of its own.

// Throws the ProtobufDecodingError unsupportedType ("Int8.Type") for a primitive kind without a
// protobuf form.
[[noreturn]] void refuseProtobufForm(const DecodeItem& item);
inline void requireProtobufForm(const DecodeItem& item) {
    if (!hasProtobufForm(item.primitiveKind))
        refuseProtobufForm(item);
}

// Throws "Invalid string" for a length-delimited occurrence that is not UTF-8 (others are not
// texts to protobuf: they are passed over).
void requireUtf8Texts(std::span<const ProtoOccurrence> occurrences, const CodingPath& path);

// The primitive of a field from its occurrences into `item`: the last one, read as the item's
// kind; the kind's zero when there is none. An occurrence of another wire type is the
// data-corrupted error "Unexpected data type N". A text replaced by a later one must be UTF-8 all
// the same ("Invalid string"), as protobuf reads every occurrence. Errors carry `path`.
inline void decodeProtobufField(DecodeItem& item, std::span<const ProtoOccurrence> occurrences,
                                const CodingPath& path) {
    if (occurrences.empty()) {
        assignProtobufZero(item);
        return;
    }
    const ProtoOccurrence& last = occurrences.back();
    if (last.wireType != dataTypeOf(item.primitiveKind))
        unexpectedWireType(last.wireType, path);
    if (item.primitiveKind == PrimitiveKind::String && occurrences.size() > 1)
        requireUtf8Texts(occurrences.first(occurrences.size() - 1), path);
    decodeProtobufPrimitive(item, last.bytes(), path);
}

// Lets a value that is not a primitive read itself from a node over `storage`, inside this call;
// a dictionary gets a ProtoDictDecodingNode. The node stands one level deeper than `creator`.
void decodeProtoNestedValue(DecodeItem& item, const ProtoStorage& storage, const AbstractProtoDecodingNode& creator);

} // namespace coding
