#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/EncodingContainer.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "coding/EncodeItem.h"

#include <memory>
#include <span>

namespace coding {

// How the containers of the compact format take a value: optional first, then primitive, then
// everything else.

// A primitive's compact bytes (scalars in `scratch`); an error gets the creator's path in front.
std::span<const std::uint8_t> encodePrimitive(const EncodeItem& item, const AbstractEncodingNode& creator,
                                              PrimitiveScratch& scratch);

// An optional or any other value: a node of its own (carrying the nil marker for an optional)
// that the value encodes itself into, inside this call; the result is the container the value
// asked of it. A value whose coding leaves nothing to write throws an invalid-value error.
std::shared_ptr<EncodingContainer> encodeNestedValue(const EncodeItem& item, const AbstractEncodingNode& creator);

} // namespace coding
