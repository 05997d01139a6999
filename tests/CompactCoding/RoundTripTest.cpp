// Values written by BinaryEncoder read back equal through BinaryDecoder, under every option.

#include "app/model/BibleStructure.h"
#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <type_traits>

namespace {

using coding::BinaryDecoder;
using coding::BinaryEncoder;
using coding::CodingKey;
using coding::KeySet;

// Every primitive kind, at its edges.
struct Primitives {
    bool flag = false;
    std::int8_t i8 = 0;
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::uint16_t u16 = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    std::int64_t i64 = 0;
    std::uint64_t u64 = 0;
    float f = 0;
    double d = 0;
    std::string text;
    coding::Data blob;
    coding::FixedSize<std::int64_t> fixed;
    coding::FixedSize<std::uint32_t> fixed32;
    coding::SignedValue<std::int32_t> signed32;

    static inline const CodingKey k1{"flag"}, k2{"i8"}, k3{"u8"}, k4{"i16"}, k5{"u16"}, k6{"i32"}, k7{"u32"},
        k8{"i64"}, k9{"u64"}, k10{"f"}, k11{"d"}, k12{"text"}, k13{"blob"}, k14{"fixed"}, k15{"fixed32"},
        k16{"signed32"};
    static inline const KeySet keys{k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, k11, k12, k13, k14, k15, k16};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(flag, k1), c.encode(i8, k2), c.encode(u8, k3), c.encode(i16, k4), c.encode(u16, k5);
        c.encode(i32, k6), c.encode(u32, k7), c.encode(i64, k8), c.encode(u64, k9), c.encode(f, k10);
        c.encode(d, k11), c.encode(text, k12), c.encode(blob, k13), c.encode(fixed, k14), c.encode(fixed32, k15);
        c.encode(signed32, k16);
    }
    static Primitives decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Primitives{c.decode<bool>(k1),
                          c.decode<std::int8_t>(k2),
                          c.decode<std::uint8_t>(k3),
                          c.decode<std::int16_t>(k4),
                          c.decode<std::uint16_t>(k5),
                          c.decode<std::int32_t>(k6),
                          c.decode<std::uint32_t>(k7),
                          c.decode<std::int64_t>(k8),
                          c.decode<std::uint64_t>(k9),
                          c.decode<float>(k10),
                          c.decode<double>(k11),
                          c.decode<std::string>(k12),
                          c.decode<coding::Data>(k13),
                          c.decode<coding::FixedSize<std::int64_t>>(k14),
                          c.decode<coding::FixedSize<std::uint32_t>>(k15),
                          c.decode<coding::SignedValue<std::int32_t>>(k16)};
    }
    friend bool operator==(const Primitives&, const Primitives&) = default;
};

Primitives extremes() {
    return Primitives{true,
                      std::numeric_limits<std::int8_t>::min(),
                      255,
                      std::numeric_limits<std::int16_t>::min(),
                      65535,
                      std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::uint32_t>::max(),
                      std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::uint64_t>::max(),
                      -1.5f,
                      std::numeric_limits<double>::denorm_min(),
                      "태초에 하나님이 천지를 창조하시니라",
                      coding::Data{0, 255, 0},
                      coding::FixedSize<std::int64_t>(-2),
                      coding::FixedSize<std::uint32_t>(7),
                      coding::SignedValue<std::int32_t>(std::numeric_limits<std::int32_t>::max())};
}

// Optionals everywhere they can stand, a record under an integer key, lists of lists, nil
// elements written with encodeNil, and a parent part under the super key.
struct Shapes {
    std::optional<std::string> maybeText;
    std::optional<std::int64_t> absent;
    std::optional<Primitives> maybeRecord;
    std::vector<std::optional<std::int32_t>> sparse;
    std::vector<std::vector<std::string>> grid;
    std::map<std::string, std::int64_t> byName;
    std::map<std::int64_t, std::string> byNumber;
    std::map<std::int32_t, bool> byOther;
    std::set<std::string> tags;
    std::optional<std::int64_t> ifPresent;
    std::int64_t parent = 0;
    std::int64_t negativeKey = 0;

    static inline const CodingKey k1{"maybeText"}, k2{"absent"}, k3{"maybeRecord", 3}, k4{"sparse"}, k5{"grid"},
        k6{"byName"}, k7{"byNumber"}, k8{"byOther"}, k9{"tags"}, k10{"ifPresent"}, k11{"negative", -5};
    static inline const KeySet keys{k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, k11};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(maybeText, k1);
        c.encode(absent, k2);
        c.encode(maybeRecord, k3);
        c.encode(sparse, k4);
        c.encode(grid, k5);
        c.encode(byName, k6);
        c.encode(byNumber, k7);
        c.encode(byOther, k8);
        c.encode(tags, k9);
        c.encodeIfPresent(ifPresent, k10);
        c.encode(negativeKey, k11);
        c.superEncoder()->singleValueContainer().encode(parent);
    }
    static Shapes decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        Shapes shapes{c.decode<std::optional<std::string>>(k1),
                      c.decode<std::optional<std::int64_t>>(k2),
                      c.decode<std::optional<Primitives>>(k3),
                      c.decode<std::vector<std::optional<std::int32_t>>>(k4),
                      c.decode<std::vector<std::vector<std::string>>>(k5),
                      c.decode<std::map<std::string, std::int64_t>>(k6),
                      c.decode<std::map<std::int64_t, std::string>>(k7),
                      c.decode<std::map<std::int32_t, bool>>(k8),
                      c.decode<std::set<std::string>>(k9),
                      c.decodeIfPresent<std::int64_t>(k10)};
        shapes.negativeKey = c.decode<std::int64_t>(k11);
        shapes.parent = c.superDecoder()->singleValueContainer().decode<std::int64_t>();
        return shapes;
    }
    friend bool operator==(const Shapes&, const Shapes&) = default;
};

