#include "coding/Utf8.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define LUMENSCROLL_UTF8_AVX2 1
#endif

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

#ifdef LUMENSCROLL_UTF8_AVX2

// 32 bytes at a time with the machine's byte shuffles: each byte is classified by three table
// lookups (the high and low half of the byte before it, the high half of its own), whose common
// bits name the faults of that pair of bytes; the continuation bytes that a three- or four-byte
// lead two or three places back asks for are checked against that. No branch depends on the
// text, so Hangul and spaces mixed cost what ASCII costs.
namespace avx2 {

// The faults a pair of bytes can show, one bit each.
constexpr std::uint8_t tooShort = 1 << 0;    // a lead not followed by a continuation
constexpr std::uint8_t tooLong = 1 << 1;     // ASCII followed by a continuation
constexpr std::uint8_t overlong3 = 1 << 2;   // E0 80-9F
constexpr std::uint8_t tooLarge = 1 << 3;    // F4 90-BF, F5-FF 90-BF
constexpr std::uint8_t surrogate = 1 << 4;   // ED A0-BF
constexpr std::uint8_t overlong2 = 1 << 5;   // C0-C1 and a continuation
constexpr std::uint8_t tooLarge1000 = 1 << 6; // F5-FF 80-8F
constexpr std::uint8_t overlong4 = 1 << 6;   // F0 80-8F
constexpr std::uint8_t twoContinuations = 1 << 7;
constexpr std::uint8_t carry = tooShort | tooLong | twoContinuations; // bits the low half passes on

__attribute__((target("avx2"))) inline __m256i table(const std::uint8_t (&t)[16]) {
    return _mm256_setr_epi8(static_cast<char>(t[0]), static_cast<char>(t[1]), static_cast<char>(t[2]),
                            static_cast<char>(t[3]), static_cast<char>(t[4]), static_cast<char>(t[5]),
                            static_cast<char>(t[6]), static_cast<char>(t[7]), static_cast<char>(t[8]),
                            static_cast<char>(t[9]), static_cast<char>(t[10]), static_cast<char>(t[11]),
                            static_cast<char>(t[12]), static_cast<char>(t[13]), static_cast<char>(t[14]),
                            static_cast<char>(t[15]), static_cast<char>(t[0]), static_cast<char>(t[1]),
                            static_cast<char>(t[2]), static_cast<char>(t[3]), static_cast<char>(t[4]),
                            static_cast<char>(t[5]), static_cast<char>(t[6]), static_cast<char>(t[7]),
                            static_cast<char>(t[8]), static_cast<char>(t[9]), static_cast<char>(t[10]),
                            static_cast<char>(t[11]), static_cast<char>(t[12]), static_cast<char>(t[13]),
                            static_cast<char>(t[14]), static_cast<char>(t[15]));
}

// By the high half of the byte before.
constexpr std::uint8_t firstHigh[16] = {
    tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, // ASCII
    twoContinuations, twoContinuations, twoContinuations, twoContinuations, // continuation
    tooShort | overlong2,                                                   // C0-CF
    tooShort,                                                               // D0-DF
    tooShort | overlong3 | surrogate,                                       // E0-EF
    tooShort | tooLarge | tooLarge1000 | overlong4,                         // F0-FF
};
// By the low half of the byte before.
constexpr std::uint8_t firstLow[16] = {
    carry | overlong3 | overlong2 | overlong4,
    carry | overlong2,
    carry,
    carry,
    carry | tooLarge,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000 | surrogate,
    carry | tooLarge | tooLarge1000,
    carry | tooLarge | tooLarge1000,
};
// By the high half of the byte itself.
constexpr std::uint8_t secondHigh[16] = {
    tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, // ASCII
    tooLong | overlong2 | twoContinuations | overlong3 | tooLarge1000 | overlong4,  // 80-8F
    tooLong | overlong2 | twoContinuations | overlong3 | tooLarge,                  // 90-9F
    tooLong | overlong2 | twoContinuations | surrogate | tooLarge,                  // A0-AF
    tooLong | overlong2 | twoContinuations | surrogate | tooLarge,                  // B0-BF
    tooShort, tooShort, tooShort, tooShort,                                         // leads
};

// The block's bytes moved `n` places on, the last `n` bytes of `previous` in front.
template <int n>
__attribute__((target("avx2"))) inline __m256i before(__m256i block, __m256i previous) {
    return _mm256_alignr_epi8(block, _mm256_permute2x128_si256(previous, block, 0x21), 16 - n);
}

__attribute__((target("avx2"))) inline __m256i highHalves(__m256i bytes) {
    return _mm256_and_si256(_mm256_srli_epi16(bytes, 4), _mm256_set1_epi8(0x0F));
}

// The faults of one block that follows `previous`.
__attribute__((target("avx2"))) inline __m256i faults(__m256i block, __m256i previous) {
    const __m256i prior1 = before<1>(block, previous);
    const __m256i pairs = _mm256_and_si256(
        _mm256_and_si256(_mm256_shuffle_epi8(table(firstHigh), highHalves(prior1)),
                         _mm256_shuffle_epi8(table(firstLow), _mm256_and_si256(prior1, _mm256_set1_epi8(0x0F)))),
        _mm256_shuffle_epi8(table(secondHigh), highHalves(block)));
    // 0x80 where a lead two places back (E0 and up) or three places back (F0 and up) asks for a
    // continuation here; a continuation after a continuation is a fault exactly where none was asked for.
    const __m256i third = _mm256_subs_epu8(before<2>(block, previous), _mm256_set1_epi8(0xE0 - 0x80));
    const __m256i fourth = _mm256_subs_epu8(before<3>(block, previous), _mm256_set1_epi8(0xF0 - 0x80));
    const __m256i asked = _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(static_cast<char>(0x80)));
    return _mm256_xor_si256(asked, pairs);
}

