#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace coding {

namespace detail {
bool isValidUtf8Slow(const std::uint8_t* bytes, std::size_t size);
// The check a byte at a time, where the machine has no wide byte shuffles.
bool isValidUtf8Scalar(const std::uint8_t* bytes, std::size_t size);
} // namespace detail

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. A std::string can hold
// any bytes, so both directions check text with this before trusting it. Short ASCII text (every
// key, most values) is answered here without a call.
[[gnu::always_inline]] inline bool isValidUtf8(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* p = bytes.data();
    const std::size_t size = bytes.size();
    std::uint64_t any;
    if (size >= 8 && size <= 16) {
        std::uint64_t head, tail;
        std::memcpy(&head, p, 8);
        std::memcpy(&tail, p + size - 8, 8);
        any = head | tail;
    } else if (size >= 4 && size < 8) {
        std::uint32_t head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + size - 4, 4);
        any = head | tail;
    } else if (size < 4) {
        any = size == 0 ? 0 : p[0] | p[size / 2] | p[size - 1];
    } else {
        return detail::isValidUtf8Slow(p, size);
    }
    return (any & 0x8080808080808080ull) == 0 || detail::isValidUtf8Slow(p, size);
}

inline bool isValidUtf8(std::string_view text) {
    return isValidUtf8(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Whether every byte is below 0x80: text that is the same in every Unicode normal form. A word at
// a time, as keys are short.
inline bool isAscii(std::string_view text) {
    const char* p = text.data();
    std::size_t size = text.size();
    std::uint64_t any = 0;
    for (; size >= 8; p += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        any |= word;
    }
    if (size >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + size - 4, 4);
        any |= head | tail;
    } else if (size > 0) {
        any |= static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[size / 2]) |
               static_cast<unsigned char>(p[size - 1]);
    }
    return (any & 0x8080808080808080ull) == 0;
}

} // namespace coding
