#include "DecoderProbe.h"
#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace decodertest;
using coding::BinaryDecoder;
using coding::CodingKey;
using coding::DecodingError;
using coding::KeySet;


enum class Shade : std::int64_t { light = 0, dark = 1 };

// A record of every kind of field the keyed container hands out.
struct Sheet {
    std::string title;
    bool flag = false;
    Point origin;
    std::optional<std::int64_t> count;
    std::vector<std::int32_t> marks;
    Shade shade = Shade::light;

    static inline const CodingKey keyTitle{"title"}, keyFlag{"flag"}, keyOrigin{"origin"}, keyCount{"count"},
        keyMarks{"marks"}, keyShade{"shade"};
    static inline const KeySet keys{keyTitle, keyFlag, keyOrigin, keyCount, keyMarks, keyShade};

    static Sheet decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Sheet{c.decode<std::string>(keyTitle),
                     c.decode<bool>(keyFlag),
                     c.decode<Point>(keyOrigin),
                     c.decodeIfPresent<std::int64_t>(keyCount),
                     c.decode<std::vector<std::int32_t>>(keyMarks),
                     c.decode<Shade>(keyShade)};
    }
};

} // namespace

template <>
struct coding::RawValueEnum<Shade> {
    static constexpr bool enabled = true;
    static constexpr std::string_view name = "Shade";
    static bool isValid(std::int64_t raw) { return raw == 0 || raw == 1; }
};

