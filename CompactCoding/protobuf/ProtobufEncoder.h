#pragma once

#include "coding/Coding.h"

#include <cstdint>
#include <vector>

namespace coding {

// Writes any value that describes itself through the coding interface in the protobuf wire
// format: a record is a message whose fields are numbered by its keys' integer values (a key
// without one is the error missingIntegerKey), lists are repeated fields, dictionaries map
// fields, and an enumeration marked `isOneOf` a oneof. Integers take the ten-byte varint of their
// two's-complement pattern, as every protobuf implementation writes them, so the bytes are those
// of protobuf's own generated code for the matching definition.
//
// Each call builds a fresh tree of nodes, lets the value describe itself, and only then writes
// the bytes, so a failing value leaves nothing half-written. The value's own errors and those of
// the containers (ProtobufEncodingError, EncodingError) reach the caller unchanged.
class ProtobufEncoder {
public:
    // Handed to the values' own coding. The one option read: "sort" (a Bool) writes the fields of
    // every message in ascending field-number order; otherwise they go in the order first set.
    UserInfo userInfo;

    template <class T>
    Data encode(const T& value) const {
        std::vector<std::uint8_t> out;
        encodeItem(makeEncodeItem(value), out);
        return Data(std::move(out));
    }

    // The same with an encoder of no options.
    template <class T>
    static Data encodeWithDefaults(const T& value) {
        return ProtobufEncoder().encode(value);
    }

private:
    // A root that asks for no container throws noContainersAccessed.
    void encodeItem(const EncodeItem& item, std::vector<std::uint8_t>& out) const;
};

} // namespace coding
