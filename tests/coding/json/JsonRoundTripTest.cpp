#include "JsonTestRecords.h"

#include <gmock/gmock.h>

#include <limits>

namespace jsontest {
namespace {

using coding::JsonDecoder;
using coding::JsonEncoder;

Person somePerson() {
    return Person{"Ada", 36, true, 0.5, {{"London", "St James's Square"}, {"Paris", std::nullopt}}, 3};
}

TEST(JsonEncoder, WritesCompactJsonWithKeysInTheOrderWritten) {
    EXPECT_EQ(encodeToText(somePerson()),
              R"({"name":"Ada","age":36,"active":true,"score":0.5,"addresses":[{"city":"London","street":"St James's Square"},{"city":"Paris"}],"rank":3})");
}

TEST(JsonRoundTrip, NestedRecords) {
    Team team{"Engine", {somePerson(), Person{"Charles", 79, false, -1.25, {}, std::nullopt}}, {}};
    team.byRole.emplace("lead", somePerson());
    team.byRole.emplace("", Person{"Nobody", 0, false, 0, {}, std::nullopt});
    EXPECT_EQ(roundTrip(team), team);
}

TEST(JsonRoundTrip, KoreanTextIsWrittenAsUtf8AndReadBack) {
    const Address address{"서울특별시", "태초에 하나님이 천지를 창조하시니라"};
    const std::string json = encodeToText(address);
    EXPECT_EQ(json, R"({"city":"서울특별시","street":"태초에 하나님이 천지를 창조하시니라"})");
    EXPECT_EQ(roundTrip(address), address);
    // Escaped forms, including a surrogate pair, read as the same text.
    EXPECT_EQ(JsonDecoder().decode<std::string>(R"("\uD0DC\ucd08 \ud83d\ude00")"), "태초 😀");
}

TEST(JsonRoundTrip, TextThatNeedsEscaping) {
    const std::string awkward = std::string("quote \" backslash \\ newline \n tab \t nul ") + '\0' + " bell \x07 /";
    const std::string json = encodeToText(awkward);
    EXPECT_EQ(json.find('\n'), std::string::npos);
    EXPECT_EQ(roundTrip(awkward), awkward);
}

TEST(JsonRoundTrip, IntegerExtremesAreExact) {
    using I64 = std::numeric_limits<std::int64_t>;
    using U64 = std::numeric_limits<std::uint64_t>;
    EXPECT_EQ(encodeToText(I64::min()), "-9223372036854775808");
    EXPECT_EQ(encodeToText(I64::max()), "9223372036854775807");
    EXPECT_EQ(encodeToText(U64::max()), "18446744073709551615");
    EXPECT_EQ(roundTrip(I64::min()), I64::min());
    EXPECT_EQ(roundTrip(I64::max()), I64::max());
    EXPECT_EQ(roundTrip(U64::max()), U64::max());
    // Next to 2^53, where a trip through double would round.
    EXPECT_EQ(roundTrip(std::int64_t{9007199254740993}), 9007199254740993);
    EXPECT_EQ(roundTrip(std::int8_t{-128}), -128);
    EXPECT_EQ(roundTrip(std::uint8_t{255}), 255);
    EXPECT_EQ(roundTrip(std::int16_t{-32768}), -32768);
    EXPECT_EQ(roundTrip(std::uint32_t{4294967295u}), 4294967295u);
}

TEST(JsonRoundTrip, WrappedIntegersAreWrittenPlain) {
    using coding::FixedSize;
    using coding::SignedValue;
    EXPECT_EQ(encodeToText(FixedSize<std::uint64_t>::max()), "18446744073709551615");
    EXPECT_EQ(encodeToText(SignedValue<std::int32_t>(-7)), "-7");
    EXPECT_EQ(roundTrip(FixedSize<std::int64_t>::min()), FixedSize<std::int64_t>::min());
    EXPECT_EQ(roundTrip(SignedValue<std::int64_t>::max()), SignedValue<std::int64_t>::max());
    EXPECT_EQ(JsonDecoder().decode<FixedSize<std::int32_t>>("-2147483648"), FixedSize<std::int32_t>::min());
}

TEST(JsonRoundTrip, FloatingPoint) {
    EXPECT_EQ(encodeToText(0.1), "0.1");
    // A float is written by its own shortest form, not by the digits of its widened double.
    EXPECT_EQ(encodeToText(0.1f), "0.1");
    EXPECT_EQ(roundTrip(0.1f), 0.1f);
    EXPECT_EQ(roundTrip(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
    EXPECT_EQ(roundTrip(std::numeric_limits<float>::denorm_min()), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(roundTrip(std::numeric_limits<double>::max()), std::numeric_limits<double>::max());
    EXPECT_EQ(roundTrip(-1.0 / 3.0), -1.0 / 3.0);
    // Integers read as floating point, and integral numbers in any spelling as integers.
    EXPECT_EQ(JsonDecoder().decode<double>("18446744073709551615"), 18446744073709551615.0);
    EXPECT_EQ(JsonDecoder().decode<float>("-3"), -3.0f);
    EXPECT_EQ(JsonDecoder().decode<std::int64_t>("2.0"), 2);
    EXPECT_EQ(JsonDecoder().decode<std::int64_t>("1e2"), 100);
    EXPECT_EQ(JsonDecoder().decode<std::uint8_t>("-0.0"), 0);
}

TEST(JsonRoundTrip, TopLevelFragmentsAndNull) {
    EXPECT_EQ(encodeToText(true), "true");
    EXPECT_EQ(encodeToText(std::string("x")), R"("x")");
    EXPECT_EQ(encodeToText(std::optional<std::int64_t>()), "null");
    EXPECT_EQ(JsonDecoder().decode<std::optional<std::int64_t>>(" null "), std::nullopt);
    EXPECT_EQ(JsonDecoder().decode<std::optional<std::int64_t>>("7"), 7);
    // A leading byte order mark is not part of the value.
    EXPECT_EQ(JsonDecoder().decode<std::int64_t>("\xEF\xBB\xBF" "5"), 5);
}

TEST(JsonRoundTrip, OptionalFieldsPresentAbsentAndNull) {
    // encodeIfPresent leaves the key out; encode of an empty optional writes null.
    EXPECT_EQ(encodeToText(Address{"Rome", std::nullopt}), R"({"city":"Rome"})");
    EXPECT_EQ(encodeToText(Field<std::optional<std::string>>{}), R"({"v":null})");

    JsonDecoder decoder;
    EXPECT_EQ(decoder.decode<Address>(R"({"city":"Rome"})").street, std::nullopt);
    EXPECT_EQ(decoder.decode<Address>(R"({"city":"Rome","street":null})").street, std::nullopt);
    EXPECT_EQ(decoder.decode<Address>(R"({"city":"Rome","street":"Via Appia"})").street, "Via Appia");
    EXPECT_EQ(decoder.decode<Field<std::optional<std::string>>>(R"({"v":null})").v, std::nullopt);
    EXPECT_EQ(decoder.decode<Field<std::optional<std::string>>>(R"({"v":"x"})").v, "x");
}

TEST(JsonRoundTrip, UnknownKeysAreIgnored) {
    const auto address = JsonDecoder().decode<Address>(
        R"({"zip":{"deep":[1,2,{"x":null}]},"city":"Oslo","extra":[true],"street":"Karl Johans gate","z":1e300})");
    EXPECT_EQ(address, (Address{"Oslo", "Karl Johans gate"}));
}

TEST(JsonRoundTrip, AKeyGivenTwiceTakesTheLastValue) {
    EXPECT_EQ(JsonDecoder().decode<Address>(R"({"city":"A","city":"B"})").city, "B");
    // ... also in a large object, and it is listed once.
    std::string json = "{";
    for (int i = 0; i < 40; ++i)
        json += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
    json += R"("k3":-3})";
    const auto map = JsonDecoder().decode<std::map<std::string, std::int64_t>>(json);
    EXPECT_EQ(map.size(), 40u);
    EXPECT_EQ(map.at("k3"), -3);
    EXPECT_EQ(map.at("k39"), 39);
}

// A recursive type: how deep it reads is up to the data.
struct Tree {
    std::vector<Tree> children;

    void encode(Encoder& encoder) const {
        auto c = encoder.unkeyedContainer();
        for (const auto& child : children)
            c.encode(child);
    }
    static Tree decode(Decoder& decoder) { return Tree{coding::Codable<std::vector<Tree>>::decode(decoder)}; }
    std::size_t depth() const { return children.empty() ? 1 : 1 + children.front().depth(); }
};

TEST(JsonRoundTrip, NestingUpToTheLimitAndNoFurther) {
    constexpr std::size_t limit = 512;
    const auto nested = [](std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    EXPECT_EQ(JsonDecoder().decode<Tree>(nested(limit)).depth(), limit);

    const auto error = decodingError<Tree>(nested(limit + 1));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), coding::DecodingError::Kind::dataCorrupted);
    EXPECT_THAT(error->debugDescription(), testing::HasSubstr("Too many nested arrays or dictionaries"));
}

} // namespace
} // namespace jsontest
