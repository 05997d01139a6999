// The encoder's answers to the layout's doubtful cases read back through the decoder.

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

#include <map>

namespace encodertest {
namespace {

using coding::BinaryDecoder;
using coding::BinaryEncoder;
using Int = std::int64_t;
using DoubleOptional = std::optional<std::optional<Int>>;

template <class T>
T roundTrip(const T& value, bool sort = false) {
    BinaryEncoder encoder;
    encoder.sortKeysDuringEncoding = sort;
    return BinaryDecoder{}.decode<T>(encoder.encode(value));
}

TEST(EncoderRoundTripTest, DoublyOptionalValues) {
    for (const DoubleOptional& value : {DoubleOptional{}, DoubleOptional{std::optional<Int>{}}, DoubleOptional{7}}) {
        EXPECT_EQ(roundTrip(Boxed<DoubleOptional>{value}).value, value);
        EXPECT_EQ(roundTrip(value), value);
        EXPECT_EQ(roundTrip(std::vector<DoubleOptional>{value, value}), (std::vector<DoubleOptional>{value, value}));
    }
}

TEST(EncoderRoundTripTest, WrapperOfAnOptionalEverywhere) {
    const std::vector<OptionalWrapper> wrappers{{5}, {}, {-1}};
    EXPECT_EQ(roundTrip(wrappers), wrappers);
    for (const auto& wrapper : wrappers) {
        EXPECT_EQ(roundTrip(wrapper), wrapper);
        EXPECT_EQ(roundTrip(Boxed<OptionalWrapper>{wrapper}).value, wrapper);
    }

    std::vector<std::uint8_t> stream;
    BinaryEncoder encoder;
    for (const auto& wrapper : wrappers)
        encoder.appendForStream(wrapper, stream);
    coding::DataDecodingBuffer source;
    source.append(stream);
    for (const auto& wrapper : wrappers)
        EXPECT_EQ(BinaryDecoder{}.decodeFromProvider<OptionalWrapper>(source), wrapper);
    EXPECT_FALSE(source.hasMoreBytes());
}

TEST(EncoderRoundTripTest, DictionaryKeysKeepTheirKind) {
    const std::map<std::string, Int> texts{{"05", 1}, {"5", 2}, {"", 3}, {"키", 4}};
    EXPECT_EQ(roundTrip(texts), texts);
    EXPECT_EQ(roundTrip(texts, true), texts);
    const std::map<Int, std::string> numbers{{-1, "m"}, {0, "z"}, {1LL << 58, "big"}};
    EXPECT_EQ(roundTrip(numbers), numbers);
    EXPECT_EQ(roundTrip(numbers, true), numbers);
}

TEST(EncoderRoundTripTest, SuperEncoderAndNestedRecords) {
    const Derived derived{Pair{-4, "base"}, 9};
    EXPECT_EQ(roundTrip(derived), derived);
    EXPECT_EQ(roundTrip(derived, true), derived);
    const std::vector<Outer> outers{Outer{{1, "a"}}, Outer{}};
    EXPECT_EQ(roundTrip(outers, true), outers);
}

} // namespace
} // namespace encodertest