Shapes someShapes() {
    Shapes shapes;
    shapes.maybeText = "";
    shapes.maybeRecord = extremes();
    shapes.sparse = {std::nullopt, 5, std::nullopt, -1};
    shapes.grid = {{"a", "b"}, {}, {""}};
    shapes.byName = {{"one", 1}, {"", 0}, {"셋", 3}};
    shapes.byNumber = {{-1, "minus"}, {40, "forty"}};
    shapes.byOther = {{7, true}, {-7, false}};
    shapes.tags = {"x", "y"};
    shapes.ifPresent = 9;
    shapes.parent = -42;
    shapes.negativeKey = 12;
    return shapes;
}

// A list whose nil elements are written with encodeNil, which only the nil-index set keeps.
struct Gaps {
    std::vector<std::optional<std::string>> items;

    void encode(coding::Encoder& encoder) const {
        auto list = encoder.unkeyedContainer();
        for (const auto& item : items)
            item ? list.encode(*item) : list.encodeNil();
    }
    static Gaps decode(coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        Gaps gaps;
        while (!list.isAtEnd())
            gaps.items.push_back(list.decodeNil() ? std::nullopt : std::optional(list.decode<std::string>()));
        return gaps;
    }
    friend bool operator==(const Gaps&, const Gaps&) = default;
};

struct Options {
    bool sort;
    bool nilIndices;
};

class RoundTrip : public testing::TestWithParam<Options> {
protected:
    BinaryEncoder encoder() const {
        BinaryEncoder encoder;
        encoder.sortKeysDuringEncoding = GetParam().sort;
        encoder.prependNilIndexSetForUnkeyedContainers = GetParam().nilIndices;
        return encoder;
    }
    BinaryDecoder decoder() const {
        BinaryDecoder decoder;
        decoder.containsNilIndexSetForUnkeyedContainers = GetParam().nilIndices;
        return decoder;
    }
    template <class T>
    T roundTrip(const T& value) const {
        return decoder().template decode<T>(encoder().encode(value));
    }
};

