#include "coding/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The rule, byte by byte: the standard's table of well-formed sequences.
bool wellFormed(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    const auto inRange = [](unsigned char b, unsigned char low, unsigned char high) { return b >= low && b <= high; };
    while (p < end) {
        const unsigned char b = *p;
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (b < 0x80)
            length = 1;
        else if (inRange(b, 0xC2, 0xDF))
            length = 2;
        else if (inRange(b, 0xE0, 0xEF)) {
            length = 3;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (inRange(b, 0xF0, 0xF4)) {
            length = 4;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else
            return false;
        if (end - p < length || (length > 1 && !inRange(p[1], low, high)))
            return false;
        for (int i = 2; i < length; ++i)
            if (!inRange(p[i], 0x80, 0xBF))
                return false;
        p += length;
    }
    return true;
}

TEST(Utf8, AgreesWithTheStandardsTableForEverySequenceOfUpToThreeBytesAmongHangul) {
    // Each candidate stands alone, inside a run of Hangul and ASCII, and at a run's end, where the
    // checks that read eight bytes at a time meet their edges.
    const std::string hangul = "하나님이 태초에";
    const auto check = [&](const std::string& sequence) {
        for (const std::string& text : {sequence, hangul + sequence + hangul, hangul + "x" + sequence}) {
            ASSERT_EQ(coding::isValidUtf8(text), wellFormed(text)) << text.size() << " bytes";
            // Where the machine has wide shuffles, short texts are checked by them; the check a
            // byte at a time stands in everywhere else.
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
            ASSERT_EQ(coding::detail::isValidUtf8Scalar(bytes, text.size()), wellFormed(text)) << text.size();
        }
    };
    for (int a = 0x80; a <= 0xFF; ++a) {
        for (int b = 0x00; b <= 0xFF; ++b) {
            check(std::string{char(a), char(b)});
            if (a >= 0xE0 && a <= 0xEF)
                for (const int c : {0x00, 0x41, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0})
                    check(std::string{char(a), char(b), char(c)});
        }
    }
}

TEST(Utf8, FourByteSequences) {
    for (const std::string text : {"\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                                   "\xF5\x80\x80\x80", "\xF0\x9F\x98", "\xF0\x9F\x98\x41"})
        for (const std::string& embedded : {text, "말씀" + text + "말씀말씀"})
            EXPECT_EQ(coding::isValidUtf8(embedded), wellFormed(embedded)) << embedded.size();
}

TEST(Utf8, SequencesAcrossTheEdgesOfLongTextsBlocksAgreeWithTheTable) {
    // Long texts are checked 32 bytes at a time: every sequence of interesting bytes, at every
    // place around a block's edge, in the middle of a text and at its end.
    const std::vector<int> bytes{0x41, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC1, 0xC2, 0xDF,
                                 0xE0, 0xEC, 0xED, 0xF0, 0xF4, 0xF5, 0xFF};
    const std::string hangul = "하나님이 태초에 천지를 창조하시니라";
    const auto check = [&](const std::string& sequence) {
        // Also where the text's last 32 bytes overlap its last whole block.
        for (std::size_t offset : {26, 27, 28, 29, 30, 31, 32, 33, 34, 58, 59, 60, 61, 62, 63, 64, 65, 66}) {
            const std::string front(offset, 'a');
            for (const std::string& text : {front + sequence + hangul, front + sequence})
                ASSERT_EQ(coding::isValidUtf8(text), wellFormed(text)) << offset << " " << text.size();
        }
    };
    for (const int a : bytes)
        for (const int b : bytes)
            for (const int c : bytes) {
                check(std::string{char(a), char(b), char(c)});
                if (a >= 0xF0)
                    for (const int d : bytes)
                        check(std::string{char(a), char(b), char(c), char(d)});
            }
}

// Read a word at a time with overlapping ends: a byte of 0x80 or more is seen at every place of
// texts of every length around the word sizes.
TEST(Utf8, AsciiIsEveryByteBelow0x80WhereverTheOtherStands) {
    for (std::size_t size = 0; size <= 25; ++size) {
        const std::string ascii(size, '\x7F');
        ASSERT_TRUE(coding::isAscii(ascii)) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string text = ascii;
            text[at] = '\x80';
            ASSERT_FALSE(coding::isAscii(text)) << size << " " << at;
        }
    }
}

} // namespace
