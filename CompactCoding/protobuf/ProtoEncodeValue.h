#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodedPrimitive.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "CompactCoding/WrapError.h"
#include "coding/EncodeItem.h"

#include <memory>

namespace coding {

// How the protobuf-compatible containers take a value: primitives become their protobuf bytes,
// everything else is encoded through a node of its own.

// The protobuf bytes of a primitive item, and whether it is its kind's zero. A kind without a
// protobuf form (Int8, Int16, UInt8, UInt16) raises unsupportedType with the type's name; that and
// "String is not UTF-8" reach the caller as wrapError hands them on, with `path` followed by `key`
// when there is one.
inline ProtobufForm protobufPrimitive(const EncodeItem& item, const CodingPath& path, const CodingKey* key,
                                      PrimitiveScratch& scratch);
// The same as an encoded piece of its own; `omitDefaults` marks a zero empty.
EncodedPrimitive encodedProtobufPrimitive(const EncodeItem& item, bool omitDefaults, const CodingPath& path,
                                          const CodingKey* key = nullptr);

// Encodes a value that is not a primitive into a node with the creator's path and options, inside
// this call, and returns the container the value asked for: null when it asked for none. A
// dictionary goes through ProtoDictEncodingNode and becomes map entries.
std::shared_ptr<EncodingContainer> encodeProtoNestedValue(const EncodeItem& item, const AbstractEncodingNode& creator);

// The same for a value that must write something: a list element or a map's key or value. A
// value that opened no container throws noContainersAccessed, an absent optional
// nilValuesNotSupported.
std::shared_ptr<EncodingContainer> encodeProtoRequiredValue(const EncodeItem& item, const AbstractEncodingNode& creator);

namespace detail {
[[noreturn]] void refuseUnsupported(const EncodeItem& item);
} // namespace detail

inline ProtobufForm protobufPrimitive(const EncodeItem& item, const CodingPath& path, const CodingKey* key,
                                      PrimitiveScratch& scratch) {
    const auto form = [&] {
        if (!hasProtobufForm(kindOf(item.primitive)))
            detail::refuseUnsupported(item);
        return protobufForm(item.primitive, scratch);
    };
    return key ? wrapError(path, *key, form) : wrapError(path, form);
}

} // namespace coding
