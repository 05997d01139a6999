#include "JsonTestRecords.h"

#include <cmath>
#include <limits>

namespace jsontest {
namespace {

using coding::describePath;
using coding::EncodingError;

TEST(JsonEncodingErrors, NonFiniteNumbersAreInvalidValues) {
    Team team{"T", {Person{"A", 1, true, std::nan(""), {}, std::nullopt}}, {}};
    auto error = encodingError(team);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), EncodingError::Kind::invalidValue);
    EXPECT_EQ(describePath(error->codingPath()), "people.Index 0.score");
    EXPECT_EQ(error->debugDescription(), "Unable to encode Double.nan directly in JSON.");

    error = encodingError(std::vector<float>{1, -std::numeric_limits<float>::infinity()});
    ASSERT_TRUE(error);
    EXPECT_EQ(describePath(error->codingPath()), "Index 1");
    EXPECT_EQ(std::any_cast<float>(error->value()), -std::numeric_limits<float>::infinity());
}

TEST(JsonEncodingErrors, TextThatIsNotUtf8IsRefused) {
    auto error = encodingError(Address{"ok", std::string("bad \xC3\x28 byte")});
    ASSERT_TRUE(error);
    EXPECT_EQ(describePath(error->codingPath()), "street");
    EXPECT_EQ(error->debugDescription(), "String is not UTF-8");
    EXPECT_EQ(std::any_cast<std::string>(error->value()), "bad \xC3\x28 byte");

    // Overlong forms and encoded surrogates are not UTF-8 either.
    EXPECT_TRUE(encodingError(std::string("\xC0\xAF")));
    EXPECT_TRUE(encodingError(std::string("\xED\xA0\x80")));
    EXPECT_TRUE(encodingError(std::string("\xF4\x90\x80\x80")));

    // Dictionary keys are text from data as well.
    error = encodingError(Field<std::map<std::string, std::int64_t>>{{{"fine", 1}, {"\xFF", 2}}});
    ASSERT_TRUE(error);
    EXPECT_EQ(describePath(error->codingPath()), "v");
    EXPECT_EQ(error->debugDescription(), "Key is not UTF-8");
}

struct Note {
    std::string text;
    void encode(Encoder& encoder) const { encoder.singleValueContainer().encode(text); }
    static Note decode(Decoder& decoder) { return Note{decoder.singleValueContainer().decode<std::string>()}; }
};

TEST(JsonEncodingErrors, ANullSharedValueIsRefusedWithItsPlace) {
    std::vector<std::shared_ptr<Note>> notes{std::make_shared<Note>(Note{"a"}), nullptr};
    const auto error = encodingError(Field<std::vector<std::shared_ptr<Note>>>{notes});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "A shared value is null");
    EXPECT_EQ(describePath(error->codingPath()), "v.Index 1");
}

struct Silent {
    void encode(Encoder&) const {}
    static Silent decode(Decoder&) { return {}; }
};

TEST(JsonEncodingErrors, ATopLevelValueThatWritesNothing) {
    const auto error = encodingError(Silent{});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "Top-level Silent did not encode any values.");
    // Nested, it reads as an empty object, as in Swift.
    EXPECT_EQ(encodeToText(Field<Silent>{}), R"({"v":{}})");
    EXPECT_EQ(encodeToText(std::vector<Silent>(2)), "[{},{}]");
}

} // namespace
} // namespace jsontest
