#include "DecoderProbe.h"
#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryDecoder.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

namespace {

using namespace decodertest;
using coding::BinaryDecoder;
using coding::CodingKey;
using coding::KeySet;


// A text that describes itself as a single value, as record fields with a wrapper type do.
struct Title {
    std::string text;
    static Title decode(coding::Decoder& decoder) { return Title{decoder.singleValueContainer().decode<std::string>()}; }
};

TEST(SingleValueDecoding, TheNilMarker) {
    probe(Bytes{0}, [](coding::Decoder& decoder) { EXPECT_TRUE(decoder.singleValueContainer().decodeNil()); });
    probe(Bytes{7}, [](coding::Decoder& decoder) { EXPECT_FALSE(decoder.singleValueContainer().decodeNil()); });
    // No byte at all counts as a value, whose read then fails.
    probe(Bytes{}, [](coding::Decoder& decoder) {
        auto single = decoder.singleValueContainer();
        EXPECT_FALSE(single.decodeNil());
        EXPECT_CORRUPT(single.decode<std::int64_t>(), "Premature end of data", "");
    });
}

TEST(SingleValueDecoding, TopLevelValues) {
    EXPECT_EQ(BinaryDecoder().decode<std::string>(Bytes{'a', 'b', 'c'}), "abc"); // the whole buffer, no prefix
    EXPECT_EQ(BinaryDecoder().decode<std::string>(Bytes{}), "");
    EXPECT_EQ(BinaryDecoder().decode<coding::Data>(Bytes{0, 1}), (coding::Data{0, 1}));
    EXPECT_EQ(BinaryDecoder().decode<std::int64_t>(Bytes{0x03, 0x99}), -2); // later bytes are ignored
    EXPECT_EQ(BinaryDecoder().decode<bool>(Bytes{1}), true);
    EXPECT_EQ(BinaryDecoder().decode<float>(Bytes{0x3F, 0x80, 0, 0}), 1.0f);
    EXPECT_EQ(BinaryDecoder().decode<coding::FixedSize<std::int32_t>>(Bytes{1, 0, 0, 0}).wrappedValue, 1);
    EXPECT_EQ(BinaryDecoder().decode<Title>(Bytes{'h', 'i'}).text, "hi");
    EXPECT_CORRUPT(BinaryDecoder().decode<std::string>(Bytes{0xC3}), "Invalid string", "");
    EXPECT_CORRUPT(BinaryDecoder().decode<std::uint16_t>(Bytes{1}), "Premature end of data", "");
}

TEST(SingleValueDecoding, TopLevelOptionals) {
    using OptionalText = std::optional<std::string>;
    EXPECT_EQ(BinaryDecoder().decode<OptionalText>(Bytes{0}), std::nullopt);
    EXPECT_EQ(BinaryDecoder().decode<OptionalText>(Writer().raw({1}).text("abc")), "abc");
    EXPECT_EQ(BinaryDecoder().decode<OptionalText>(Writer().raw({1}).text("")), "");
    EXPECT_EQ(BinaryDecoder().decode<std::optional<std::int64_t>>(Bytes{1, 0x0A}), 5);
    EXPECT_EQ(BinaryDecoder().decode<std::optional<Point>>(Writer().raw({1}).prefixed(Writer().intEntry("x", 1).intEntry("y", 2))),
              (Point{1, 2}));
    EXPECT_EQ(BinaryDecoder().decode<std::optional<Title>>(Writer().raw({1}).text("t"))->text, "t");

    using Twice = std::optional<std::optional<std::int64_t>>;
    EXPECT_EQ(BinaryDecoder().decode<Twice>(Bytes{0}), std::nullopt);
    EXPECT_EQ(BinaryDecoder().decode<Twice>(Bytes{1, 0}), Twice(std::optional<std::int64_t>()));
    EXPECT_EQ(BinaryDecoder().decode<Twice>(Bytes{1, 1, 0x0A}), Twice(5));

    EXPECT_CORRUPT(BinaryDecoder().decode<OptionalText>(Bytes{1, 5, 'a'}), "Premature end of data", "");
}

TEST(SingleValueDecoding, WrappedTextWhereverItStands) {
    const CodingKey key("title");
    probe(Writer().textEntry("title", "under a key").stringKey("maybe", DataType::variableLength)
              .prefixed(Writer().raw({1}).text("optional")),
          [&](coding::Decoder& decoder) {
              const KeySet keys{key, CodingKey("maybe")};
              auto c = decoder.container(keys);
              EXPECT_EQ(c.decode<Title>(key).text, "under a key");
              EXPECT_EQ(c.decode<std::optional<Title>>(CodingKey("maybe"))->text, "optional");
          });
    const auto titles = BinaryDecoder().decode<std::vector<Title>>(Writer().text("a").text("bc"));
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[1].text, "bc");
}

TEST(SingleValueDecoding, ReadsContinueThroughTheKeptReader) {
    probe(Bytes{0x02, 0x04, 0x01}, [](coding::Decoder& decoder) {
        auto single = decoder.singleValueContainer();
        EXPECT_EQ(single.decode<std::int64_t>(), 1);
        EXPECT_EQ(single.decode<std::int64_t>(), 2);
        EXPECT_FALSE(single.decodeNil());
    });
}

} // namespace
