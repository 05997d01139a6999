#include "CompactCoding/DataType.h"
#include "CompactCoding/KeyHeader.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/DecodingError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace coding {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes varint(std::uint64_t value) {
    Bytes out;
    appendVariableLength(value, out);
    EXPECT_EQ(out.size(), variableLengthSize(value));
    return out;
}

std::string messageOf(auto&& action) {
    try {
        action();
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), DecodingError::Kind::dataCorrupted);
        return error.debugDescription();
    }
    return "no error";
}

TEST(VariableLengthIntegerTest, WritesOneToNineBytes) {
    EXPECT_EQ(varint(0), (Bytes{0x00}));
    EXPECT_EQ(varint(127), (Bytes{0x7F}));
    EXPECT_EQ(varint(128), (Bytes{0x80, 0x01}));
    EXPECT_EQ(varint(300), (Bytes{0xAC, 0x02}));
    EXPECT_EQ(varint((std::uint64_t{1} << 56) - 1), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(varint(std::uint64_t{1} << 56), (Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}));
}

TEST(VariableLengthIntegerTest, NinthByteCarriesTheTopEightBitsWhole) {
    EXPECT_EQ(varint(~std::uint64_t{0}), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    // Bit 7 of the ninth byte is data, not a continuation flag.
    EXPECT_EQ(varint(std::uint64_t{0xAB} << 56), (Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0xAB}));
    std::size_t length = 0;
    const Bytes nine = varint(std::uint64_t{0xAB} << 56);
    EXPECT_EQ(readVariableLengthInteger(nine, length, {}), std::uint64_t{0xAB} << 56);
    EXPECT_EQ(length, 9u);
}

TEST(VariableLengthIntegerTest, ReadsBackEveryWidth) {
    for (int shift = 0; shift < 64; ++shift) {
        for (std::uint64_t value : {std::uint64_t{1} << shift, (std::uint64_t{1} << shift) - 1,
                                    (std::uint64_t{1} << shift) | 0x55}) {
            EXPECT_EQ(readVariableLengthInteger(varint(value), {}), value) << value;
        }
    }
}

TEST(VariableLengthIntegerTest, ReaderStopsAtTheLastByteAndRejectsShortInput) {
    EXPECT_EQ(readVariableLengthInteger(Bytes{0x05, 0x07}, {}), 5u);
    EXPECT_EQ(messageOf([] { readVariableLengthInteger(Bytes{0x80, 0x80}, {}); }), "Premature end of data");
    EXPECT_EQ(messageOf([] { readVariableLengthInteger(Bytes{}, {}); }), "Premature end of data");
    EXPECT_EQ(messageOf([] { readVariableLengthInteger(Bytes(8, 0x80), {}); }), "Premature end of data");
}

// One and two bytes are read inline, longer integers by the general reader: both agree on every
// width, at any position, and on input that ends early.
TEST(VariableLengthIntegerTest, ReadingAtAPositionAgreesWithTheReader) {
    std::vector<Bytes> inputs{{}, {0x80}, {0xFF}, {0x80, 0x80}, {0x05, 0x07}, {0xAC, 0x02, 0x99}};
    for (int shift = 0; shift < 64; shift += 3)
        inputs.push_back(varint((std::uint64_t{1} << shift) | 0x41));
    for (const Bytes& input : inputs) {
        for (std::size_t start = 0; start <= input.size(); ++start) {
            Bytes shifted(start, 0x7F);
            shifted.insert(shifted.end(), input.begin(), input.end());
            std::size_t length = 0, index = start;
            const std::string expected = messageOf([&] { readVariableLengthInteger(input, length, {}); });
            EXPECT_EQ(messageOf([&] { readVariableLengthIntegerAt(shifted, index, {}); }), expected);
            if (expected == "no error") {
                EXPECT_EQ(readVariableLengthIntegerAt(shifted, index = start, {}),
                          readVariableLengthInteger(input, {}));
                EXPECT_EQ(index, start + length);
            }
        }
    }
}

TEST(VariableLengthIntegerTest, ReaderErrorsCarryTheGivenPath) {
    try {
        readVariableLengthInteger(Bytes{0x80}, CodingPath{CodingKey("x")});
        FAIL();
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.codingPath(), CodingPath{CodingKey("x")});
    }
}

TEST(VariableLengthIntegerTest, ExtendedFormTakesTenBytesAndChecksTheLast) {
    Bytes out;
    appendExtendedVariableLength(~std::uint64_t{0}, out);
    EXPECT_EQ(out, (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}));
    EXPECT_EQ(extendedVariableLengthSize(~std::uint64_t{0}), 10u);
    EXPECT_EQ(readExtendedVariableLengthInteger(out, {}), ~std::uint64_t{0});

    Bytes zeroTop(9, 0xFF);
    zeroTop.push_back(0x00);
    EXPECT_EQ(readExtendedVariableLengthInteger(zeroTop, {}), (std::uint64_t{1} << 63) - 1);

    Bytes bad(9, 0xFF);
    bad.push_back(0x02);
    EXPECT_EQ(messageOf([&] { readExtendedVariableLengthInteger(bad, {}); }),
              "Encoded variable-length integer out of range");
    EXPECT_EQ(messageOf([] { readExtendedVariableLengthInteger(Bytes(9, 0xFF), {}); }), "Premature end of data");
}

TEST(VariableLengthIntegerTest, ZigZagAtTheExtremes) {
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(zigZagEncode(0), 0u);
    EXPECT_EQ(zigZagEncode(-1), 1u);
    EXPECT_EQ(zigZagEncode(1), 2u);
    EXPECT_EQ(zigZagEncode(-2), 3u);
    EXPECT_EQ(zigZagEncode(max), ~std::uint64_t{0} - 1);
    EXPECT_EQ(zigZagEncode(min), ~std::uint64_t{0});
    for (std::int64_t value : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{1}, min, max, min + 1, max - 1})
        EXPECT_EQ(zigZagDecode(zigZagEncode(value)), value);
}

TEST(DataTypeTest, RawValuesAndHeaders) {
    EXPECT_EQ(rawValue(DataType::eightBytes), 1);
    EXPECT_EQ(rawValue(DataType::byte), 6);
    EXPECT_EQ(dataTypeFromRaw(7), DataType::twoBytes);
    EXPECT_FALSE(dataTypeFromRaw(3));
    EXPECT_FALSE(dataTypeFromRaw(4));
    EXPECT_FALSE(dataTypeFromRaw(8));
    EXPECT_EQ(KeyHeader(0x1A).dataType({}), DataType::variableLength);
    EXPECT_EQ(messageOf([] { KeyHeader(0x13).dataType({}); }), "Unknown data type 3");
    EXPECT_EQ(messageOf([] { KeyHeader(0x04).dataType({}); }), "Unknown data type 4");
}

} // namespace
} // namespace coding
