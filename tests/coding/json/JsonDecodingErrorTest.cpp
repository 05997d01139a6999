#include "JsonTestRecords.h"

#include "coding/Utf8.h"

#include <gmock/gmock.h>

namespace jsontest {
namespace {

using coding::DecodingError;
using coding::describePath;
using testing::HasSubstr;
using Kind = DecodingError::Kind;

// Decoding `json` as T fails with `kind` at `path` ("a.Index 1.b").
template <class T>
void expectError(std::string_view json, Kind kind, std::string_view path) {
    SCOPED_TRACE(json);
    const auto error = decodingError<T>(json);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), kind) << error->what();
    EXPECT_EQ(describePath(error->codingPath()), path) << error->what();
}

constexpr std::string_view validTeam =
    R"({"title":"T","people":[{"name":"A","age":1,"active":true,"score":1,"addresses":[],"rank":null}],"byRole":{}})";

TEST(JsonDecodingErrors, MissingKeyIsKeyNotFoundWithTheKey) {
    const auto error = decodingError<Team>(
        R"({"title":"T","people":[{"name":"A","age":1,"active":true,"score":1,"addresses":[{"street":"s"}],"rank":1}],"byRole":{}})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::keyNotFound);
    EXPECT_EQ(error->key().stringValue, "city");
    // As in Swift, the path leads to the container that lacks the key.
    EXPECT_EQ(describePath(error->codingPath()), "people.Index 0.addresses.Index 0");
    EXPECT_THAT(error->what(), HasSubstr("city"));

    // A required optional still needs its key.
    expectError<Field<std::optional<std::int64_t>>>("{}", Kind::keyNotFound, "");
}

TEST(JsonDecodingErrors, NullForARequiredValueIsValueNotFound) {
    expectError<Person>(R"({"name":null})", Kind::valueNotFound, "name");
    expectError<Team>(R"({"title":"T","people":[null],"byRole":{}})", Kind::valueNotFound, "people.Index 0");
    expectError<Team>(R"({"title":"T","people":null,"byRole":{}})", Kind::valueNotFound, "people");
    expectError<std::vector<std::optional<std::string>>>(R"([null,"a",null,7])", Kind::typeMismatch, "Index 3");
    expectError<std::vector<std::string>>(R"(["a",null])", Kind::valueNotFound, "Index 1");
    expectError<std::int64_t>("null", Kind::valueNotFound, "");
}

TEST(JsonDecodingErrors, WrongJsonKindIsTypeMismatch) {
    expectError<Field<bool>>(R"({"v":1})", Kind::typeMismatch, "v");
    expectError<Field<bool>>(R"({"v":"true"})", Kind::typeMismatch, "v");
    expectError<Field<std::int64_t>>(R"({"v":"1"})", Kind::typeMismatch, "v");
    expectError<Field<std::int64_t>>(R"({"v":true})", Kind::typeMismatch, "v");
    expectError<Field<double>>(R"({"v":[1]})", Kind::typeMismatch, "v");
    expectError<Field<std::string>>(R"({"v":1})", Kind::typeMismatch, "v");
    expectError<Field<coding::Data>>(R"({"v":[1]})", Kind::typeMismatch, "v");
    expectError<Field<std::vector<std::int64_t>>>(R"({"v":{"0":1}})", Kind::typeMismatch, "v");
    expectError<Field<Address>>(R"({"v":["city"]})", Kind::typeMismatch, "v");
    expectError<Person>(R"("Ada")", Kind::typeMismatch, "");

    const auto error = decodingError<Field<std::int64_t>>(R"({"v":"1"})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->typeName(), "Int64");
    EXPECT_EQ(error->debugDescription(), "Expected to decode Int64 but found a string instead.");
}

TEST(JsonDecodingErrors, NumbersTheTypeCannotHoldAreDataCorrupted) {
    expectError<Field<std::int64_t>>(R"({"v":1.5})", Kind::dataCorrupted, "v");
    expectError<Field<std::int64_t>>(R"({"v":9223372036854775808})", Kind::dataCorrupted, "v");
    // Reads as exactly -2^63 in a double; must not be taken for Int64.min.
    expectError<Field<std::int64_t>>(R"({"v":-9223372036854775809})", Kind::dataCorrupted, "v");
    expectError<Field<std::int64_t>>(R"({"v":1e19})", Kind::dataCorrupted, "v");
    expectError<Field<std::uint64_t>>(R"({"v":18446744073709551616})", Kind::dataCorrupted, "v");
    expectError<Field<std::uint64_t>>(R"({"v":-1})", Kind::dataCorrupted, "v");
    expectError<Field<std::uint8_t>>(R"({"v":256})", Kind::dataCorrupted, "v");
    expectError<Field<std::int8_t>>(R"({"v":-129})", Kind::dataCorrupted, "v");
    expectError<Field<std::int32_t>>(R"({"v":2147483648})", Kind::dataCorrupted, "v");
    expectError<Field<coding::FixedSize<std::uint32_t>>>(R"({"v":-1})", Kind::dataCorrupted, "v");
    expectError<Field<float>>(R"({"v":1e39})", Kind::dataCorrupted, "v");
    expectError<Field<float>>(R"({"v":-3.4028236e38})", Kind::dataCorrupted, "v");

    const auto error = decodingError<Field<std::uint8_t>>(R"({"v":256})");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "Parsed JSON number <256> does not fit in UInt8.");
}

TEST(JsonDecodingErrors, BadBase64IsDataCorrupted) {
    expectError<Field<coding::Data>>(R"({"v":"AAE"})", Kind::dataCorrupted, "v");
    expectError<Field<coding::Data>>(R"({"v":"AA=E"})", Kind::dataCorrupted, "v");
    expectError<Field<coding::Data>>(R"({"v":"AA E"})", Kind::dataCorrupted, "v");
    expectError<Field<coding::Data>>(R"({"v":"===="})", Kind::dataCorrupted, "v");
}

TEST(JsonDecodingErrors, TextThatIsNotJsonIsDataCorruptedWithNoPath) {
    for (std::string_view json : {std::string_view(""), std::string_view("{"), std::string_view(R"({"city":"x",})"),
                                  std::string_view(R"({"city":'x'})"), std::string_view(R"({"city":"x"} x)"),
                                  std::string_view("[1e400]"), std::string_view("NaN"),
                                  // The parser takes a NUL byte for the end of the text.
                                  std::string_view("{\"city\":\"x\"}\0 x", 15),
                                  std::string_view("\0", 1)}) {
        SCOPED_TRACE(json);
        const auto error = decodingError<Address>(json);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), Kind::dataCorrupted);
        EXPECT_TRUE(error->codingPath().empty());
        EXPECT_THAT(error->debugDescription(), HasSubstr("not valid JSON"));
    }
    EXPECT_NO_THROW(coding::JsonDecoder().decode<Team>(validTeam));
}