// Non-zero when the block ends inside a sequence: a lead in its last byte, a three- or four-byte
// lead in the one before, or a four-byte lead in the third last.
__attribute__((target("avx2"))) inline __m256i endsIncomplete(__m256i block) {
    const __m256i highest = _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                             -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, static_cast<char>(0xF0 - 1),
                                             static_cast<char>(0xE0 - 1), static_cast<char>(0xC0 - 1));
    return _mm256_subs_epu8(block, highest);
}

struct State {
    __m256i error;
    __m256i previous;
    __m256i incomplete;
};

__attribute__((target("avx2"))) inline void take(State& state, __m256i block) {
    if (_mm256_movemask_epi8(block) == 0) {
        // ASCII: only a sequence left open by the block before can be at fault.
        state.error = _mm256_or_si256(state.error, state.incomplete);
        state.incomplete = _mm256_setzero_si256();
    } else {
        state.error = _mm256_or_si256(state.error, faults(block, state.previous));
        state.incomplete = endsIncomplete(block);
    }
    state.previous = block;
}

__attribute__((target("avx2"))) bool isValid(const std::uint8_t* p, std::size_t size) {
    State state{_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256()};
    const std::uint8_t* const end = p + size;
    const bool overlapsTail = size >= 36;
    for (; size >= 32; p += 32, size -= 32)
        take(state, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
    if (size > 0 && overlapsTail) {
        // The last 32 bytes, some of them checked already, checked again after the three bytes
        // before them (all a block's faults look back to): a copy of the rest would cost more.
        std::uint32_t prior;
        std::memcpy(&prior, end - 36, 4);
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(end - 32));
        state.error = _mm256_or_si256(
            state.error, faults(block, _mm256_insert_epi32(_mm256_setzero_si256(), static_cast<int>(prior), 7)));
        state.incomplete = endsIncomplete(block);
    } else if (size > 0) {
        // The rest, followed by zeros: a sequence the text leaves open then meets ASCII.
        std::uint8_t last[32] = {};
        std::memcpy(last, p, size);
        take(state, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(last)));
    }
    const __m256i error = _mm256_or_si256(state.error, state.incomplete);
    return _mm256_testz_si256(error, error) != 0;
}

} // namespace avx2

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

} // namespace

bool detail::isValidUtf8Slow(const std::uint8_t* bytes, std::size_t size) {
#ifdef LUMENSCROLL_UTF8_AVX2
    // Texts too short for a block (a name, a heading) take one block filled up with zeros.
    if (hasAvx2())
        return avx2::isValid(bytes, size);
#endif
    return isValidUtf8Scalar(bytes, size);
}

bool detail::isValidUtf8Scalar(const std::uint8_t* bytes, std::size_t size) {
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
