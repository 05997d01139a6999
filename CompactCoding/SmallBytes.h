#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace coding {

// Copies of the few bytes of a key or a small value. A library memcpy of a length
// known only at run time is a call and a dispatch, which costs more than the copy itself.

[[gnu::always_inline]] inline void copyBytes(std::uint8_t* target, const void* source, std::size_t count) {
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

} // namespace coding
