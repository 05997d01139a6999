// What the containers' template fronts hand a coder, checked without one.

#include "coding/Coding.h"

#include <gtest/gtest.h>

namespace {

using namespace coding;

enum class Mode : std::int64_t { day = 0, night = 1 };

} // namespace

template <>
struct coding::RawValueEnum<Mode> {
    static constexpr bool enabled = true;
    static constexpr std::string_view name = "Mode";
    static bool isValid(std::int64_t raw) { return raw == 0 || raw == 1; }
};

namespace {

TEST(EncodeItem, DataIsOnePrimitiveAndAByteListIsAList) {
    const Data data{1, 2, 3};
    const auto blob = makeEncodeItem(data);
    EXPECT_EQ(blob.category, ValueCategory::primitive);
    ASSERT_EQ(kindOf(blob.primitive), PrimitiveKind::Data);
    EXPECT_EQ(std::get<std::span<const std::uint8_t>>(blob.primitive).data(), data.data()); // borrowed, not copied

    const std::vector<std::uint8_t> bytes{1, 2, 3};
    const auto list = makeEncodeItem(bytes);
    EXPECT_EQ(list.category, ValueCategory::other);
    EXPECT_EQ(list.typeName, "Array<UInt8>");
}

TEST(EncodeItem, OptionalsSayWhetherTheyHoldAValue) {
    const std::optional<std::int64_t> empty, full = 5;
    EXPECT_EQ(makeEncodeItem(empty).category, ValueCategory::optional);
    EXPECT_TRUE(makeEncodeItem(empty).isNil);
    EXPECT_FALSE(makeEncodeItem(full).isNil);
    EXPECT_EQ(makeEncodeItem(full).typeName, "Optional<Int64>");
}

TEST(EncodeItem, SharedValuesAreTheirPointee) {
    const auto text = std::make_shared<std::string>("shared");
    const auto item = makeEncodeItem(text);
    EXPECT_EQ(item.category, ValueCategory::primitive);
    EXPECT_EQ(std::get<std::string_view>(item.primitive).data(), text->data());
    // A null pointer is left to the container, so its error can name the container's key.
    const std::shared_ptr<std::string> null;
    EXPECT_EQ(makeEncodeItem(null).category, ValueCategory::other);
}

TEST(EncodeItem, RawValueEnumsAndMapsNameThemselves) {
    EXPECT_EQ(makeEncodeItem(Mode::night).typeName, "Mode");
    EXPECT_EQ(makeEncodeItem(Mode::night).category, ValueCategory::other);
    const std::map<std::int64_t, std::string> map;
    EXPECT_TRUE(makeEncodeItem(map).isMap);
    EXPECT_EQ(makeEncodeItem(map).typeName, "Dictionary<Int64, String>");
}

TEST(DecodeThrough, ReturnsWhatTheCoderAssigned) {
    EXPECT_EQ(decodeThrough<std::string>([](DecodeItem& item) {
                  EXPECT_EQ(item.primitiveKind, PrimitiveKind::String);
                  item.assign(PrimitiveValue(std::in_place_type<std::string>, "read"));
              }),
              "read");
    const auto shared = decodeThrough<std::shared_ptr<std::int32_t>>(
        [](DecodeItem& item) { item.assign(PrimitiveValue(std::in_place_type<std::int32_t>, 7)); });
    ASSERT_TRUE(shared);
    EXPECT_EQ(*shared, 7);
    EXPECT_EQ(decodeIfPresentThrough<std::int64_t>([](DecodeItem&) { return false; }), std::nullopt);
}

TEST(DecodeThroughDeathTest, ACoderThatProducesNothingStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(decodeThrough<std::int64_t>([](DecodeItem&) {}), "A coder returned without producing a value");
    EXPECT_DEATH(decodeThrough<std::int64_t>(
                     [](DecodeItem& item) { item.assign(PrimitiveValue(std::in_place_type<bool>, true)); }),
                 "A coder assigned a primitive of another kind");
}

} // namespace
