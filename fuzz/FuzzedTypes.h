#pragma once

// The element types the fuzz targets decode, chosen by one byte of the input, and a check that
// whatever decodes also encodes to bytes that decode to the same bytes again.

#include "FuzzCheck.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "app/model/BiblePraise.h"
#include "app/model/BibleStructure.h"
#include "app/model/Bookmark.h"
#include "app/model/Memo.h"
#include "app/model/User.h"
#include "app/model/UserGroup.h"
#include "coding/Coding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

namespace fuzzing {

inline constexpr unsigned typeCount = 9;

// Calls `visit` with a value of the type numbered `choice` (modulo typeCount).
template <class Visit>
void withType(unsigned choice, Visit&& visit) {
    switch (choice % typeCount) {
    case 0: return visit(lumenscroll::BibleStructure());
    case 1: return visit(lumenscroll::BiblePraise());
    case 2: return visit(lumenscroll::Memo());
    case 3: return visit(lumenscroll::User());
    case 4: return visit(lumenscroll::UserGroup());
    case 5: return visit(lumenscroll::Bookmark());
    case 6: return visit(std::vector<lumenscroll::BiblePraise>());
    case 7: return visit(std::optional<lumenscroll::BibleStructure>());
    default: return visit(std::vector<std::optional<std::int64_t>>());
    }
}

// The encoder that writes what `decoder` reads.
inline coding::BinaryEncoder matchingEncoder(const coding::BinaryDecoder& decoder) {
    coding::BinaryEncoder encoder;
    encoder.prependNilIndexSetForUnkeyedContainers = decoder.containsNilIndexSetForUnkeyedContainers;
    return encoder;
}

// A decoded value must encode, and its bytes must decode to a value that encodes to the very
// same bytes. Catches a decoder that accepts what its encoder can never have written into a
// value it cannot write back, and asymmetries between the two.
template <class T>
void checkReencodes(const T& value, const coding::BinaryDecoder& decoder) {
    const coding::BinaryEncoder encoder = matchingEncoder(decoder);
    coding::Data first;
    try {
        first = encoder.encode(value);
    } catch (const coding::CodingError&) {
        fail("a decoded value does not encode");
    }
    try {
        const T again = decoder.decode<T>(first);
        if (encoder.encode(again) != first)
            fail("a decoded value re-encodes to other bytes");
    } catch (const coding::CodingError&) {
        fail("the encoding of a decoded value does not decode");
    }
}

} // namespace fuzzing
