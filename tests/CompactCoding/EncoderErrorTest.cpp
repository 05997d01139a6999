#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/WrapError.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace encodertest {
namespace {

using coding::BinaryEncoder;
using coding::CodingKey;
using coding::CodingPath;
using coding::EncodingError;

const std::string notUtf8 = "\xC3\x28";

template <class T>
EncodingError encodingFailure(const T& value) {
    try {
        BinaryEncoder{}.encode(value);
    } catch (const EncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "encoded without error";
    return EncodingError::invalidValue({}, {});
}

TEST(EncoderErrorTest, PrimitiveFailureCarriesTheEncodingContainersPath) {
    // Neither the outer key nor the field's own key is added for a value encoded with encode().
    const auto nested = encodingFailure(Outer{Pair{1, notUtf8}});
    EXPECT_EQ(nested.debugDescription(), "String is not UTF-8");
    EXPECT_TRUE(nested.codingPath().empty());
    EXPECT_EQ(std::any_cast<std::string>(nested.value()), notUtf8);

    struct UnderNestedContainer {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            c.nestedContainer(Pair::keys, Pair::keyA).encode(notUtf8, Pair::keyB);
        }
    };
    EXPECT_EQ(encodingFailure(UnderNestedContainer{}).codingPath(), CodingPath{Pair::keyA});

    struct InList {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            c.nestedUnkeyedContainer(Pair::keyB).encode(notUtf8);
        }
    };
    EXPECT_EQ(encodingFailure(InList{}).codingPath(), CodingPath{Pair::keyB});
    EXPECT_TRUE(encodingFailure(std::optional<std::string>(notUtf8)).codingPath().empty());
}

TEST(EncoderErrorTest, ValueThatWritesNothingIsAnError) {
    EXPECT_EQ(encodingFailure(Silent{}).debugDescription(), "Top-level Silent did not encode any values.");
    EXPECT_EQ(encodingFailure(Boxed<Silent>{}).debugDescription(), "Silent did not encode any values.");
    EXPECT_EQ(encodingFailure(std::vector<Silent>(1)).debugDescription(), "Silent did not encode any values.");
    EXPECT_EQ(encodingFailure(Boxed<EmptySingleValue>{}).debugDescription(),
              "EmptySingleValue did not encode any values.");
    EXPECT_EQ(encodingFailure(EmptySingleValue{}).debugDescription(),
              "EmptySingleValue did not encode any values.");
    EXPECT_EQ(encodingFailure(UnusedSuper{}).debugDescription(), "Encoder did not encode any values.");
}

TEST(EncoderErrorTest, FailedEncodeLeavesTheStreamBufferAsItWas) {
    std::vector<std::uint8_t> out{0xAA};
    BinaryEncoder encoder;
    EXPECT_THROW(encoder.appendForStream(Outer{Pair{1, notUtf8}}, out), EncodingError);
    EXPECT_THROW(encoder.appendForStream(UnusedSuper{}, out), EncodingError);
    EXPECT_EQ(out, bytes({0xAA}));
}

TEST(EncoderErrorTest, ErrorsOfTheValuesOwnCodingPassUnchanged) {
    struct Throws {
        void encode(coding::Encoder&) const { throw std::runtime_error("custom"); }
    };
    EXPECT_THROW(BinaryEncoder{}.encode(Boxed<Throws>{}), std::runtime_error);
}

TEST(WrapErrorTest, PutsThePathInFrontOfInvalidValueErrors) {
    const CodingPath outer{CodingKey("outer")};
    try {
        coding::wrapError(outer, []() -> int {
            throw EncodingError::invalidValue(1, coding::ErrorContext{{CodingKey("inner")}, "bad", nullptr});
        });
        FAIL();
    } catch (const EncodingError& error) {
        EXPECT_EQ(error.codingPath(), (CodingPath{CodingKey("outer"), CodingKey("inner")}));
        EXPECT_EQ(error.debugDescription(), "bad");
        EXPECT_EQ(std::any_cast<int>(error.value()), 1);
    }
}

TEST(WrapErrorTest, TurnsForeignErrorsIntoInvalidValueErrors) {
    const CodingPath path{CodingKey("p")};
    try {
        coding::wrapError(path, []() -> int { throw std::runtime_error("foreign"); });
        FAIL();
    } catch (const EncodingError& error) {
        EXPECT_EQ(error.codingPath(), path);
        EXPECT_EQ(error.debugDescription(), "An unknown error occured");
        EXPECT_EQ(std::any_cast<std::string>(error.value()), "");
        EXPECT_THROW(std::rethrow_exception(error.context().underlyingError), std::runtime_error);
    }
    int value = 4;
    int& same = coding::wrapError(path, [&]() -> int& { return value; });
    EXPECT_EQ(&same, &value);
}

// ---- misuse of the interface stops the program ----

class EncoderMisuseDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(EncoderMisuseDeathTest, SecondContainerOfOneEncoder) {
    struct TwoContainers {
        void encode(coding::Encoder& encoder) const {
            encoder.container(Pair::keys);
            encoder.singleValueContainer();
        }
    };
    EXPECT_DEATH(BinaryEncoder{}.encode(TwoContainers{}),
                 "EncodingNode.cpp:[0-9]+: Multiple calls to `container<>\\(keyedBy:\\)`, `unkeyedContainer\\(\\)`, "
                 "or `singleValueContainer\\(\\)` for an encoder");
    struct TwoLists {
        void encode(coding::Encoder& encoder) const {
            encoder.unkeyedContainer();
            encoder.unkeyedContainer();
        }
    };
    EXPECT_DEATH(BinaryEncoder{}.encode(std::vector<TwoLists>(1)), "Multiple calls to");
}

TEST_F(EncoderMisuseDeathTest, SecondValueInASingleValueContainer) {
    struct TwoValues {
        void encode(coding::Encoder& encoder) const {
            auto single = encoder.singleValueContainer();
            single.encode(true);
            single.encodeNil();
        }
    };
    EXPECT_DEATH(BinaryEncoder{}.encode(TwoValues{}),
                 "ValueEncoder.cpp:[0-9]+: Attempt to encode multiple values in single value container");
}

TEST_F(EncoderMisuseDeathTest, RecordKeyOutOfRange) {
    struct BadKey {
        void encode(coding::Encoder& encoder) const {
            static const CodingKey key{"big", std::int64_t{1} << 59};
            const coding::KeySet keys{key};
            encoder.container(keys).encode(true, key);
        }
    };
    EXPECT_DEATH(BinaryEncoder{}.encode(BadKey{}),
                 "Integer key 576460752303423488 is out of range \\[-576460752303423488\\.\\.\\.576460752303423487\\] "
                 "for coding key big");
    struct BadNestedKey {
        void encode(coding::Encoder& encoder) const {
            static const CodingKey key{"small", -(std::int64_t{1} << 59) - 1};
            const coding::KeySet keys{key};
            encoder.container(keys).nestedUnkeyedContainer(key);
        }
    };
    EXPECT_DEATH(BinaryEncoder{}.encode(BadNestedKey{}), "Integer key -576460752303423489 is out of range");
}

} // namespace
} // namespace encodertest
