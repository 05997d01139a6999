#include "CompactCoding/EncodedPrimitive.h"
#include "CompactCoding/PrimitiveCodec.h"
#include "coding/Codable.h"
#include "coding/DecodingError.h"
#include "coding/EncodingError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace coding {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes compact(const PrimitiveRef& value) {
    Bytes out;
    appendPrimitive(value, out);
    return out;
}

Bytes protobuf(const PrimitiveRef& value) {
    Bytes out;
    appendProtobufPrimitive(value, out);
    return out;
}

template <class T>
T decoded(PrimitiveKind kind, const Bytes& bytes) {
    return std::get<T>(decodePrimitive(kind, bytes, {}));
}

std::string decodeFailure(PrimitiveKind kind, const Bytes& bytes, bool protobufForm = false) {
    try {
        if (protobufForm)
            decodeProtobufPrimitive(kind, bytes, {CodingKey("p")});
        else
            decodePrimitive(kind, bytes, {CodingKey("p")});
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), DecodingError::Kind::dataCorrupted);
        EXPECT_EQ(error.codingPath(), CodingPath{CodingKey("p")});
        return error.debugDescription();
    }
    return "no error";
}

const Bytes nineFF(9, 0xFF);

TEST(PrimitiveCodecTest, DataTypesOfTheKinds) {
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Bool), DataType::variableLengthInteger);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Int8), DataType::byte);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::UInt16), DataType::twoBytes);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Int32), DataType::variableLengthInteger);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Float), DataType::fourBytes);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Double), DataType::eightBytes);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::String), DataType::variableLength);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::Data), DataType::variableLength);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::FixedInt32), DataType::fourBytes);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::FixedUInt64), DataType::eightBytes);
    EXPECT_EQ(dataTypeOf(PrimitiveKind::SignedInt64), DataType::variableLengthInteger);
}

TEST(PrimitiveCodecTest, CompactIntegersAreZigZagVarints) {
    EXPECT_EQ(compact(std::int64_t{-1}), (Bytes{0x01}));
    EXPECT_EQ(compact(std::int64_t{1}), (Bytes{0x02}));
    EXPECT_EQ(compact(std::int64_t{64}), (Bytes{0x80, 0x01}));
    EXPECT_EQ(compact(std::int32_t{-1}), (Bytes{0x01}));
    EXPECT_EQ(compact(SignedValue<std::int64_t>(-1)), (Bytes{0x01}));
    EXPECT_EQ(compact(std::uint32_t{300}), (Bytes{0xAC, 0x02}));
    EXPECT_EQ(compact(std::numeric_limits<std::uint64_t>::max()), nineFF);
    EXPECT_EQ(compact(std::numeric_limits<std::int64_t>::min()), nineFF);
}

