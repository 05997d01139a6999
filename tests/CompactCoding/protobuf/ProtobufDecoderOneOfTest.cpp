#include "ProtobufTestRecords.h"

#include "CompactCoding/protobuf/OneOfRuns.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "coding/DecodingError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace prototest;
using coding::DecodingError;
using coding::ProtobufDecodingError;

using ChoiceField = Field<1, Choice>;

// Checks what a oneof sees of a message holding cases 30 (5) and then 31 (""): the case written
// last first. (It is also shown the case it replaced alone, to read it: then it checks nothing.)
struct CaseProbe {
    static constexpr bool isOneOf = true;
    static inline const KeySet& keys = Choice::keys;
    static inline int checks = 0;
    static CaseProbe decode(coding::Decoder& decoder) {
        auto c = decoder.container(Choice::keys);
        if (c.allKeys().size() == 1)
            return {};
        ++checks;
        EXPECT_EQ(c.allKeys(), (std::vector<CodingKey>{Choice::keyText, Choice::keyNumber}));
        EXPECT_THROW(c.decode<std::int64_t>(Choice::keyNumber), ProtobufDecodingError);
        EXPECT_THROW(c.decodeIfPresent<std::int64_t>(Choice::keyNumber), ProtobufDecodingError);
        EXPECT_EQ(c.decodeIfPresent<std::int64_t>(Choice::keyInner), std::nullopt);
        EXPECT_THROW(decoder.unkeyedContainer(), ProtobufDecodingError);
        auto value = c.nestedContainer(Choice::valueKeys, Choice::keyNumber);
        EXPECT_EQ(value.decode<std::int64_t>(CodingKey("other")), 5); // whatever the key
        EXPECT_THROW(value.decodeIfPresent<std::int64_t>(Choice::valueKey), ProtobufDecodingError);
        EXPECT_EQ(c.nestedContainer(Choice::valueKeys, Choice::keyInner).decode<std::int64_t>(Choice::valueKey), 0);
        return {};
    }
};

// A oneof that counts how often it is read, and falls back to a case of its own when reading it
// fails in any way.
struct Lenient {
    static constexpr bool isOneOf = true;
    static inline const KeySet& keys = Choice::keys;
    static inline int decodes = 0;

    std::int64_t number = 0;

    static Lenient decode(coding::Decoder& decoder) {
        ++decodes;
        try {
            auto c = decoder.container(keys);
            const auto present = c.allKeys();
            if (present.empty())
                return Lenient{-1};
            return Lenient{c.nestedContainer(Choice::valueKeys, present.front()).decode<std::int64_t>(Choice::valueKey)};
        } catch (...) {
            return Lenient{-2};
        }
    }
};

TEST(ProtobufDecoding, AnAbsentOneOfIsNotRead) {
    // None of the cases is on the wire: the oneof is nil, and is not even asked to read itself.
    using MaybeLenient = Present<29, Lenient>;
    Lenient::decodes = 0;
    EXPECT_FALSE(decoded<MaybeLenient>(bytes({0x08, 0x05})).value.has_value());
    EXPECT_FALSE(decoded<MaybeLenient>({}).value.has_value());
    EXPECT_EQ(Lenient::decodes, 0);
    EXPECT_EQ(decoded<MaybeLenient>(bytes({0x08, 0x05, 0xF0, 0x01, 0x07})).value->number, 7);
    EXPECT_EQ(Lenient::decodes, 1);
}