namespace {

Bytes pointBytes(std::int64_t x, std::int64_t y) { return Writer().intEntry("x", x).intEntry("y", y); }

Bytes sheetBytes(const Bytes& origin = pointBytes(1, 2)) {
    return Writer()
        .textEntry("title", "Psalms")
        .boolEntry("flag", true)
        .recordEntry("origin", origin)
        .stringKey("marks", DataType::variableLength)
        .prefixed(Writer().zigzag(3).zigzag(-4))
        .intEntry("shade", 1);
}

TEST(KeyedDecoding, ReadsEveryKindOfField) {
    const Sheet sheet = BinaryDecoder().decode<Sheet>(sheetBytes());
    EXPECT_EQ(sheet.title, "Psalms");
    EXPECT_TRUE(sheet.flag);
    EXPECT_EQ(sheet.origin, (Point{1, 2}));
    EXPECT_FALSE(sheet.count);
    EXPECT_EQ(sheet.marks, (std::vector<std::int32_t>{3, -4}));
    EXPECT_EQ(sheet.shade, Shade::dark);
}

TEST(KeyedDecoding, AcceptsEntriesInAnyOrder) {
    const Bytes reversed = Writer().intEntry("y", 20).intEntry("x", 10);
    EXPECT_EQ(BinaryDecoder().decode<Point>(reversed), (Point{10, 20}));
    const Bytes withUnknown = Writer().textEntry("z", "ignored").intEntry("y", 2).intEntry("x", 1);
    EXPECT_EQ(BinaryDecoder().decode<Point>(withUnknown), (Point{1, 2}));
}

TEST(KeyedDecoding, AnEmptyContainerHoldsOnlyNils) {
    probe({}, [](coding::Decoder& decoder) {
        auto c = decoder.container(Point::keys);
        EXPECT_TRUE(c.allKeys().empty());
        EXPECT_TRUE(c.decodeNil(Point::keyX));
        EXPECT_FALSE(c.contains(Point::keyX));
        EXPECT_FALSE(c.decode<std::optional<std::int64_t>>(Point::keyX));
        EXPECT_FALSE(c.decodeIfPresent<Point>(Point::keyX));
        auto error = decodingErrorOf([&] { c.decode<std::int64_t>(Point::keyX); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), DecodingError::Kind::keyNotFound);
        EXPECT_EQ(error->key(), Point::keyX);
        EXPECT_EQ(error->debugDescription(), "Key not found");
    });
}

TEST(KeyedDecoding, AnEmptyTextIsPresent) {
    probe(Writer().textEntry("x", ""), [](coding::Decoder& decoder) {
        auto c = decoder.container(Point::keys);
        EXPECT_FALSE(c.decodeNil(Point::keyX));
        EXPECT_EQ(c.decode<std::string>(Point::keyX), "");
    });
}

TEST(KeyedDecoding, IntegerKeysAndTextKeysAreDifferentKeys) {
    const CodingKey minusOne("minusOne", -1), five("five", 5), textFive("5"), both("5", 5);
    const KeySet keys{minusOne, five, textFive};
    // Header -16: integer key -1, wire type variableLengthInteger, in the full nine bytes.
    const Bytes input = Writer()
                            .raw({0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                            .zigzag(-7)
                            .intKey(5, DataType::variableLengthInteger)
                            .zigzag(50)
                            .textEntry("5", "text");
    probe(input, [&](coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        EXPECT_EQ(c.decode<std::int64_t>(minusOne), -7);
        EXPECT_EQ(c.decode<std::int64_t>(five), 50);
        EXPECT_EQ(c.decode<std::string>(textFive), "text");
        EXPECT_TRUE(c.contains(both));
        EXPECT_FALSE(c.contains(CodingKey("five"))); // no integer, so it never matches an integer key
        EXPECT_EQ(c.allKeys(), (std::vector<CodingKey>{minusOne, five, textFive}));
    });
}

TEST(KeyedDecoding, AllKeysLeavesOutKeysTheRecordDoesNotKnow) {
    probe(Writer().intEntry("y", 1).intEntry("other", 2).intKey(9, DataType::byte).raw({0}),
          [](coding::Decoder& decoder) {
              EXPECT_EQ(decoder.container(Point::keys).allKeys(), (std::vector<CodingKey>{Point::keyY}));
          });
}

TEST(KeyedDecoding, AKeyMetTwiceIsCorrupt) {
    const Bytes twiceFive =
        Writer().intKey(5, DataType::byte).raw({1}).intKey(5, DataType::variableLengthInteger).raw({2});
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(twiceFive), "Multiple values for key 5", "");
    const Bytes twiceX = Writer().intEntry("x", 1).intEntry("y", 1).intEntry("x", 2);
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(twiceX), "Multiple values for key x", "");
}

// A record's own keys are told apart by their place among its keys, a key found where the last
// one ended without a search; the data's other keys by their bytes. Either way a repeat is found.
TEST(KeyedDecoding, RepeatsAreFoundWhereverTheKeysStand) {
    const KeySet point{Point::keyX, Point::keyY};
    const KeySet numbered{CodingKey("a", 1), CodingKey("b", 2)};
    const KeySet sharedText{CodingKey("a", 1), CodingKey("a", 2), CodingKey("a")};
    const KeySet textAndInteger{CodingKey("5", 5)};
    const KeySet notUtf8{CodingKey(std::string("\xFF"))};
    std::vector<CodingKey> manyKeys;
    Writer seventy;
    for (int i = 0; i < 70; ++i) {
        manyKeys.emplace_back("k" + std::to_string(i));
        seventy.intEntry("k" + std::to_string(i), i);
    }
    const KeySet many(manyKeys);
    const auto intEntry = [](std::int64_t key) { return Writer().intKey(key, DataType::byte).raw({1}).out; };
    struct Case {
        const char* name;
        const KeySet& keys;
        Bytes input;
        const char* error; // none when the input is sound
    };
    const Case cases[] = {
        {"in order, then again", point, Writer().intEntry("x", 1).intEntry("y", 1).intEntry("x", 2), "x"},
        {"twice in a row", point, Writer().intEntry("x", 1).intEntry("x", 2), "x"},
        {"out of order", point, Writer().intEntry("y", 1).intEntry("x", 1).intEntry("y", 2), "y"},
        {"unknown", point, Writer().textEntry("z", "").intEntry("x", 1).textEntry("z", ""), "z"},
        {"integers", numbered, Writer().raw(intEntry(1)).raw(intEntry(2)).raw(intEntry(1)), "1"},
        {"unknown integers", numbered, Writer().raw(intEntry(7)).raw(intEntry(1)).raw(intEntry(7)), "7"},
        {"shared text", sharedText, Writer().intEntry("a", 1).raw(intEntry(1)).intEntry("a", 2), "a"},
        {"sound, shared text", sharedText, Writer().raw(intEntry(1)).raw(intEntry(2)).intEntry("a", 1), nullptr},
        {"text and integer", textAndInteger, Writer().intEntry("5", 1).raw(intEntry(5)), nullptr},
        {"past 64 keys", many, Writer(seventy).intEntry("k65", 1), "k65"},
        {"sound, 70 keys", many, seventy.out, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.error) {
            probe(c.input, [&](coding::Decoder& decoder) { EXPECT_FALSE(decoder.container(c.keys).allKeys().empty()); });
            continue;
        }
        EXPECT_CORRUPT(probe(c.input, [&](coding::Decoder& decoder) { decoder.container(c.keys); }),
                       std::string("Multiple values for key ") + c.error, "");
    }
    // The text of a record's key that is not UTF-8 does not make the same bytes in the data valid.
    EXPECT_CORRUPT(probe(Writer().intEntry("\xFF", 1), [&](coding::Decoder& decoder) { decoder.container(notUtf8); }),
                   "Invalid string", "");
}

TEST(KeyedDecoding, ManyKeysAreFoundAndCheckedForRepeats) {
    Writer input;
    for (int i = 0; i < 500; ++i)
        input.intEntry(std::string(1, 'k').append(std::to_string(i)), i);
    const auto values = BinaryDecoder().decode<std::map<std::string, std::int64_t>>(input);
    ASSERT_EQ(values.size(), 500u);
    EXPECT_EQ(values.at("k0"), 0);
    EXPECT_EQ(values.at("k499"), 499);

    input.intEntry("k250", 1);
    EXPECT_CORRUPT((BinaryDecoder().decode<std::map<std::string, std::int64_t>>(input)),
                   "Multiple values for key k250", "");
}

TEST(KeyedDecoding, DictionariesWithIntegerKeys) {
    const Bytes input = Writer().intKey(3, DataType::variableLength).text("c").intKey(-1, DataType::variableLength).text("z");
    const auto values = BinaryDecoder().decode<std::map<std::int64_t, std::string>>(input);
    EXPECT_EQ(values, (std::map<std::int64_t, std::string>{{-1, "z"}, {3, "c"}}));
}

TEST(KeyedDecoding, FaultsInAKeyHeader) {
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Bytes{0x13}), "Unknown data type 3", "");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Bytes{0x14}), "Unknown data type 4", "");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Bytes{0x80}), "Premature end of data", "");
    // A text key whose header reads as negative.
    const Bytes negative = Writer().raw({0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(negative), "Invalid data size", "");
    // A text key longer than the data, also one whose length is near the top of the range.
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Bytes{0x38, 'a'}), "Premature end of data", "");
    const Bytes huge = Writer().varint((std::uint64_t{1} << 59) | 8).raw({'a'});
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(huge), "Premature end of data", "");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Bytes{0x18, 0xFF, 0x00}), "Invalid string", "");
}