TEST(PrimitiveCodecTest, CompactFixedWidthForms) {
    EXPECT_EQ(compact(true), (Bytes{0x01}));
    EXPECT_EQ(compact(false), (Bytes{0x00}));
    EXPECT_EQ(compact(std::int8_t{-2}), (Bytes{0xFE}));
    EXPECT_EQ(compact(std::uint8_t{200}), (Bytes{0xC8}));
    EXPECT_EQ(compact(std::int16_t{0x1234}), (Bytes{0x34, 0x12}));
    EXPECT_EQ(compact(std::int16_t{-2}), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(compact(FixedSize<std::int32_t>(1)), (Bytes{0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(compact(FixedSize<std::int64_t>(-2)), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(compact(FixedSize<std::uint32_t>(0x01020304u)), (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(PrimitiveCodecTest, FloatsAreBigEndianInCompactAndLittleEndianInProtobuf) {
    EXPECT_EQ(compact(1.0), (Bytes{0x3F, 0xF0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(protobuf(1.0), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(compact(1.0f), (Bytes{0x3F, 0x80, 0, 0}));
    EXPECT_EQ(protobuf(1.0f), (Bytes{0, 0, 0x80, 0x3F}));
    EXPECT_EQ(decoded<double>(PrimitiveKind::Double, Bytes{0x3F, 0xF0, 0, 0, 0, 0, 0, 0}), 1.0);
    EXPECT_EQ(std::get<double>(decodeProtobufPrimitive(PrimitiveKind::Double, Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, {})),
              1.0);
    EXPECT_EQ(decoded<float>(PrimitiveKind::Float, Bytes{0xC0, 0x00, 0, 0}), -2.0f);
    EXPECT_TRUE(std::isnan(decoded<double>(PrimitiveKind::Double, compact(std::nan("")))));
}

TEST(PrimitiveCodecTest, TextAndBlobsAreTheirBytes) {
    EXPECT_EQ(compact(std::string_view("가x")), (Bytes{0xEA, 0xB0, 0x80, 0x78}));
    const Bytes blob{0, 1, 2};
    EXPECT_EQ(compact(std::span<const std::uint8_t>(blob)), blob);
    EXPECT_EQ(decoded<std::string>(PrimitiveKind::String, Bytes{}), "");
    EXPECT_EQ(decoded<Data>(PrimitiveKind::Data, blob), Data(blob));
}

TEST(PrimitiveCodecTest, TextThatIsNotUtf8CannotBeEncoded) {
    for (std::string bad : {std::string("\xC3"), std::string("\xC0\x80"), std::string("\xED\xA0\x80"),
                            std::string("\xF4\x90\x80\x80"), std::string("abcdefgh\xFF")}) {
        try {
            compact(std::string_view(bad));
            FAIL() << "accepted invalid text";
        } catch (const EncodingError& error) {
            EXPECT_EQ(error.debugDescription(), "String is not UTF-8");
            EXPECT_TRUE(error.codingPath().empty());
            EXPECT_EQ(std::any_cast<std::string>(error.value()), bad);
        }
    }
    EXPECT_EQ(decodeFailure(PrimitiveKind::String, Bytes{0xFF}), "Invalid string");
}

TEST(PrimitiveCodecTest, FixedSizeReadersWantTheirExactSize) {
    EXPECT_EQ(decodeFailure(PrimitiveKind::Double, Bytes(7, 0)), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Double, Bytes(9, 0)), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Bool, Bytes{}), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Bool, Bytes{0x80, 0x01}), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Int16, Bytes{0x01}), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::FixedInt64, Bytes(4, 0)), "Invalid data size");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Float, Bytes(8, 0), true), "Invalid data size");
    EXPECT_TRUE(decoded<bool>(PrimitiveKind::Bool, Bytes{0x02}));
    EXPECT_EQ(decoded<std::uint16_t>(PrimitiveKind::UInt16, Bytes{0x34, 0x12}), 0x1234);
    EXPECT_EQ(decoded<FixedSize<std::int32_t>>(PrimitiveKind::FixedInt32, Bytes{0xFF, 0xFF, 0xFF, 0xFF}).wrappedValue,
              -1);
}

TEST(PrimitiveCodecTest, NarrowIntegersRejectValuesThatDoNotFit) {
    Bytes twoTo32;
    appendPrimitive(std::int64_t{std::int64_t{1} << 32}, twoTo32);
    EXPECT_EQ(decodeFailure(PrimitiveKind::Int32, twoTo32), "Encoded variable-length integer out of range");
    EXPECT_EQ(decodeFailure(PrimitiveKind::SignedInt32, twoTo32), "Encoded variable-length integer out of range");
    EXPECT_EQ(decodeFailure(PrimitiveKind::UInt32, compact(std::uint64_t{4294967296})),
              "Encoded variable-length integer out of range");
    EXPECT_EQ(decoded<std::uint32_t>(PrimitiveKind::UInt32, compact(std::uint64_t{4294967295})), 4294967295u);
    EXPECT_EQ(decoded<std::int32_t>(PrimitiveKind::Int32, compact(std::int32_t{-2147483647 - 1})), -2147483647 - 1);
    EXPECT_EQ(decodeFailure(PrimitiveKind::Int32, protobuf(std::int64_t{1} << 31), true),
              "Encoded variable-length integer out of range");
    EXPECT_EQ(decodeFailure(PrimitiveKind::Int64, Bytes{0x80}), "Premature end of data");
}

TEST(PrimitiveCodecTest, CompactValuesReadBack) {
    const PrimitiveRef values[] = {std::int64_t{-123456789}, std::numeric_limits<std::int64_t>::min(),
                                   std::uint64_t{1} << 63, std::int32_t{-7}, SignedValue<std::int32_t>(-9),
                                   FixedSize<std::uint64_t>(~std::uint64_t{0}), std::uint8_t{7}, 2.5f, -0.0};
    for (const auto& value : values) {
        const PrimitiveValue back = decodePrimitive(kindOf(value), compact(value), {});
        ASSERT_EQ(back.index(), value.index());
        std::visit(
            [&](const auto& original) {
                using T = std::decay_t<decltype(original)>;
                if constexpr (!std::is_same_v<T, std::string_view> &&
                              !std::is_same_v<T, std::span<const std::uint8_t>>) {
                    EXPECT_EQ(std::get<T>(back), original);
                }
            },
            value);
    }
}

// Text, Int64 and Bool are built straight in a decode item's slot; every other kind goes through a
// PrimitiveValue. Both forms read the same bytes to the same value or the same fault.
TEST(PrimitiveCodecTest, TheItemFormReadsWhatTheValueFormReads) {
    const auto outcomes = []<class T>(const Bytes& bytes) {
        std::string byValue, byItem;
        try {
            byValue = ::testing::PrintToString(std::get<T>(decodePrimitive(PrimitiveTraits<T>::kind, bytes, {})));
        } catch (const DecodingError& error) {
            byValue = error.debugDescription();
        }
        try {
            std::optional<T> slot;
            DecodeItem item = makeDecodeItem<T>(slot);
            decodePrimitive(item, bytes, {});
            byItem = slot ? ::testing::PrintToString(*slot) : "nothing";
        } catch (const DecodingError& error) {
            byItem = error.debugDescription();
        }
        EXPECT_EQ(byItem, byValue) << ::testing::PrintToString(bytes);
    };
    for (const Bytes& bytes : {Bytes{}, Bytes{0x02}, Bytes{0x05, 0x99}, Bytes{0x81, 0x01}, Bytes{0x80}, nineFF})
        outcomes.operator()<std::int64_t>(bytes);
    for (const Bytes& bytes : {Bytes{}, Bytes{0}, Bytes{1}, Bytes{2}, Bytes{1, 1}})
        outcomes.operator()<bool>(bytes);
    for (const Bytes& bytes : {Bytes{}, Bytes{'a', 'b'}, Bytes{0xEC, 0x8B, 0x9C}, Bytes{0xFF}, Bytes{0xC0, 0x80}})
        outcomes.operator()<std::string>(bytes);
    for (const Bytes& bytes : {Bytes{0x03}, Bytes{0x80}})
        outcomes.operator()<std::int32_t>(bytes);
}

TEST(PrimitiveCodecTest, ProtobufIntegersAreTwosComplementUnlessSignedInTheTenByteForm) {
    const Bytes tenForMinusOne{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
    EXPECT_EQ(protobuf(std::int64_t{-1}), tenForMinusOne);
    EXPECT_EQ(protobuf(std::int32_t{-1}), tenForMinusOne);
    EXPECT_EQ(protobuf(std::uint64_t{1} << 63), (Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}));
    EXPECT_EQ(protobuf(std::int64_t{1}), (Bytes{0x01}));
    EXPECT_EQ(protobuf(SignedValue<std::int64_t>(-1)), (Bytes{0x01}));
    EXPECT_EQ(protobuf(SignedValue<std::int64_t>::min()).size(), 10u);
    EXPECT_EQ(protobuf(FixedSize<std::int32_t>(1)), (Bytes{0x01, 0, 0, 0}));
    EXPECT_EQ(std::get<std::int64_t>(decodeProtobufPrimitive(PrimitiveKind::Int64, tenForMinusOne, {})), -1);
    EXPECT_EQ(std::get<std::int32_t>(decodeProtobufPrimitive(PrimitiveKind::Int32, tenForMinusOne, {})), -1);
    EXPECT_EQ(std::get<SignedValue<std::int64_t>>(
                  decodeProtobufPrimitive(PrimitiveKind::SignedInt64, protobuf(SignedValue<std::int64_t>::min()), {})),
              SignedValue<std::int64_t>::min());
    Bytes badTenth = tenForMinusOne;
    badTenth[9] = 0x02;
    EXPECT_EQ(decodeFailure(PrimitiveKind::Int64, badTenth, true), "Encoded variable-length integer out of range");
    EXPECT_EQ(decodeFailure(PrimitiveKind::UInt64, Bytes(9, 0xFF), true), "Premature end of data");
}

TEST(PrimitiveCodecTest, ProtobufNamesAndZeros) {
    EXPECT_EQ(protoTypeName(PrimitiveKind::Int64), "int64");
    EXPECT_EQ(protoTypeName(PrimitiveKind::Int32), "int32");
    EXPECT_EQ(protoTypeName(PrimitiveKind::SignedInt64), "sint64");
    EXPECT_EQ(protoTypeName(PrimitiveKind::SignedInt32), "sint32");
    EXPECT_EQ(protoTypeName(PrimitiveKind::FixedInt64), "sfixed64");
    EXPECT_EQ(protoTypeName(PrimitiveKind::FixedUInt64), "fixed64");
    EXPECT_EQ(protoTypeName(PrimitiveKind::FixedInt32), "sfixed32");
    EXPECT_EQ(protoTypeName(PrimitiveKind::FixedUInt32), "fixed32");
    EXPECT_EQ(protoTypeName(PrimitiveKind::UInt32), "uint32");
    EXPECT_EQ(protoTypeName(PrimitiveKind::Data), "bytes");
    EXPECT_FALSE(hasProtobufForm(PrimitiveKind::Int8));
    EXPECT_FALSE(hasProtobufForm(PrimitiveKind::UInt16));
    EXPECT_TRUE(protoTypeName(PrimitiveKind::Int16).empty());

    EXPECT_TRUE(isZero(-0.0));
    EXPECT_TRUE(isZero(0.0f));
    EXPECT_TRUE(isZero(false));
    EXPECT_TRUE(isZero(std::string_view()));
    EXPECT_TRUE(isZero(std::span<const std::uint8_t>()));
    EXPECT_TRUE(isZero(FixedSize<std::int64_t>(0)));
    EXPECT_FALSE(isZero(true));
    EXPECT_FALSE(isZero(std::numeric_limits<double>::denorm_min()));
    EXPECT_FALSE(isZero(SignedValue<std::int32_t>(-1)));
    EXPECT_EQ(std::get<std::string>(protobufZero(PrimitiveKind::String)), "");
    EXPECT_EQ(std::get<FixedSize<std::uint32_t>>(protobufZero(PrimitiveKind::FixedUInt32)).wrappedValue, 0u);
}

TEST(EncodedPrimitiveTest, HoldsShortAndLongValues) {
    const std::string longText(100, 'x');
    EncodedPrimitive shortValue = EncodedPrimitive::compact(std::string_view("abc"));
    EncodedPrimitive longValue = EncodedPrimitive::compact(std::string_view(longText));
    EncodedPrimitive copy = longValue;
    EncodedPrimitive moved = std::move(longValue);
    shortValue = copy;
    EXPECT_EQ(shortValue.data(), Bytes(longText.begin(), longText.end()));
    EXPECT_EQ(moved.dataWithLengthPrefix().size(), 101u);
    EXPECT_EQ(moved.dataWithLengthPrefix()[0], 100);
    EXPECT_EQ(EncodedPrimitive::compact(std::int64_t{1}).dataWithLengthPrefix(), (Bytes{0x02}));
    EXPECT_FALSE(moved.isEmpty());
}

TEST(EncodedPrimitiveTest, ProtobufFormMarksZerosEmptyOnRequestAndKeepsTheirBytes) {
    const auto zero = EncodedPrimitive::protobuf(std::int64_t{0}, true);
    EXPECT_TRUE(zero.isEmpty());
    EXPECT_EQ(zero.data(), (Bytes{0x00}));
    const auto kept = EncodedPrimitive::protobuf(std::int64_t{0}, false);
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_EQ(kept.data(), (Bytes{0x00}));
    EXPECT_EQ(EncodedPrimitive::protobuf(-1.0, true).dataType(), DataType::eightBytes);
}

} // namespace
} // namespace coding
