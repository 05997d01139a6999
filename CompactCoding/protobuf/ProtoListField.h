#pragma once

#include "coding/KeySet.h"

#include <cstdint>

namespace coding {

// The field of a message that a list read as a repeated field belongs to: the keys its message is
// read through and its number. Every list of one field is read alike, whichever message in the
// input holds it (a field has one type), so what one teaches the decode holds for all of them.
struct ProtoListField {
    const KeySet* keys = nullptr; // outlives the lists of the field, as the message's container does
    std::int64_t number = 0;
};

} // namespace coding
