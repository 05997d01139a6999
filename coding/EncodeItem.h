#pragma once

#include "coding/Primitive.h"
#include "coding/ValueCategory.h"

#include <string_view>

namespace coding {

class Encoder;

// One value handed to an encoding container, with its type erased: what a coder needs to
// choose the value's layout without knowing its C++ type. It borrows the value and is only
// valid during the call it is passed to.
struct EncodeItem {
    ValueCategory category = ValueCategory::other;
    bool isNil = false;   // an optional that holds nothing
    bool isMap = false;   // a dictionary
    bool isOneOf = false; // an enumeration with payloads (a protobuf oneof)
    std::string_view typeName;
    PrimitiveRef primitive{}; // the value itself, when category is primitive

    const void* value = nullptr;
    void (*encodeFunction)(const void* value, Encoder& encoder) = nullptr;

    // Runs the value's own coding with `encoder`, inside the caller's call, so that errors of the
    // nested value travel out through the caller. An optional asks for a single-value container
    // and encodes nil or its wrapped value there.
    void encode(Encoder& encoder) const { encodeFunction(value, encoder); }
};

template <class T>
EncodeItem makeEncodeItem(const T& value);

} // namespace coding