TEST(JsonDecodingErrors, TextThatIsNotUtf8IsDataCorrupted) {
    for (std::string_view json : {std::string_view("\"\xFF\""), std::string_view("\"\xC0\xAF\""),
                                  std::string_view("\"\xED\xA0\x80\""), std::string_view(R"("\ud800")"),
                                  std::string_view("{\"\xFE\":1}")}) {
        const auto error = decodingError<std::string>(json);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), Kind::dataCorrupted);
        // The message quotes what it stopped at, without passing the bad bytes on.
        EXPECT_TRUE(coding::isValidUtf8(error->what())) << error->what();
    }
}

TEST(JsonDecodingErrors, PathsThroughDictionariesAndListsOfLists) {
    expectError<Team>(
        R"({"title":"T","people":[],"byRole":{"lead":{"name":"A","age":"old","active":true,"score":1,"addresses":[],"rank":null}}})",
        Kind::typeMismatch, "byRole.lead.age");
    expectError<std::vector<std::vector<std::int64_t>>>("[[1],[2,3.5]]", Kind::dataCorrupted, "Index 1.Index 1");
    expectError<std::map<std::int64_t, std::string>>(R"({"1":"a","x":"b"})", Kind::typeMismatch, "x");

    const auto error = decodingError<std::vector<std::vector<std::int64_t>>>("[[1],[2,3.5]]");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->codingPath().back().intValue, 1);
}

} // namespace
} // namespace jsontest