TEST(KeyedDecoding, FaultsInAValueNameTheKey) {
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Writer().stringKey("x", DataType::eightBytes).raw({1, 2, 3})),
                   "Premature end of data", "x");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Writer().stringKey("x", DataType::variableLengthInteger).raw({0x80})),
                   "Premature end of data", "x");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Writer().stringKey("y", DataType::variableLength).varint(1u << 30)),
                   "Premature end of data", "y");
    const Bytes negativeLength =
        Writer().stringKey("y", DataType::variableLength).raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(negativeLength), "Invalid data size", "y");
}

TEST(KeyedDecoding, FaultsUnderAKeyTheRecordDoesNotKnowNameTheContainerAlone) {
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Writer().intKey(7, DataType::fourBytes).raw({1})),
                   "Premature end of data", "");
    EXPECT_CORRUPT(BinaryDecoder().decode<Point>(Writer().stringKey("z", DataType::eightBytes).raw({1})),
                   "Premature end of data", "");
    // Nested, the fault still gains the keys the records know on its way out.
    const Bytes origin = Writer().intEntry("x", 1).stringKey("z", DataType::variableLength).varint(5);
    EXPECT_CORRUPT(BinaryDecoder().decode<Sheet>(sheetBytes(origin)), "Premature end of data", "origin");
}

TEST(KeyedDecoding, ValueBytesOfTheWrongSizeFailInThePrimitive) {
    probe(Writer().stringKey("k", DataType::twoBytes).raw({0, 1}), [](coding::Decoder& decoder) {
        const KeySet keys{CodingKey("k")};
        auto c = decoder.container(keys);
        EXPECT_CORRUPT(c.decode<bool>(CodingKey("k")), "Invalid data size", "k");
    });
}

