#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace coding {

// Copies and loads for the few bytes of a key or a small value. A library memcpy of a length
// known only at run time is a call and a dispatch, which costs more than the copy itself.

inline void copyBytes(std::uint8_t* target, const void* source, std::size_t count) {
    const auto* from = static_cast<const std::uint8_t*>(source);
    if (count >= 8 && count <= 16) {
        std::uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + count - 8, 8);
        std::memcpy(target, &head, 8);
        std::memcpy(target + count - 8, &tail, 8);
    } else if (count >= 4 && count < 8) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + count - 4, 4);
        std::memcpy(target, &head, 4);
        std::memcpy(target + count - 4, &tail, 4);
    } else if (count < 4) {
        for (std::size_t i = 0; i < count; ++i)
            target[i] = from[i];
    } else {
        std::memcpy(target, from, count);
    }
}

// A number made of the first eight bytes, or of all of them when there are fewer; equal byte
// runs give equal numbers. For fingerprints, not for reading values.
inline std::uint64_t loadUpTo8(const void* source, std::size_t count) {
    const auto* from = static_cast<const std::uint8_t*>(source);
    if (count >= 8) {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        return word;
    }
    if (count >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + count - 4, 4);
        return (static_cast<std::uint64_t>(tail) << 32) | head;
    }
    if (count == 0)
        return 0;
    return from[0] | (static_cast<std::uint64_t>(from[count / 2]) << 8) |
           (static_cast<std::uint64_t>(from[count - 1]) << 16);
}

} // namespace coding
