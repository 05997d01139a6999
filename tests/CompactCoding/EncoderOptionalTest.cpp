#include "CompactCoding/BinaryEncoder.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

namespace encodertest {
namespace {

using coding::BinaryEncoder;
using Int = std::int64_t;
using Optional = std::optional<Int>;
using DoubleOptional = std::optional<std::optional<Int>>;

template <class T>
Bytes encoded(const T& value) {
    return bytesOf(BinaryEncoder{}.encode(value));
}

template <class T>
Bytes streamed(const T& value) {
    return bytesOf(BinaryEncoder{}.encodeForStream(value));
}

TEST(EncoderOptionalTest, TopLevelOptionalsCarryAMarker) {
    EXPECT_EQ(encoded(Optional{}), bytes({0x00}));
    EXPECT_EQ(encoded(Optional{5}), bytes({0x01, 0x0A}));
    EXPECT_EQ(encoded(std::optional<std::string>{"x"}), bytes({0x01, 0x01, 0x78}));
    EXPECT_EQ(encoded(std::optional<Pair>{Pair{1, ""}}), bytes({0x01, 0x06, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x00}));
    EXPECT_EQ(encoded(DoubleOptional{Optional{}}), bytes({0x01, 0x00}));
    EXPECT_EQ(encoded(DoubleOptional{Optional{5}}), bytes({0x01, 0x01, 0x0A}));
    // A stream element of an optional: the marker already delimits it.
    EXPECT_EQ(streamed(std::optional<std::string>{"x"}), bytes({0x01, 0x01, 0x78}));
}

TEST(EncoderOptionalTest, OptionalsInLists) {
    EXPECT_EQ(encoded(std::vector<Optional>{{}, 5, {}}), bytes({0x00, 0x01, 0x0A, 0x00}));
    BinaryEncoder withNilIndices;
    withNilIndices.prependNilIndexSetForUnkeyedContainers = true;
    EXPECT_EQ(bytesOf(withNilIndices.encode(std::vector<Optional>{{}, 5, {}})),
              bytes({0x00, 0x00, 0x01, 0x0A, 0x00}));
    EXPECT_EQ(encoded(std::vector<DoubleOptional>{Optional{}, std::nullopt}), bytes({0x01, 0x00, 0x00}));
}

TEST(EncoderOptionalTest, OptionalsUnderKeys) {
    EXPECT_TRUE(encoded(Boxed<Optional>{}).empty());
    EXPECT_EQ(encoded(Boxed<Optional>{5}), bytes({0x1A, 0x76, 0x02, 0x01, 0x0A}));
    EXPECT_EQ(encoded(Boxed<std::optional<std::string>>{"x"}), bytes({0x1A, 0x76, 0x03, 0x01, 0x01, 0x78}));
    EXPECT_TRUE(encoded(Boxed<DoubleOptional>{}).empty());
}

TEST(EncoderOptionalTest, DoublyOptionalUnderAKeyKeepsBothLevels) {
    // some(none) must not read back as none: the outer marker stays.
    EXPECT_EQ(encoded(Boxed<DoubleOptional>{Optional{}}), bytes({0x1A, 0x76, 0x02, 0x01, 0x00}));
    EXPECT_EQ(encoded(Boxed<DoubleOptional>{Optional{5}}), bytes({0x1A, 0x76, 0x03, 0x01, 0x01, 0x0A}));
}

TEST(EncoderOptionalTest, EncodeIfPresentWritesTheBareValue) {
    struct Fields {
        Optional present{5}, absent;
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            c.encodeIfPresent(present, Pair::keyA);
            c.encodeIfPresent(absent, Pair::keyB);
        }
    };
    EXPECT_EQ(encoded(Fields{}), bytes({0x18, 0x61, 0x0A}));
}

TEST(EncoderOptionalTest, WrapperOfAnOptional) {
    // Under a key: the wrapped optional's marker and value, framed once.
    EXPECT_EQ(encoded(Boxed<OptionalWrapper>{{5}}), bytes({0x1A, 0x76, 0x02, 0x01, 0x0A}));
    EXPECT_EQ(encoded(Boxed<OptionalWrapper>{{}}), bytes({0x1A, 0x76, 0x01, 0x00}));
    // As a list or stream element: no length prefix, as the reader takes the marker first.
    EXPECT_EQ(encoded(std::vector<OptionalWrapper>{{5}, {}}), bytes({0x01, 0x0A, 0x00}));
    EXPECT_EQ(streamed(OptionalWrapper{5}), bytes({0x01, 0x0A}));
    EXPECT_EQ(encoded(OptionalWrapper{5}), bytes({0x01, 0x0A}));
}

TEST(EncoderOptionalTest, SingleValueOfATextAtEachPosition) {
    struct Text {
        std::string text;
        void encode(coding::Encoder& encoder) const { encoder.singleValueContainer().encode(text); }
    };
    EXPECT_EQ(encoded(Boxed<Text>{{"ab"}}), bytes({0x1A, 0x76, 0x02, 0x61, 0x62}));
    EXPECT_EQ(encoded(std::vector<Text>{{"ab"}}), bytes({0x02, 0x61, 0x62}));
    EXPECT_EQ(encoded(Text{"ab"}), bytes({0x61, 0x62}));
    EXPECT_EQ(streamed(Text{"ab"}), bytes({0x02, 0x61, 0x62}));
}

TEST(EncoderOptionalTest, SingleValueNilIsTheNilMarker) {
    struct Nil {
        void encode(coding::Encoder& encoder) const { encoder.singleValueContainer().encodeNil(); }
    };
    EXPECT_EQ(encoded(Nil{}), bytes({0x00}));
    EXPECT_EQ(encoded(std::vector<Nil>{{}, {}}), bytes({0x00, 0x00}));
    EXPECT_TRUE(encoded(Boxed<Nil>{}).empty());
}

} // namespace
} // namespace encodertest