TEST(KeyedDecoding, PathsGrowOnTheWayOut) {
    // Field y of the origin record runs past the record's own bytes.
    Bytes origin = Writer().intEntry("x", 1).stringKey("y", DataType::eightBytes).raw({1, 2});
    EXPECT_CORRUPT(BinaryDecoder().decode<Sheet>(sheetBytes(origin)), "Premature end of data", "origin.y");
    origin = Writer().intEntry("x", 1).stringKey("y", DataType::variableLengthInteger).raw({0x80});
    EXPECT_CORRUPT(BinaryDecoder().decode<Sheet>(sheetBytes(origin)), "Premature end of data", "origin.y");

    // A value the record's own code rejects.
    const Bytes badShade = Writer().textEntry("title", "").boolEntry("flag", false).recordEntry("origin", pointBytes(0, 0))
                               .stringKey("marks", DataType::variableLength).prefixed({})
                               .intEntry("shade", 7);
    EXPECT_CORRUPT(BinaryDecoder().decode<Sheet>(badShade), "Cannot initialize Shade from invalid Int value 7",
                   "shade");

    // A list element inside a record.
    const Bytes badMark = Writer().textEntry("title", "").boolEntry("flag", false).recordEntry("origin", pointBytes(0, 0))
                              .stringKey("marks", DataType::variableLength).prefixed(Writer().zigzag(1).raw({0x80}))
                              .intEntry("shade", 0);
    auto error = decodingErrorOf([&] { BinaryDecoder().decode<Sheet>(badMark); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "Premature end of data");
    ASSERT_EQ(error->codingPath().size(), 2u);
    EXPECT_EQ(error->codingPath()[0], Sheet::keyMarks);
    EXPECT_EQ(error->codingPath()[1], CodingKey("1", 1));
}

TEST(KeyedDecoding, AMissingKeyInANestedRecordNamesWhereTheRecordIs) {
    auto error = decodingErrorOf([&] { BinaryDecoder().decode<Sheet>(sheetBytes(Writer().intEntry("x", 1))); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(error->key(), Point::keyY);
    EXPECT_EQ(pathText(error->codingPath()), "origin");
}

TEST(KeyedDecoding, NestedContainersByKey) {
    const CodingKey inner("inner"), list("list");
    const Bytes input = Writer().recordEntry("inner", pointBytes(4, 5)).stringKey("list", DataType::variableLength)
                            .prefixed(Writer().text("a").text("b"));
    probe(input, [&](coding::Decoder& decoder) {
        const KeySet keys{inner, list};
        auto c = decoder.container(keys);
        auto point = c.nestedContainer(Point::keys, inner);
        EXPECT_EQ(point.decode<std::int64_t>(Point::keyY), 5);
        auto strings = c.nestedUnkeyedContainer(list);
        EXPECT_EQ(strings.decode<std::string>(), "a");
        EXPECT_EQ(strings.decode<std::string>(), "b");
        EXPECT_TRUE(strings.isAtEnd());
        EXPECT_THROW(c.nestedContainer(Point::keys, CodingKey("absent")), DecodingError);
    });
    const Bytes broken = Writer().recordEntry("inner", Writer().raw({0x13}));
    probe(broken, [&](coding::Decoder& decoder) {
        const KeySet keys{inner, list};
        auto c = decoder.container(keys);
        EXPECT_CORRUPT(c.nestedContainer(Point::keys, inner), "Unknown data type 3", "inner");
    });
}

TEST(KeyedDecoding, SuperDecoderUnderTheTextOrTheIntegerKey) {
    for (const Bytes& input : {Bytes(Writer().recordEntry("super", pointBytes(1, 2))),
                               Bytes(Writer().intKey(0, DataType::variableLength).prefixed(pointBytes(1, 2)))}) {
        probe(input, [](coding::Decoder& decoder) {
            auto c = decoder.container(Point::keys);
            EXPECT_EQ(Point::decode(*c.superDecoder()), (Point{1, 2}));
        });
    }
    probe(pointBytes(1, 2), [](coding::Decoder& decoder) {
        auto c = decoder.container(Point::keys);
        auto error = decodingErrorOf([&] { c.superDecoder(); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), DecodingError::Kind::keyNotFound);
        // Under a key of its own choosing: a single value holding x.
        EXPECT_EQ(c.superDecoder(Point::keyX)->singleValueContainer().decode<std::int64_t>(), 1);
    });
}

TEST(KeyedDecoding, OptionalsUnderKeys) {
    const CodingKey number("number"), text("text"), point("point"), absent("absent");
    const KeySet keys{number, text, point, absent};
    const Bytes input = Writer()
                            .stringKey("number", DataType::variableLength).prefixed(Writer().raw({1}).zigzag(-3))
                            .stringKey("text", DataType::variableLength).prefixed(Writer().raw({1}).text("abc"))
                            .stringKey("point", DataType::variableLength).prefixed(Writer().raw({1}).prefixed(pointBytes(7, 8)));
    probe(input, [&](coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        EXPECT_EQ(c.decode<std::optional<std::int64_t>>(number), -3);
        EXPECT_EQ(c.decode<std::optional<std::string>>(text), "abc");
        EXPECT_EQ(c.decode<std::optional<Point>>(point), (Point{7, 8}));
        EXPECT_EQ(c.decode<std::optional<Point>>(absent), std::nullopt);
        EXPECT_EQ(c.decodeIfPresent<std::string>(absent), std::nullopt);
    });
}

TEST(KeyedDecoding, OverAByteSourceEachContainerIsTheNextOne) {
    coding::DataDecodingBuffer source;
    source.append(Writer().prefixed(pointBytes(1, 2)).prefixed(pointBytes(3, 4)));
    probe(source, [](coding::Decoder& decoder) {
        EXPECT_EQ(decoder.container(Point::keys).decode<std::int64_t>(Point::keyX), 1);
        EXPECT_EQ(decoder.container(Point::keys).decode<std::int64_t>(Point::keyY), 4);
    });
    EXPECT_FALSE(source.hasMoreBytes());
}

} // namespace
