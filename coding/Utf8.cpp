#include "coding/Utf8.h"

#include <cstring>

namespace coding {

namespace {

bool isAscii(const std::uint8_t* p, std::size_t size) {
    std::uint64_t any = 0;
    for (; size >= 8; p += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        any |= word;
    }
    for (; size > 0; ++p, --size)
        any |= *p;
    return (any & 0x8080808080808080ull) == 0;
}

} // namespace

bool detail::isValidUtf8Slow(const std::uint8_t* bytes, std::size_t size) {
    // Long texts are mostly ASCII too: one pass without branches answers for them.
    if (isAscii(bytes, size))
        return true;
    const std::uint8_t* p = bytes;
    const std::uint8_t* const end = p + size;
    while (p != end) {
        const std::uint8_t lead = *p;
        if (lead < 0x80) {
            // Most text of this application is ASCII or has long ASCII runs: skip them eight at
            // a time. Only from an ASCII byte, so that letters of other scripts pay nothing for it.
            if (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, 8);
                if ((word & 0x8080808080808080ull) == 0) {
                    p += 8;
                    continue;
                }
            }
            ++p;
            continue;
        }
        const auto left = static_cast<std::size_t>(end - p);
        if ((lead & 0xF0) == 0xE0) {
            // Three bytes, first: all of Hangul and most other letters outside ASCII.
            if (left < 3 || (p[2] & 0xC0) != 0x80)
                return false;
            const std::uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong
            const std::uint8_t high = lead == 0xED ? 0x9F : 0xBF; // surrogates
            if (p[1] < low || p[1] > high)
                return false;
            p += 3;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            if (left < 2 || (p[1] & 0xC0) != 0x80)
                return false;
            p += 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            if (left < 4 || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80)
                return false;
            const std::uint8_t low = lead == 0xF0 ? 0x90 : 0x80;  // overlong
            const std::uint8_t high = lead == 0xF4 ? 0x8F : 0xBF; // above U+10FFFF
            if (p[1] < low || p[1] > high)
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace coding