TEST(ProtobufDecoding, OneOfsAreReadFromTheFieldsOfTheirCases) {
    EXPECT_EQ(decoded<ChoiceField>(bytes({0xFA, 0x01, 0x02, 0x68, 0x69})).value.value,
              Choice{std::string("hi")}.value);
    EXPECT_EQ(decoded<ChoiceField>(bytes({0xF0, 0x01, 0x00})).value.value, Choice{std::int64_t{0}}.value);
    EXPECT_EQ(decoded<Choosing>(bytes({0x08, 0x01})), (Choosing{1, std::nullopt}));
    EXPECT_EQ(decoded<Choosing>(bytes({0x82, 0x02, 0x00})), (Choosing{0, Choice{Inner{}}}));
    // A case written after another replaces it; a message case merges only what follows the last
    // other case; a case replaced is read all the same.
    EXPECT_EQ(decoded<Choosing>(bytes({0xF0, 0x01, 0x05, 0xFA, 0x01, 0x01, 0x61})),
              (Choosing{0, Choice{std::string("a")}}));
    const Bytes first = bytes({0x82, 0x02, 0x02, 0x08, 0x01}), second = bytes({0x82, 0x02, 0x03, 0x12, 0x01, 0x78});
    EXPECT_EQ(decoded<Choosing>(first + second), (Choosing{0, Choice{Inner{1, "x"}}}));
    EXPECT_EQ(decoded<Choosing>(first + bytes({0xF0, 0x01, 0x05}) + second), (Choosing{0, Choice{Inner{0, "x"}}}));
    const auto error = thrown<DecodingError>(
        [] { decoded<Choosing>(bytes({0xF0, 0x01, 0x05, 0xFA, 0x01, 0x01, 0xFF, 0xF0, 0x01, 0x07})); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->debugDescription(), "Invalid string");
    // The containers a oneof reads itself through.
    decoded<Field<1, CaseProbe>>(bytes({0xF0, 0x01, 0x05, 0xFA, 0x01, 0x00}));
    EXPECT_EQ(CaseProbe::checks, 1);
}

// A oneof of two numbers, x (field 30) and y (field 31). When `looksAtX`, it looks at its x
// through a container of that case alone before and after it reads itself through its own keys.
template <bool looksAtX>
struct XOrY {
    static constexpr bool isOneOf = true;
    static inline const CodingKey keyX{"x", 30}, keyY{"y", 31};
    static inline const KeySet keys{keyX, keyY}, onlyX{keyX};

    std::int64_t x = 0, y = 0;

    static std::optional<std::int64_t> lastX(coding::Decoder& decoder) {
        auto c = decoder.container(onlyX);
        if (c.allKeys().empty())
            return std::nullopt;
        EXPECT_EQ(c.allKeys(), std::vector<CodingKey>{keyX});
        return c.nestedContainer(Choice::valueKeys, keyX).decode<std::int64_t>(Choice::valueKey);
    }
    static XOrY decode(coding::Decoder& decoder) {
        const auto before = looksAtX ? lastX(decoder) : std::nullopt;
        auto c = decoder.container(keys);
        const CodingKey key = c.allKeys().front();
        const std::int64_t value = c.nestedContainer(Choice::valueKeys, key).decode<std::int64_t>(Choice::valueKey);
        if (looksAtX) {
            EXPECT_EQ(lastX(decoder), before);
            EXPECT_EQ(c.allKeys().front(), key); // the container made before shows what it showed
        }
        return key == keyX ? XOrY{value, 0} : XOrY{0, value};
    }
    friend bool operator==(const XOrY&, const XOrY&) = default;
};

TEST(ProtobufDecoding, AOneOfReadThroughOtherKeysReadsWhatItReadsThroughItsOwn) {
    const Bytes x1 = bytes({0xF0, 0x01, 0x01}), y2 = bytes({0xF8, 0x01, 0x02}), x3 = bytes({0xF0, 0x01, 0x03});
    for (const Bytes& input : {x1 + y2 + x3, x1 + y2, y2 + x3 + y2, x1 + x3, y2}) {
        const auto once = decoded<Field<1, XOrY<false>>>(input).value;
        const auto twice = decoded<Field<1, XOrY<true>>>(input).value;
        EXPECT_EQ(once.x, twice.x);
        EXPECT_EQ(once.y, twice.y);
    }
    EXPECT_EQ((decoded<Field<1, XOrY<true>>>(x1 + y2 + x3).value.x), 3);
}

// The keys a oneof opens its container with: its own, another set of the same cases, or a set of
// them it makes in its decode, anew for each of its reads (in their order or the other).
enum class Through { ownKeys, anotherSet, aSetMadeInDecode, aSetMadeInDecodeTheOtherWayRound };

// A oneof of a number x (field 30) and a text t (field 31), read through `through`.
template <Through through>
struct XOrText {
    static constexpr bool isOneOf = true;
    static inline const CodingKey keyX{"x", 30}, keyT{"t", 31};
    static inline const KeySet keys{keyX, keyT}, sameCases{keyX, keyT};

    std::int64_t x = 0;
    std::string t;

    static XOrText decode(coding::Decoder& decoder) {
        if constexpr (through == Through::aSetMadeInDecode) {
            const KeySet made{keyX, keyT};
            return read(decoder.container(made));
        } else if constexpr (through == Through::aSetMadeInDecodeTheOtherWayRound) {
            const KeySet made{keyT, keyX};
            return read(decoder.container(made));
        } else {
            return read(decoder.container(through == Through::ownKeys ? keys : sameCases));
        }
    }
    static XOrText read(coding::KeyedDecodingContainer&& c) {
        const CodingKey key = c.allKeys().front();
        auto value = c.nestedContainer(Choice::valueKeys, key);
        if (key.intValue == keyX.intValue)
            return XOrText{value.decode<std::int64_t>(Choice::valueKey), ""};
        return XOrText{0, value.decode<std::string>(Choice::valueKey)};
    }
};

// What a oneof read through `through` makes of `input`: its value, or that it was refused.
template <Through through>
std::string readThrough(const Bytes& input) {
    try {
        const auto value = decoded<Field<1, XOrText<through>>>(input).value;
        return "x " + std::to_string(value.x) + ", t \"" + value.t + "\"";
    } catch (const coding::CodingError&) {
        return "refused";
    }
}

const Bytes x1 = bytes({0xF0, 0x01, 0x01}), x3 = bytes({0xF0, 0x01, 0x03}), tA = bytes({0xFA, 0x01, 0x01, 0x61}),
            tEmpty = bytes({0xFA, 0x01, 0x00}), tNotUtf8 = bytes({0xFA, 0x01, 0x01, 0xFF});

TEST(ProtobufDecoding, AOneOfReadsTheSameThroughAnySetOfItsCases) {
    const struct {
        Bytes input;
        std::string value;
    } cases[] = {
        {x1, "x 1, t \"\""},
        {tEmpty, "x 0, t \"\""},
        {x1 + tA, "x 0, t \"a\""},
        {tA + x1 + x3, "x 3, t \"\""},
        {x1 + tA + x3 + tEmpty, "x 0, t \"\""},
        // A case replaced is read all the same: a fault in it is one.
        {tNotUtf8 + x1, "refused"},
        {x1 + tNotUtf8 + tA + x3, "refused"},
        {x1 + tNotUtf8, "refused"},
    };
    for (const auto& [input, value] : cases) {
        EXPECT_EQ(readThrough<Through::ownKeys>(input), value);
        EXPECT_EQ(readThrough<Through::anotherSet>(input), value);
        EXPECT_EQ(readThrough<Through::aSetMadeInDecode>(input), value);
        EXPECT_EQ(readThrough<Through::aSetMadeInDecodeTheOtherWayRound>(input), value);
    }
}

// The runs a oneof read through `through` lists on `runs` runs of its cases, x and t in turn.
template <Through through>
std::uint64_t runsListed(int runs) {
    Bytes input;
    for (int run = 0; run < runs; ++run)
        input = input + (run % 2 == 0 ? x1 : tA);
    const std::uint64_t before = coding::OneOfRuns::runsListed();
    decoded<Field<1, XOrText<through>>>(input);
    return coding::OneOfRuns::runsListed() - before;
}

TEST(ProtobufDecoding, AOneOfListsItsRunsOnceForEachSetOfItsCasesItIsReadThrough) {
    // Counted: 1,000 and 4,000 runs list 1,000 and 4,000 each way, twice that through keys in
    // another order (their runs and the oneof's own).
    const std::uint64_t listed[][2] = {
        {runsListed<Through::ownKeys>(1000), runsListed<Through::ownKeys>(4000)},
        {runsListed<Through::anotherSet>(1000), runsListed<Through::anotherSet>(4000)},
        {runsListed<Through::aSetMadeInDecode>(1000), runsListed<Through::aSetMadeInDecode>(4000)},
        {runsListed<Through::aSetMadeInDecodeTheOtherWayRound>(1000),
         runsListed<Through::aSetMadeInDecodeTheOtherWayRound>(4000)},
    };
    for (const auto& [fewer, more] : listed) {
        EXPECT_LE(fewer, 2 * 1000u);
        EXPECT_LE(more, 4 * fewer);
    }
}

} // namespace
