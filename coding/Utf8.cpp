#include "coding/Utf8.h"

#include <bit>
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

// A well-formed three-byte sequence in the low three bytes of `word` (first byte lowest): a lead
// 1110xxxx and two continuation bytes, of which the first is above 9F after the lead E0 (no
// overlong forms) and below A0 after ED (no surrogates).
bool isThreeByteSequence(std::uint64_t word) {
    if ((word & 0xC0C0F0) != 0x8080E0)
        return false;
    const auto lead = static_cast<std::uint8_t>(word);
    const auto second = static_cast<std::uint8_t>(word >> 8);
    return (lead != 0xE0 || second >= 0xA0) && (lead != 0xED || second < 0xA0);
}

// One character at `p`, at least one byte before `end`, checked byte by byte: the position after
// it, or null when it is not well formed.
const std::uint8_t* nextCharacter(const std::uint8_t* p, const std::uint8_t* end) {
    const std::uint8_t lead = *p;
    const auto left = static_cast<std::size_t>(end - p);
    if (lead < 0x80)
        return p + 1;
    if ((lead & 0xF0) == 0xE0) {
        if (left < 3 || (p[2] & 0xC0) != 0x80)
            return nullptr;
        const std::uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong
        const std::uint8_t high = lead == 0xED ? 0x9F : 0xBF; // surrogates
        return p[1] < low || p[1] > high ? nullptr : p + 3;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
        return left < 2 || (p[1] & 0xC0) != 0x80 ? nullptr : p + 2;
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80)
            return nullptr;
        const std::uint8_t low = lead == 0xF0 ? 0x90 : 0x80;  // overlong
        const std::uint8_t high = lead == 0xF4 ? 0x8F : 0xBF; // above U+10FFFF
        return p[1] < low || p[1] > high ? nullptr : p + 4;
    }
    return nullptr;
}

} // namespace

bool detail::isValidUtf8Slow(const std::uint8_t* bytes, std::size_t size) {
    // Long texts are mostly ASCII too: one pass without branches answers for them.
    if (isAscii(bytes, size))
        return true;
    const std::uint8_t* p = bytes;
    const std::uint8_t* const end = p + size;
    // Eight bytes at a time while there are eight, the first byte the word's lowest.
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x80) == 0) {
                // Runs of ASCII go eight at a time, from an ASCII byte only, so that the letters
                // of other scripts pay nothing for it.
                p += (word & 0x8080808080808080ull) == 0 ? 8 : 1;
            } else if (isThreeByteSequence(word)) {
                // All of Hangul and most letters outside ASCII: two at a time where they follow
                // each other, as the syllables of a word do.
                p += isThreeByteSequence(word >> 24) ? 6 : 3;
            } else if (!(p = nextCharacter(p, end))) {
                return false;
            }
        }
    }
    while (p != end)
        if (!(p = nextCharacter(p, end)))
            return false;
    return true;
}

} // namespace coding
