#include "ProtobufTestRecords.h"

#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/EncodingError.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace prototest;
using coding::EncodingError;
using coding::ProtobufEncodingError;
using Kind = ProtobufEncodingError::Kind;

TEST(ProtobufEncoding, WritesTheWireFormatByteForByte) {
    struct Case {
        const char* what;
        Bytes written;
        Bytes expected;
    };
    const Case cases[] = {
        {"integer", encoded(Field<1, std::int64_t>{150}), bytes({0x08, 0x96, 0x01})},
        {"text", encoded(Field<2, std::string>{"hi"}), bytes({0x12, 0x02, 0x68, 0x69})},
        {"message", encoded(Field<3, Inner>{{1, ""}}), bytes({0x1A, 0x02, 0x08, 0x01})},
        {"packed numbers", encoded(Field<4, std::vector<std::int64_t>>{{1, 2, 3}}),
         bytes({0x22, 0x03, 0x01, 0x02, 0x03})},
        {"texts", encoded(Field<5, std::vector<std::string>>{{"a", "b"}}),
         bytes({0x2A, 0x01, 0x61, 0x2A, 0x01, 0x62})},
        {"negative, ten bytes", encoded(Field<1, std::int64_t>{-1}), bytes({0x08}) + tenForMinusOne},
        {"negative Int32, ten bytes", encoded(Field<1, std::int32_t>{-1}), bytes({0x08}) + tenForMinusOne},
        {"field 16", encoded(Field<16, bool>{true}), bytes({0x80, 0x01, 0x01})},
        {"field 2^29 - 1", encoded(Field<536870911, std::string>{"x"}),
         bytes({0xFA, 0xFF, 0xFF, 0xFF, 0x0F, 0x01, 0x78})},
        {"packed with a negative", encoded(Field<4, std::vector<std::int64_t>>{{1, 300, -1}}),
         bytes({0x22, 0x0D, 0x01, 0xAC, 0x02}) + tenForMinusOne},
        {"floats", encoded(Field<7, std::vector<float>>{{1.0f, 2.0f}}),
         bytes({0x3A, 0x08, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40})},
        {"messages", encoded(Field<6, std::vector<Inner>>{{{1, ""}, {2, ""}}}),
         bytes({0x32, 0x02, 0x08, 0x01, 0x32, 0x02, 0x08, 0x02})},
        {"lists of lists", encoded(Field<1, std::vector<std::vector<std::int64_t>>>{{{1, 2}, {}}}),
         bytes({0x0A, 0x02, 0x01, 0x02, 0x0A, 0x00})},
        {"map", encoded(Field<3, std::map<std::string, std::int64_t>>{{{"a", 1}}}),
         bytes({0x1A, 0x05, 0x0A, 0x01, 0x61, 0x10, 0x01})},
        {"integer keys", encoded(Field<3, std::map<std::int64_t, std::string>>{{{-1, "z"}, {2, "b"}}}),
         bytes({0x1A, 0x0E, 0x08}) + tenForMinusOne + bytes({0x12, 0x01, 0x7A, 0x1A, 0x05, 0x08, 0x02, 0x12, 0x01, 0x62})},
        {"a map in a list", encoded(Field<1, std::vector<std::map<std::string, bool>>>{{{{"k", true}}}}),
         bytes({0x0A, 0x06, 0x05, 0x0A, 0x01, 0x6B, 0x10, 0x01})},
        {"oneof case", encoded(Field<1, Choice>{{std::string("hi")}}), bytes({0xFA, 0x01, 0x02, 0x68, 0x69})},
        {"oneof record", encoded(Field<1, Choice>{{Inner{3, ""}}}), bytes({0x82, 0x02, 0x02, 0x08, 0x03})},
        {"unset", encoded(Present<1, std::int64_t>{}), {}},
        // Defaults: left out of a message, kept everywhere below it and under explicit presence.
        {"default integer", encoded(Field<1, std::int64_t>{0}), {}},
        {"default text", encoded(Field<1, std::string>{""}), {}},
        {"negative zero", encoded(Field<1, double>{-0.0}), {}},
        {"message of defaults", encoded(Field<1, Inner>{}), {}},
        {"empty list", encoded(Field<1, std::vector<std::int64_t>>{}), {}},
        {"empty map", encoded(Field<1, std::map<std::string, std::int64_t>>{}), {}},
        {"zeros in a list", encoded(Field<1, std::vector<std::int64_t>>{{0, 0, 0}}),
         bytes({0x0A, 0x03, 0x00, 0x00, 0x00})},
        {"empty text in a list", encoded(Field<5, std::vector<std::string>>{{"a", ""}}),
         bytes({0x2A, 0x01, 0x61, 0x2A, 0x00})},
        {"message of defaults in a list", encoded(Field<6, std::vector<Inner>>{{Inner{}}}), bytes({0x32, 0x00})},
        {"defaults in a map entry", encoded(Field<3, std::map<std::string, std::int64_t>>{{{"", 0}}}),
         bytes({0x1A, 0x04, 0x0A, 0x00, 0x10, 0x00})},
        {"record of defaults as map value", encoded(Field<3, std::map<std::string, Inner>>{{{"k", Inner{}}}}),
         bytes({0x1A, 0x05, 0x0A, 0x01, 0x6B, 0x12, 0x00})},
        {"default oneof case", encoded(Field<1, Choice>{{std::int64_t{0}}}), bytes({0xF0, 0x01, 0x00})},
        {"default with presence", encoded(Present<1, std::int64_t>{0}), bytes({0x08, 0x00})},
        {"message of defaults with presence", encoded(Present<1, Inner>{Inner{}}), bytes({0x0A, 0x00})},
        // Roots: a list's elements without tags, a value's bytes.
        {"root numbers", encoded(std::vector<std::int64_t>{1, 2}), bytes({0x01, 0x02})},
        {"root texts", encoded(std::vector<std::string>{"a", "b"}), bytes({0x01, 0x61, 0x01, 0x62})},
        {"root value", encoded(std::int64_t{-1}), tenForMinusOne},
        {"root map", encoded(std::map<std::string, std::int64_t>{{"a", 1}}),
         bytes({0x05, 0x0A, 0x01, 0x61, 0x10, 0x01})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, c.expected) << c.what;
}

// Fields 3, 1, 2 in that order, and field 1 again.
struct Shuffled {
    void encode(coding::Encoder& encoder) const {
        static const CodingKey three{"three", 3}, one{"one", 1}, two{"two", 2};
        static const KeySet keys{three, one, two};
        auto c = encoder.container(keys);
        c.encode(std::int64_t{3}, three);
        c.encode(std::int64_t{9}, one);
        c.encode(std::int64_t{2}, two);
        c.encode(std::int64_t{1}, one);
    }
};

TEST(ProtobufEncoding, FieldsGoInTheOrderSetOrAscendingAndASecondValueReplacesTheFirst) {
    EXPECT_EQ(encoded(Shuffled{}), bytes({0x18, 0x03, 0x08, 0x01, 0x10, 0x02}));
    EXPECT_EQ(encoded(Shuffled{}, true), bytes({0x08, 0x01, 0x10, 0x02, 0x18, 0x03}));
    coding::ProtobufEncoder encoder;
    encoder.userInfo["sort"] = std::string("yes"); // not a Bool: off
    EXPECT_EQ(encoder.encode(Shuffled{}).bytes, encoded(Shuffled{}));
}

template <class T>
ProtobufEncodingError protobufError(const T& value) {
    try {
        encoded(value);
    } catch (const ProtobufEncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "no ProtobufEncodingError";
    return ProtobufEncodingError(Kind::rootIsNotKeyedContainer);
}

template <class T>
EncodingError encodingError(const T& value) {
    try {
        encoded(value);
    } catch (const EncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "no EncodingError";
    return EncodingError::invalidValue({}, {});
}

// A oneof that opens no case.
struct NoCase {
    static constexpr bool isOneOf = true;
    void encode(coding::Encoder& encoder) const { encoder.container(Choice::keys); }
};

// A dictionary that writes its pairs in nested containers.
struct OddMap {
    void encode(coding::Encoder& encoder) const { encoder.unkeyedContainer().nestedUnkeyedContainer(); }
};

} // namespace

template <>
struct coding::Codable<OddMap> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = true;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() { return "OddMap"; }
    static void encode(const OddMap& value, Encoder& encoder) { value.encode(encoder); }
};

namespace {

// A oneof whose encode runs `write` against its encoder.
struct OneOfWrites {
    static constexpr bool isOneOf = true;
    std::function<void(coding::Encoder&)> write;
    void encode(coding::Encoder& encoder) const { write(encoder); }
};

// A record whose encode runs `write` against its keyed container.
struct Writes {
    std::function<void(coding::KeyedEncodingContainer&)> write;
    void encode(coding::Encoder& encoder) const {
        static const KeySet keys{CodingKey("a", 1)};
        auto c = encoder.container(keys);
        write(c);
    }
};

TEST(ProtobufEncoding, KeysMustBeFieldNumbers) {
    EXPECT_EQ(protobufError(Field<0, std::int64_t>{1}), ProtobufEncodingError::integerKeyOutOfRange(0));
    EXPECT_EQ(protobufError(Field<-1, std::int64_t>{1}), ProtobufEncodingError::integerKeyOutOfRange(-1));
    EXPECT_EQ(protobufError(Field<536870912, std::int64_t>{1}), ProtobufEncodingError::integerKeyOutOfRange(536870912));
    EXPECT_EQ(protobufError(Writes{[](auto& c) { c.encode(std::int64_t{1}, CodingKey("name")); }}),
              ProtobufEncodingError(Kind::missingIntegerKey, "name"));
    // The refused nested containers throw at their first write, also what is opened inside them.
    EXPECT_EQ(protobufError(Writes{[](auto& c) {
                  auto list = c.nestedUnkeyedContainer(CodingKey("name"));
                  EXPECT_EQ(list.count(), 0);
                  list.nestedContainer(Inner::keys).encode(std::int64_t{1}, Inner::keyNumber);
              }}),
              ProtobufEncodingError(Kind::missingIntegerKey, "name"));
    // A map nested in a map is a map too: its text keys are fine.
    EXPECT_NO_THROW(encoded(Field<1, std::map<std::string, std::map<std::string, bool>>>{{{"a", {{"b", true}}}}}));
}

TEST(ProtobufEncoding, RefusesWhatProtobufCannotCarry) {
    const auto unsupported = encodingError(Field<4, std::int8_t>{1});
    EXPECT_EQ(unsupported.debugDescription(), "An unknown error occured");
    EXPECT_EQ(unsupported.codingPath(), coding::CodingPath{(Field<4, std::int8_t>::key)});
    try {
        std::rethrow_exception(unsupported.context().underlyingError);
    } catch (const ProtobufEncodingError& error) {
        EXPECT_EQ(error, ProtobufEncodingError(Kind::unsupportedType, "Int8"));
    }
    const auto notUtf8 = encodingError(Field<2, std::string>{"\xC3\x28"});
    EXPECT_EQ(notUtf8.debugDescription(), "String is not UTF-8");
    EXPECT_EQ(notUtf8.codingPath(), coding::CodingPath{(Field<2, std::string>::key)});

    EXPECT_EQ(protobufError(Writes{[](auto& c) { c.encodeNil(CodingKey("a", 1)); }}),
              ProtobufEncodingError(Kind::nilValuesNotSupported));
    EXPECT_EQ(protobufError(Field<1, std::vector<std::optional<std::int64_t>>>{{1, std::nullopt}}),
              ProtobufEncodingError(Kind::nilValuesNotSupported));
    EXPECT_EQ(protobufError(Writes{[](auto& c) {
                  auto list = c.nestedUnkeyedContainer(CodingKey("a", 1));
                  list.encode(std::int64_t{1});
                  list.encode(std::string("x"));
              }}),
              ProtobufEncodingError(Kind::multipleTypesInUnkeyedContainer));
    EXPECT_EQ(protobufError(Writes{[](auto& c) {
                  auto list = c.nestedUnkeyedContainer(CodingKey("a", 1));
                  list.encode(1.0f);
                  list.encode(1.0);
              }}),
              ProtobufEncodingError(Kind::multipleTypesInUnkeyedContainer));
    // Int64, UInt32 and Bool share their wire type, and a record may follow numbers unchecked.
    EXPECT_NO_THROW(encoded(Writes{[](auto& c) {
        auto list = c.nestedUnkeyedContainer(CodingKey("a", 1));
        list.encode(std::int64_t{1});
        list.encode(std::uint32_t{2});
        list.encode(true);
        list.encode(Inner{});
    }}));
}

TEST(ProtobufEncoding, ValuesThatWriteNothingOrTooMuch) {
    struct Silent {
        void encode(coding::Encoder&) const {}
    };
    struct Twice {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.singleValueContainer();
            c.encode(std::int64_t{1});
            c.encode(std::int64_t{2});
        }
    };
    EXPECT_EQ(protobufError(Silent{}), ProtobufEncodingError(Kind::noContainersAccessed));
    EXPECT_EQ(encoded(Field<1, Silent>{}), Bytes{}); // a field that wrote nothing is left out
    EXPECT_EQ(protobufError(Field<1, std::vector<Silent>>{{Silent{}}}), ProtobufEncodingError(Kind::noContainersAccessed));
    EXPECT_EQ(protobufError(Twice{}), ProtobufEncodingError(Kind::multipleValuesInSingleValueContainer));
    EXPECT_EQ(protobufError(Field<1, NoCase>{}), ProtobufEncodingError(Kind::noContainersAccessed));
    // Not under a message field, a oneof is a plain record whose case key has no number.
    EXPECT_EQ(protobufError(Field<1, std::vector<Choice>>{{Choice{std::int64_t{1}}}}),
              ProtobufEncodingError(Kind::missingIntegerKey, "_0"));
}

TEST(ProtobufEncoding, AOneOfTakesOneCaseAndOneValue) {
    const auto refused = [](const char* message) { return ProtobufEncodingError(Kind::invalidAccess, message); };
    const auto oneOf = [](std::function<void(coding::Encoder&)> write) { return Field<1, OneOfWrites>{{std::move(write)}}; };
    EXPECT_EQ(protobufError(oneOf([](coding::Encoder& e) { e.container(Choice::keys).encode(true, Choice::keyText); })),
              refused("Unexpected call to `encode(_,forKey:)` while encoding a `ProtobufOneOf` enum"));
    EXPECT_EQ(protobufError(oneOf([](coding::Encoder& e) {
                  auto value = e.container(Choice::keys).nestedContainer(Choice::valueKeys, Choice::keyText);
                  value.encode(std::string("a"), Choice::valueKey);
                  value.encode(std::string("b"), Choice::valueKey);
              })),
              refused("Multiple calls to `encode(_,forKey:)` while encoding a `ProtobufOneOf` associated value"));
    EXPECT_EQ(protobufError(oneOf([](coding::Encoder& e) { e.singleValueContainer().encode(true); })),
              refused("Unexpected call to `singleValueContainer()` while encoding a `ProtobufOneOf` type"));
    // A later case replaces the first; the key of the value does not matter.
    EXPECT_EQ(encoded(oneOf([](coding::Encoder& e) {
                  auto c = e.container(Choice::keys);
                  c.nestedContainer(Choice::valueKeys, Choice::keyText).encode(std::string("a"), Choice::valueKey);
                  c.nestedContainer(Choice::valueKeys, Choice::keyNumber).encode(std::int64_t{2}, CodingKey("any"));
              })),
              bytes({0xF0, 0x01, 0x02}));
}

TEST(ProtobufEncoding, SuperEncodersAreRefusedAtTheirFirstWrite) {
    EXPECT_NO_THROW(encoded(Writes{[](auto& c) { c.superEncoder(); }}));
    EXPECT_EQ(protobufError(Writes{[](auto& c) { c.superEncoder()->singleValueContainer().encodeNil(); }}),
              ProtobufEncodingError(Kind::superNotSupported));
    EXPECT_EQ(protobufError(Writes{[](auto& c) {
                  c.superEncoder(CodingKey("a", 1))->container(Inner::keys).encode(std::int64_t{1}, Inner::keyNumber);
              }}),
              ProtobufEncodingError(Kind::superNotSupported));
}

TEST(ProtobufEncodingDeathTest, MisuseStopsTheProgramWithAMessage) {
    struct TwoContainers {
        void encode(coding::Encoder& encoder) const {
            encoder.container(Inner::keys);
            encoder.unkeyedContainer();
        }
    };
    EXPECT_DEATH(encoded(TwoContainers{}), "ProtoEncodingNode.*Multiple calls to `container<>\\(keyedBy:\\)`");
    EXPECT_DEATH(encoded(Field<1, OddMap>{}), "ProtoDictUnkeyedEncoder.*not in nested containers");
    EXPECT_DEATH(encoded(Field<1, OneOfWrites>{{[](coding::Encoder& e) {
                     e.container(Choice::keys);
                     e.container(Choice::keys);
                 }}}),
                 "OneOfEncodingNode.*Multiple calls to `container<>\\(keyedBy:\\)` while encoding a `ProtobufOneOf` type");
}

} // namespace
