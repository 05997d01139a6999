#pragma once

#include "coding/Primitive.h"
#include "coding/ValueCategory.h"

#include <optional>
#include <string_view>

namespace coding {

class Decoder;
class KeySet;

// One value asked of a decoding container, with its type erased. The coder fills it in one
// of three ways: assign() with a decoded primitive, assignNil() for an absent optional, or
// decode() to let the type read itself from a nested decoder inside the coder's own call.
struct DecodeItem {
    ValueCategory category = ValueCategory::other;
    bool isMap = false;
    bool isOneOf = false;
    // For a oneof: the keys of its cases. A format that writes the chosen case in the oneof's place
    // tells by them whether one is present, without decoding it.
    const KeySet* oneOfCases = nullptr;
    PrimitiveKind primitiveKind = PrimitiveKind::Bool; // when category is primitive
    // For a list whose elements each code as one primitive (a raw-value enumeration as its Int64):
    // their kind. A format that packs such elements needs it to tell an empty run of them from an
    // empty element before it reads any.
    std::optional<PrimitiveKind> elementKind;
    std::string_view typeName;

    void* slot = nullptr;
    void (*decodeFunction)(void* slot, Decoder& decoder) = nullptr;
    void (*assignFunction)(void* slot, PrimitiveValue&& value) = nullptr;
    void (*assignNilFunction)(void* slot) = nullptr;

    void decode(Decoder& decoder) { decodeFunction(slot, decoder); }
    // The value must be of primitiveKind.
    void assign(PrimitiveValue&& value) { assignFunction(slot, std::move(value)); }
    // Only for optionals.
    void assignNil() { assignNilFunction(slot); }
    // For a primitive: where the value goes, an optional of the primitive kind's own type. A coder
    // may build the value there instead of handing it to assign().
    template <class T>
    std::optional<T>& primitiveSlot() {
        return *static_cast<std::optional<T>*>(slot);
    }
};

// Runs `run(DecodeItem&)` with an item for T and returns the value the coder produced.
template <class T, class Run>
T decodeThrough(Run&& run);

// The same for `run(DecodeItem&) -> bool`, which answers false when there is no value.
template <class T, class Run>
std::optional<T> decodeIfPresentThrough(Run&& run);

} // namespace coding
