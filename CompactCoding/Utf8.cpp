#include "CompactCoding/Utf8.h"

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
        // Most text of this application is ASCII or has long ASCII runs: skip them eight at a time.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        const std::uint8_t lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        std::size_t length;
        std::uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // overlong
            else if (lead == 0xED)
                high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90; // overlong
            else if (lead == 0xF4)
                high = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (static_cast<std::size_t>(end - p) < length)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (std::size_t i = 2; i < length; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += length;
    }
    return true;
}

} // namespace coding
