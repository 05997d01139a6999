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

BinaryDecoder withNilIndices() {
    BinaryDecoder decoder;
    decoder.containsNilIndexSetForUnkeyedContainers = true;
    return decoder;
}

struct Named {
    std::string name;
    static inline const CodingKey keyName{"name"};
    static inline const KeySet keys{keyName};
    static Named decode(coding::Decoder& decoder) { return Named{decoder.container(keys).decode<std::string>(keyName)}; }
};

TEST(UnkeyedDecoding, AnEmptyListEndsAtOnce) {
    probe({}, [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_TRUE(list.isAtEnd());
        EXPECT_EQ(list.count(), std::nullopt);
        EXPECT_CORRUPT(list.decode<std::int64_t>(), "Premature end of data", "0");
        EXPECT_EQ(list.currentIndex(), 1); // a failed element counts
    });
    EXPECT_TRUE(BinaryDecoder().decode<std::vector<std::string>>(Bytes{}).empty());
}

TEST(UnkeyedDecoding, ElementsLieBackToBack) {
    const Bytes texts = Writer().text("In").text("the").text("");
    EXPECT_EQ(BinaryDecoder().decode<std::vector<std::string>>(texts), (std::vector<std::string>{"In", "the", ""}));

    const Bytes records = Writer().prefixed(Writer().textEntry("name", "a")).prefixed(Writer().textEntry("name", "b"));
    const auto named = BinaryDecoder().decode<std::vector<Named>>(records);
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[1].name, "b");

    const Bytes mixed = Writer().raw({0xFE}).raw({0x34, 0x12}).raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}).zigzag(-2);
    probe(mixed, [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_EQ(list.decode<std::int8_t>(), -2);
        EXPECT_EQ(list.decode<std::uint16_t>(), 0x1234);
        EXPECT_EQ(list.decode<double>(), 1.0);
        EXPECT_EQ(list.decode<std::int32_t>(), -2);
        EXPECT_TRUE(list.isAtEnd());
    });

    const Bytes nested = Writer().prefixed(Writer().zigzag(1).zigzag(2)).prefixed({});
    EXPECT_EQ(BinaryDecoder().decode<std::vector<std::vector<std::int64_t>>>(nested),
              (std::vector<std::vector<std::int64_t>>{{1, 2}, {}}));
}

// A decoded list makes room judged by its first element: elements unlike the first still all
// arrive, and however small the first, the room never takes more memory than the bytes left.
TEST(UnkeyedDecoding, AListsRoomIsJudgedByItsFirstElement) {
    const std::string longText(200, 'x');
    for (const bool firstIsShort : {true, false}) {
        std::vector<std::string> texts{firstIsShort ? "" : longText};
        for (int i = 0; i < 300; ++i)
            texts.push_back(firstIsShort ? (i % 7 == 0 ? longText : "") : "ab");
        Writer writer;
        for (const std::string& text : texts)
            writer.text(text);
        const Bytes bytes = writer;
        const auto decoded = BinaryDecoder().decode<std::vector<std::string>>(bytes);
        EXPECT_EQ(decoded, texts);
        EXPECT_LE(decoded.capacity(), std::max(2 * texts.size(), 1 + bytes.size() / sizeof(std::string)));
    }
}

TEST(UnkeyedDecoding, OptionalElementsCarryAMarker) {
    const Bytes input{0x00, 0x01, 0x0A, 0x00};
    EXPECT_EQ(BinaryDecoder().decode<std::vector<std::optional<std::int64_t>>>(input),
              (std::vector<std::optional<std::int64_t>>{std::nullopt, 5, std::nullopt}));
    const Bytes texts = Writer().raw({1}).text("ab").raw({0}).raw({1}).text("");
    EXPECT_EQ(BinaryDecoder().decode<std::vector<std::optional<std::string>>>(texts),
              (std::vector<std::optional<std::string>>{"ab", std::nullopt, ""}));
    const Bytes records = Writer().raw({0}).raw({1}).prefixed(Writer().textEntry("name", "c"));
    const auto named = BinaryDecoder().decode<std::vector<std::optional<Named>>>(records);
    ASSERT_EQ(named.size(), 2u);
    EXPECT_FALSE(named[0]);
    EXPECT_EQ(named[1]->name, "c");
}

