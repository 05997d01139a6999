// The standard types' own coding, seen through the JSON coder.

#include "JsonTestRecords.h"

#include <limits>
#include <map>
#include <set>
#include <nlohmann/json.hpp>

namespace jsontest {

enum class Color : std::int64_t { red = 1, green = 2, blue = 4 };

} // namespace jsontest

template <>
struct coding::RawValueEnum<jsontest::Color> {
    static constexpr bool enabled = true;
    static constexpr std::string_view name = "Color";
    static bool isValid(std::int64_t raw) { return raw == 1 || raw == 2 || raw == 4; }
};

namespace jsontest {
namespace {

using coding::Data;
using coding::DecodingError;
using coding::describePath;
using coding::JsonDecoder;

// A key type that is neither a string nor an integer.
struct Point {
    std::int64_t x = 0, y = 0;
    static inline const CodingKey keyX{"x"}, keyY{"y"};
    static inline const KeySet keys{keyX, keyY};
    void encode(Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(x, keyX);
        c.encode(y, keyY);
    }
    static Point decode(Decoder& decoder) {
        auto c = decoder.container(keys);
        return Point{c.decode<std::int64_t>(keyX), c.decode<std::int64_t>(keyY)};
    }
    friend auto operator<=>(const Point&, const Point&) = default;
};

TEST(CodableThroughJson, ListsAndSets) {
    const std::vector<std::string> words{"in", "the", "beginning"};
    EXPECT_EQ(encodeToText(words), R"(["in","the","beginning"])");
    EXPECT_EQ(roundTrip(words), words);
    EXPECT_EQ(encodeToText(std::vector<bool>{true, false}), "[true,false]");
    EXPECT_EQ(roundTrip(std::vector<bool>{true, false, true}), (std::vector<bool>{true, false, true}));
    const std::set<std::int64_t> numbers{3, -1, 2};
    EXPECT_EQ(encodeToText(numbers), "[-1,2,3]");
    EXPECT_EQ(roundTrip(numbers), numbers);
    EXPECT_EQ(encodeToText(std::vector<std::int64_t>{}), "[]");
}

TEST(CodableThroughJson, TextsAndNumbersAreWrittenAsTheDocumentWriterWritesThem) {
    // Texts without a character to escape go out as they are; every other text and number must
    // come out byte for byte as nlohmann-json's writer makes it.
    const std::vector<std::string> texts{"", "plain", "말씀", "a\"b", "back\\slash", "tab\tnew\nline",
                                         std::string("nul\0x", 5), "\x01\x1f\x7f", "end\\"};
    EXPECT_EQ(encodeToText(texts), nlohmann::ordered_json(texts).dump());
    const std::map<std::string, std::int64_t> keys{{"q\"uote", 1}, {"\u0007bell", 2}};
    EXPECT_EQ(encodeToText(keys), nlohmann::ordered_json(keys).dump());
    const std::vector<double> reals{0.0, -0.0, 1.0, 0.1, -2.5e-300, 1e300, 123456789.125};
    EXPECT_EQ(encodeToText(reals), nlohmann::ordered_json(reals).dump());
    const std::vector<std::int64_t> integers{0, -1, std::numeric_limits<std::int64_t>::min(),
                                             std::numeric_limits<std::int64_t>::max()};
    EXPECT_EQ(encodeToText(integers), nlohmann::ordered_json(integers).dump());
    EXPECT_EQ(encodeToText(std::vector<std::uint64_t>{std::numeric_limits<std::uint64_t>::max()}),
              "[18446744073709551615]");
}

TEST(CodableThroughJson, BytesAsDataAndAsAList) {
    EXPECT_EQ(encodeToText(Data{0, 1, 2, 255}), R"("AAEC/w==")");
    EXPECT_EQ(encodeToText(std::vector<std::uint8_t>{0, 1, 2, 255}), "[0,1,2,255]");
    for (const Data& data : {Data{}, Data{1}, Data{1, 2}, Data{1, 2, 3}, Data{std::string_view("any carnal pleasure.")}})
        EXPECT_EQ(roundTrip(data), data);
    EXPECT_EQ(roundTrip(std::vector<std::uint8_t>{9, 8}), (std::vector<std::uint8_t>{9, 8}));
    EXPECT_EQ(JsonDecoder().decode<Data>(R"("TWFu")"), Data(std::string_view("Man")));
}

TEST(CodableThroughJson, MapsByKeyType) {
    const std::map<std::string, std::int64_t> named{{"b", 2}, {"a", 1}, {"가", 3}};
    EXPECT_EQ(encodeToText(named), R"({"a":1,"b":2,"가":3})");
    EXPECT_EQ(roundTrip(named), named);

    // Integer keys are JSON strings holding decimals.
    const std::map<std::int64_t, std::string> numbered{{-5, "x"}, {10, "y"}};
    EXPECT_EQ(encodeToText(numbered), R"({"-5":"x","10":"y"})");
    EXPECT_EQ(roundTrip(numbered), numbered);

    // Any other key type: a flat list of key, value, key, value.
    const std::map<Point, std::string> placed{{{1, 2}, "a"}, {{0, 5}, "b"}};
    EXPECT_EQ(encodeToText(placed), R"([{"x":0,"y":5},"b",{"x":1,"y":2},"a"])");
    EXPECT_EQ(roundTrip(placed), placed);
    const auto error = decodingError<std::map<Point, std::string>>(R"([{"x":0,"y":5}])");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::dataCorrupted);
}

TEST(CodableThroughJson, SharedValuesAreCodedAsTheValueAndDecodedApart) {
    const auto shared = std::make_shared<Address>(Address{"Seoul", std::nullopt});
    const std::vector<std::shared_ptr<Address>> twice{shared, shared};
    EXPECT_EQ(encodeToText(twice), R"([{"city":"Seoul"},{"city":"Seoul"}])");
    const auto decoded = roundTrip(twice);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_EQ(*decoded[0], *shared);
    EXPECT_NE(decoded[0], decoded[1]);
    EXPECT_EQ(*roundTrip(std::make_shared<std::string>("text")), "text");
}

TEST(CodableThroughJson, Optionals) {
    const std::vector<std::optional<std::int64_t>> values{1, std::nullopt, 3};
    EXPECT_EQ(encodeToText(values), "[1,null,3]");
    EXPECT_EQ(roundTrip(values), values);
    const std::optional<Address> address = Address{"Lima", std::nullopt};
    EXPECT_EQ(roundTrip(address), address);
    EXPECT_EQ(JsonDecoder().decode<std::optional<Address>>("null"), std::nullopt);
}

TEST(CodableThroughJson, RawValueEnums) {
    const std::vector<Color> colors{Color::blue, Color::red};
    EXPECT_EQ(encodeToText(colors), "[4,1]");
    EXPECT_EQ(roundTrip(colors), colors);
    const auto error = decodingError<std::vector<Color>>("[1,2,3]");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::dataCorrupted);
    EXPECT_EQ(error->debugDescription(), "Cannot initialize Color from invalid Int value 3");
    EXPECT_EQ(describePath(error->codingPath()), "Index 2");
}

} // namespace
} // namespace jsontest