TEST_P(RoundTrip, Primitives) {
    EXPECT_EQ(roundTrip(Primitives{}), Primitives{});
    EXPECT_EQ(roundTrip(extremes()), extremes());
    const auto nan = roundTrip(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_EQ(roundTrip(std::string("top level")), "top level");
    EXPECT_EQ(roundTrip(std::numeric_limits<std::int64_t>::min()), std::numeric_limits<std::int64_t>::min());
}

TEST_P(RoundTrip, ShapesOfValues) {
    EXPECT_EQ(roundTrip(someShapes()), someShapes());
    Shapes empty;
    EXPECT_EQ(roundTrip(empty), empty);
}

TEST_P(RoundTrip, TopLevelOptionalsAndLists) {
    EXPECT_EQ(roundTrip(std::optional<std::string>("abc")), "abc");
    EXPECT_EQ(roundTrip(std::optional<std::string>()), std::nullopt);
    EXPECT_EQ(roundTrip(std::optional<Primitives>(extremes())), extremes());
    const std::vector<std::optional<std::string>> texts{"a", std::nullopt, ""};
    EXPECT_EQ(roundTrip(texts), texts);
    const std::vector<std::optional<Primitives>> records{std::nullopt, Primitives{}};
    EXPECT_EQ(roundTrip(records), records);
    EXPECT_EQ(roundTrip(std::vector<bool>{true, false}), (std::vector<bool>{true, false}));
}

TEST_P(RoundTrip, AChapterWithNotes) {
    lumenscroll::BibleStructure chapter;
    chapter.versesIndex = 2;
    chapter.order = 18;
    chapter.name = "시편";
    chapter.kindOfBible = lumenscroll::BibleKind::en01;
    for (int i = 0; i < 40; ++i) {
        lumenscroll::BiblePraise verse;
        verse.index = i;
        verse.word = "Verse " + std::to_string(i) + " 말씀";
        verse.hasMemo = i % 3 == 0;
        lumenscroll::Memo note;
        note.memoContent = verse.hasMemo ? "note " + std::to_string(i) : "";
        note.praise = i;
        verse.memo = std::make_shared<const lumenscroll::Memo>(std::move(note));
        verse.bgColor = i % 5;
        chapter.praises.push_back(verse);
    }
    EXPECT_EQ(roundTrip(chapter), chapter);
}

TEST_P(RoundTrip, StreamElementsOneAfterAnother) {
    std::vector<std::uint8_t> stream;
    const BinaryEncoder writer = encoder();
    writer.appendForStream(someShapes(), stream);
    writer.appendForStream(std::optional<std::string>("x"), stream);
    writer.appendForStream(std::optional<std::string>(), stream);
    writer.appendForStream(std::string("text"), stream);
    writer.appendForStream(std::int64_t{-3}, stream);
    writer.appendForStream(std::vector<std::string>{"p", "q"}, stream);

    coding::DataDecodingBuffer source;
    source.append(stream);
    const BinaryDecoder reader = decoder();
    EXPECT_EQ(reader.decodeFromProvider<Shapes>(source), someShapes());
    EXPECT_EQ(reader.decodeFromProvider<std::optional<std::string>>(source), "x");
    EXPECT_EQ(reader.decodeFromProvider<std::optional<std::string>>(source), std::nullopt);
    EXPECT_EQ(reader.decodeFromProvider<std::string>(source), "text");
    EXPECT_EQ(reader.decodeFromProvider<std::int64_t>(source), -3);
    EXPECT_EQ(reader.decodeFromProvider<std::vector<std::string>>(source), (std::vector<std::string>{"p", "q"}));
    EXPECT_FALSE(source.hasMoreBytes());
}

INSTANTIATE_TEST_SUITE_P(Options, RoundTrip,
                         testing::Values(Options{false, false}, Options{true, false}, Options{false, true},
                                         Options{true, true}),
                         [](const auto& info) {
                             return std::string(info.param.sort ? "Sorted" : "Unsorted") +
                                    (info.param.nilIndices ? "WithNilIndices" : "");
                         });

// Both markers of a doubly optional value survive under a key, in a list and at the top.
struct Twice {
    std::optional<std::optional<std::int64_t>> value;
    static inline const CodingKey key{"value"};
    static inline const KeySet keys{key};
    void encode(coding::Encoder& encoder) const { encoder.container(keys).encode(value, key); }
    static Twice decode(coding::Decoder& decoder) {
        return Twice{decoder.container(keys).decode<std::optional<std::optional<std::int64_t>>>(key)};
    }
    friend bool operator==(const Twice&, const Twice&) = default;
};

TEST(RoundTripOptionals, DoublyOptionalValues) {
    using Value = std::optional<std::optional<std::int64_t>>;
    const std::vector<Value> values{Value(), Value(std::optional<std::int64_t>()), Value(0), Value(5)};
    for (const Value& value : values) {
        EXPECT_EQ(BinaryDecoder().decode<Twice>(BinaryEncoder().encode(Twice{value})), Twice{value});
        EXPECT_EQ(BinaryDecoder().decode<Value>(BinaryEncoder().encode(value)), value);
    }
    EXPECT_EQ(BinaryDecoder().decode<std::vector<Value>>(BinaryEncoder().encode(values)), values);
}

TEST(RoundTripNilIndices, NilElementsNeedTheNilIndexSet) {
    const Gaps gaps{{"a", std::nullopt, "b", std::nullopt}};
    BinaryEncoder encoder;
    encoder.prependNilIndexSetForUnkeyedContainers = true;
    BinaryDecoder decoder;
    decoder.containsNilIndexSetForUnkeyedContainers = true;
    EXPECT_EQ(decoder.decode<Gaps>(encoder.encode(gaps)), gaps);
}

// The static forms are a new coder of default options, the encoder's and the decoder's alike:
// entries in the order written and no nil-index set before a list.
TEST(RoundTripDefaults, StaticFormsAreANewCoderWithDefaultOptions) {
    const auto agree = [](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        const coding::Data bytes = BinaryEncoder().encode(value);
        EXPECT_EQ(BinaryEncoder::encodeWithDefaults(value).bytes, bytes.bytes);
        EXPECT_EQ(BinaryDecoder::decodeWithDefaults<T>(bytes), BinaryDecoder().decode<T>(bytes));
        EXPECT_EQ(BinaryDecoder::decodeWithDefaults<T>(bytes.span()), value);
    };
    agree(someShapes());
    agree(extremes());
    agree(std::string("abc"));
    agree(std::optional<std::int64_t>(5));
    const std::vector<std::optional<std::string>> sparse{"a", std::nullopt, "b"};
    agree(sparse);

    // Either option would change these bytes.
    BinaryEncoder sorted;
    sorted.sortKeysDuringEncoding = true;
    EXPECT_NE(BinaryEncoder::encodeWithDefaults(extremes()).bytes, sorted.encode(extremes()).bytes);
    BinaryEncoder withNilIndices;
    withNilIndices.prependNilIndexSetForUnkeyedContainers = true;
    EXPECT_NE(BinaryEncoder::encodeWithDefaults(sparse).bytes, withNilIndices.encode(sparse).bytes);
}

} // namespace