TEST(UnkeyedDecoding, NilIndicesComeFirst) {
    // Two nil positions, 1 and 2, then one Int.
    const Bytes input = Writer().raw({2, 1, 2}).zigzag(9);
    probe(input, [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_FALSE(list.decodeNil());
        EXPECT_EQ(list.decode<std::int64_t>(), 9);
        EXPECT_FALSE(list.isAtEnd());
        EXPECT_TRUE(list.decodeNil());
        EXPECT_TRUE(list.decodeNil());
        EXPECT_TRUE(list.isAtEnd());
        EXPECT_EQ(list.currentIndex(), 3);
    }, withNilIndices());

    // decodeIfPresent asks for nil first.
    probe(Writer().raw({1, 0}).zigzag(4), [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_EQ(list.decodeIfPresent<std::int64_t>(), std::nullopt);
        EXPECT_EQ(list.decodeIfPresent<std::int64_t>(), 4);
        EXPECT_EQ(list.decodeIfPresent<std::int64_t>(), std::nullopt);
    }, withNilIndices());

    // Repeats collapse; a position never reached does no harm.
    probe(Writer().raw({3, 0, 0, 7}).zigzag(-1), [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_TRUE(list.decodeNil());
        EXPECT_FALSE(list.decodeNil());
        EXPECT_EQ(list.decode<std::int64_t>(), -1);
        EXPECT_TRUE(list.isAtEnd());
    }, withNilIndices());

    EXPECT_TRUE(withNilIndices().decode<std::vector<std::int64_t>>(Bytes{0}).empty());
}

TEST(UnkeyedDecoding, FaultsInTheNilIndexSet) {
    const Bytes negative = Writer().raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_CORRUPT(withNilIndices().decode<std::vector<std::int64_t>>(negative), "Invalid data size", "");
    EXPECT_CORRUPT(withNilIndices().decode<std::vector<std::int64_t>>(Bytes{3, 1}), "Premature end of data", "");
    EXPECT_CORRUPT(withNilIndices().decode<std::vector<std::int64_t>>(Writer().varint(1ull << 60).raw({0})),
                   "Premature end of data", "");
    EXPECT_CORRUPT(withNilIndices().decode<std::vector<std::int64_t>>(Bytes{2, 0x80, 0x80}), "Premature end of data",
                   "");
    EXPECT_CORRUPT(withNilIndices().decode<std::vector<std::int64_t>>(Bytes{}), "Premature end of data", "");
}

TEST(UnkeyedDecoding, FailuresNameThePosition) {
    auto error = decodingErrorOf(
        [] { BinaryDecoder().decode<std::vector<std::int32_t>>(Writer().zigzag(1).zigzag(2).varint(1ull << 33)); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "Encoded variable-length integer out of range");
    ASSERT_EQ(error->codingPath().size(), 1u);
    EXPECT_EQ(error->codingPath()[0].stringValue, "2");
    EXPECT_EQ(error->codingPath()[0].intValue, 2);

    const Bytes badRecord = Writer().prefixed(Writer().textEntry("name", "a")).prefixed(Writer().textEntry("name", "b"))
                                .prefixed(Writer().stringKey("name", DataType::variableLength).raw({5, 'x'}));
    EXPECT_CORRUPT(BinaryDecoder().decode<std::vector<Named>>(badRecord), "Premature end of data", "2.name");

    const Bytes shortRecord = Writer().prefixed(Writer().textEntry("name", "a")).raw({9, 0x18});
    EXPECT_CORRUPT(BinaryDecoder().decode<std::vector<Named>>(shortRecord), "Premature end of data", "1");

    probe(Writer().prefixed({}).prefixed({}).prefixed(Writer().raw({0x14})), [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        (void)list.nestedContainer(Named::keys);
        (void)list.nestedUnkeyedContainer();
        EXPECT_CORRUPT(list.nestedContainer(Named::keys), "Unknown data type 4", "2");
        EXPECT_CORRUPT(list.nestedUnkeyedContainer(), "Premature end of data", "3");
        EXPECT_EQ(list.currentIndex(), 4);
    });

    probe(Writer().prefixed(Writer().prefixed({}).raw({0x80})), [](coding::Decoder& decoder) {
        auto outer = decoder.unkeyedContainer();
        auto inner = outer.nestedUnkeyedContainer();
        (void)inner.nestedUnkeyedContainer();
        EXPECT_CORRUPT(inner.decode<std::int64_t>(), "Premature end of data", "1");
    });
}

TEST(UnkeyedDecoding, SuperDecoderReadsTheNextElement) {
    probe(Writer().zigzag(3).text("abc"), [](coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        EXPECT_EQ(list.superDecoder()->singleValueContainer().decode<std::int64_t>(), 3);
        EXPECT_EQ(list.currentIndex(), 1);
        EXPECT_EQ(list.superDecoder()->singleValueContainer().decode<std::string>(), "abc");
        EXPECT_TRUE(list.isAtEnd());
    });
}

TEST(UnkeyedDecoding, MapsWithOtherKeysAlternateKeysAndValues) {
    const Bytes input = Writer().zigzag(1).text("one").zigzag(2).text("two");
    EXPECT_EQ((BinaryDecoder().decode<std::map<std::int32_t, std::string>>(input)),
              (std::map<std::int32_t, std::string>{{1, "one"}, {2, "two"}}));
}

} // namespace
