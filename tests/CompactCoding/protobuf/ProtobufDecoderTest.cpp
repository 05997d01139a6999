#include "ProtobufTestRecords.h"

#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/DecodingError.h"

#include <gtest/gtest.h>

namespace {

using namespace prototest;
using coding::DecodingError;
using coding::ProtobufDecodingError;
using coding::ProtobufEncodingError;

using Int64Field = Field<1, std::int64_t>;
using InnerField = Field<1, Inner>;
using ListsOfTexts = Field<1, std::vector<std::vector<std::string>>>;

TEST(ProtobufDecoding, ReadsBackWhatTheEncoderWrites) {
    EXPECT_EQ(decoded<Everything>(encoded(everything())), everything());
    EXPECT_EQ(decoded<Everything>(encoded(everything(), true)), everything());
    const ListsOfTexts lists{{{"a", ""}, {}, {"b"}}};
    EXPECT_EQ(decoded<ListsOfTexts>(encoded(lists)), lists);
    using ListsByName = std::map<std::string, std::vector<std::string>>;
    const ListsByName listsByName{{"a", {}}, {"b", {"x", ""}}};
    EXPECT_EQ(decoded<ListsByName>(encoded(listsByName)), listsByName);
    using Nested = std::map<bool, std::map<std::int64_t, Inner>>;
    const Nested nested{{false, {}}, {true, {{3, Inner{3, "c"}}}}};
    using NestedField = Field<9, Nested>;
    EXPECT_EQ(decoded<NestedField>(encoded(NestedField{nested})).value, nested);
    EXPECT_EQ(decoded<std::vector<std::string>>(bytes({0x01, 0x61, 0x00})), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(decoded<std::string>(bytes({0x68, 0x69})), "hi");
    EXPECT_EQ(decoded<std::int64_t>(tenForMinusOne), -1);
}

TEST(ProtobufDecoding, MissingFieldsAreZerosAndUnknownOnesAreSkipped) {
    EXPECT_EQ(decoded<Everything>({}), Everything{});
    const Bytes unknown = bytes({0x98, 0x06, 0x05, 0xA1, 0x06, 1, 2, 3, 4, 5, 6, 7, 8, 0xAA, 0x06, 0x01, 0x00,
                                 0xAD, 0x06, 1, 2, 3, 4});
    EXPECT_EQ(decoded<Inner>(unknown + bytes({0x08, 0x07})), (Inner{7, ""}));
    EXPECT_EQ(decoded<Inner>(bytes({0x12, 0x01, 0x78, 0x08, 0x07})), (Inner{7, "x"})); // any field order
    probe(bytes({0x08, 0x00, 0x18, 0x01}), [](coding::Decoder& decoder) {
        auto c = decoder.container(Inner::keys);
        EXPECT_EQ(c.allKeys(), (std::vector<CodingKey>{Inner::keyNumber}));
        EXPECT_TRUE(c.contains(Inner::keyNumber));
        EXPECT_TRUE(c.decodeNil(Inner::keyText));
        EXPECT_FALSE(c.contains(CodingKey("number"))); // a key without a number finds no field
        EXPECT_EQ(c.decodeIfPresent<std::string>(Inner::keyText), std::nullopt);
        EXPECT_EQ(c.decode<std::optional<std::int64_t>>(Inner::keyNumber), 0);
    });
}

TEST(ProtobufDecoding, OccurrencesOfAFieldAreKeptApart) {
    using Numbers = Field<1, std::vector<std::int64_t>>;
    using Texts = Field<1, std::vector<std::string>>;
    using Records = Field<1, std::vector<Inner>>;
    using Map = Field<1, std::map<std::string, std::int64_t>>;
    // A scalar takes the last occurrence, a message merges all of them.
    EXPECT_EQ(decoded<Int64Field>(bytes({0x08, 0x05, 0x08, 0x07})).value, 7);
    EXPECT_EQ(decoded<InnerField>(bytes({0x0A, 0x02, 0x08, 0x01, 0x0A, 0x03, 0x12, 0x01, 0x78})).value,
              (Inner{1, "x"}));
    // Numbers packed and one by one alike; text, bytes and messages one per occurrence.
    EXPECT_EQ(decoded<Numbers>(bytes({0x0A, 0x02, 0x01, 0x02, 0x08, 0x03, 0x0A, 0x00, 0x0A, 0x01, 0x04})).value,
              (std::vector<std::int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(decoded<Numbers>(bytes({0x0A, 0x03, 0x03, 0x8E, 0x02})).value, (std::vector<std::int64_t>{3, 270}));
    EXPECT_EQ(decoded<Texts>(bytes({0x0A, 0x01, 0x61})).value, std::vector<std::string>{"a"});
    EXPECT_EQ(decoded<Texts>(bytes({0x0A, 0x01, 0x61, 0x0A, 0x00})).value, (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(decoded<Records>(bytes({0x0A, 0x00})).value, std::vector<Inner>{Inner{}});
    // Each occurrence of a map field is one entry; of equal keys the last counts.
    EXPECT_EQ(decoded<Map>(bytes({0x0A, 0x05, 0x0A, 0x01, 0x61, 0x10, 0x01})).value,
              (std::map<std::string, std::int64_t>{{"a", 1}}));
    EXPECT_EQ(decoded<Map>(bytes({0x0A, 0x05, 0x0A, 0x01, 0x61, 0x10, 0x01, 0x0A, 0x05, 0x0A, 0x01, 0x62, 0x10, 0x02,
                                  0x0A, 0x05, 0x0A, 0x01, 0x61, 0x10, 0x03}))
                  .value,
              (std::map<std::string, std::int64_t>{{"a", 3}, {"b", 2}}));
    // Occurrences of a field that come back after other fields stay in their order.
    EXPECT_EQ(decoded<Inner>(bytes({0x08, 0x01, 0x12, 0x01, 0x61, 0x08, 0x02})), (Inner{2, "a"}));
    EXPECT_EQ(decoded<Everything>(bytes({0x8A, 0x01, 0x01, 0x01, 0x08, 0x01, 0x8A, 0x01, 0x01, 0x02})).numbers,
              (std::vector<std::int64_t>{1, 2}));
}

// Checks the unkeyed form of a map holding the entry 1: 7.
struct PairProbe {
    static PairProbe decode(coding::Decoder& decoder) {
        auto c = decoder.unkeyedContainer();
        EXPECT_EQ(c.count(), 2);
        EXPECT_THROW(c.decode<std::string>(), ProtobufDecodingError); // of another wire type
        EXPECT_EQ(c.currentIndex(), 1);
        EXPECT_EQ(c.decode<std::int64_t>(), 7);
        EXPECT_TRUE(c.isAtEnd());
        EXPECT_THROW(c.decode<std::int64_t>(), DecodingError);
        return {};
    }
};

} // namespace

template <>
struct coding::Codable<PairProbe> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = true;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() { return "PairProbe"; }
    static PairProbe decode(Decoder& decoder) { return PairProbe::decode(decoder); }
};

namespace {

TEST(ProtobufDecoding, RefusedCalls) {
    using Int8Field = Field<1, std::int8_t>;
    EXPECT_THROW(decoded<Int8Field>({}), ProtobufDecodingError); // even absent
    EXPECT_EQ(thrown<ProtobufDecodingError>([] { decoded<Field<1, std::uint16_t>>({}); }),
              ProtobufDecodingError(ProtobufDecodingError::Kind::unsupportedType, "UInt16.Type"));
    probe({}, [](coding::Decoder& decoder) {
        EXPECT_THROW(decoder.container(Inner::keys).superDecoder(), ProtobufDecodingError);
        EXPECT_FALSE(decoder.unkeyedContainer().decodeNil());
        EXPECT_FALSE(decoder.singleValueContainer().decodeNil());
    });
    // The dictionary form of other keys reads key, value, key, value, each of its own wire type.
    decoded<Field<1, PairProbe>>(bytes({0x0A, 0x04, 0x08, 0x01, 0x10, 0x07}));
}

// A record that holds itself, as deep as the data goes: it counts the levels.
struct Nest {
    int levels = 0;
    static inline const CodingKey key{"inner", 1};
    static inline const KeySet keys{key};
    static Nest decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Nest{c.contains(key) ? 1 + c.decode<Nest>(key).levels : 0};
    }
};

// An element that reads nothing.
struct Nothing {
    static Nothing decode(coding::Decoder&) { return {}; }
};

Bytes nested(int depth) {
    Bytes inside;
    for (int i = 0; i < depth; ++i)
        inside = encoded(Present<1, coding::Data>{coding::Data(inside)});
    return inside;
}

TEST(ProtobufDecoding, HostileInputIsRefusedWithTheFirstFault) {
    struct Case {
        Bytes input;
        const char* message;
    };
    const Case cases[] = {
        {bytes({0x08}), "Premature end of data"},
        {bytes({0x08, 0x80}), "Premature end of data"},
        {bytes({0x12, 0x05, 0x61}), "Premature end of data"},
        {bytes({0x12}) + tenForMinusOne, "Invalid data size"},
        {bytes({0x11, 1, 2, 3}), "Premature end of data"},
        {bytes({0x0B}), "Unknown data type 3"},
        {bytes({0x0C}), "Unknown data type 4"},
        {bytes({0x0E, 0x01}), "Unknown data type 6"},
        {bytes({0x1F, 0x01, 0x02}), "Unknown data type 7"},
        {bytes({0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}),
         "Encoded variable-length integer out of range"},
        {bytes({0x12, 0x02, 0xC3, 0x28}), "Invalid string"},
        {bytes({0x12, 0x01, 0xFF, 0x12, 0x01, 0x61}), "Invalid string"}, // a text replaced is read too
        {bytes({0x0A, 0x01, 0x78}), "Unexpected data type 2"},
        // Tags and byte counts are read as protobuf reads them, in five bytes at most.
        {bytes({0x88, 0x80, 0x80, 0x80, 0x80, 0x00, 0x01}), "Encoded variable-length integer out of range"},
        {bytes({0x12, 0x81, 0x80, 0x80, 0x80, 0x80, 0x00, 0x61}), "Invalid data size"},
    };
    for (const Case& c : cases) {
        try {
            decoded<Inner>(c.input);
            ADD_FAILURE() << c.message;
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.debugDescription(), c.message);
        }
    }
    EXPECT_EQ(decoded<Inner>(bytes({0x88, 0x80, 0x80, 0x80, 0x00, 0x01, 0x12, 0x81, 0x80, 0x80, 0x80, 0x00, 0x61})),
              (Inner{1, "a"}));
    EXPECT_THROW(decoded<Inner>(bytes({0x00})), ProtobufEncodingError); // field 0
    EXPECT_EQ(thrown<ProtobufEncodingError>([] { decoded<Inner>(bytes({0x80, 0x80, 0x80, 0x80, 0x10, 0x00})); }),
              ProtobufEncodingError::integerKeyOutOfRange(536870912));
    EXPECT_EQ(decoded<Nest>(nested(100)).levels, 100);
    try {
        decoded<Nest>(nested(101));
        ADD_FAILURE() << "no nesting limit";
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.debugDescription(), "Nesting too deep");
    }
    try {
        decoded<std::vector<Nothing>>(bytes({0x01}));
        ADD_FAILURE() << "an element that reads nothing is read forever";
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.debugDescription(), "List element read no data");
    }
}

TEST(ProtobufDecoding, MapEntriesHoldTheKeyThenTheValue) {
    using Map = Field<1, std::map<std::string, std::int64_t>>;
    const auto fault = [](const Bytes& entry) -> std::string {
        try {
            decoded<Map>(bytes({0x0A, static_cast<int>(entry.size())}) + entry);
        } catch (const ProtobufDecodingError& error) {
            return error.what();
        } catch (const DecodingError& error) {
            return error.debugDescription();
        }
        return "no fault";
    };
    EXPECT_EQ(fault({}), "Premature end of data");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61})), "Premature end of data");
    EXPECT_EQ(fault(bytes({0x10, 0x01, 0x0A, 0x01, 0x61})), "unexpectedDictionaryKey");
    EXPECT_EQ(fault(bytes({0x0D, 1, 2, 3, 4, 0x10, 0x01})), "unexpectedDictionaryKey");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0xFF, 0x10, 0x01})), "Invalid string");
    // A key is a field of the entry like any other: of the map's wire type wherever it stands, and
    // UTF-8 also when a later key replaces it.
    EXPECT_EQ(fault(bytes({0x08, 0x01, 0x10, 0x01})), "unexpectedDictionaryKey");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61, 0x10, 0x01, 0x08, 0x01})), "unexpectedDictionaryKey");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0xFF, 0x10, 0x01, 0x0A, 0x01, 0x61})), "Invalid string");
    // What follows the value are fields of the entry too: the last key and value count, others are
    // skipped, and malformed bytes are a fault.
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61, 0x10, 0x01, 0x18, 0x09})), "no fault");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61, 0x10, 0x01, 0x10, 0xFF})), "Premature end of data");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61, 0x10, 0x01, 0x1B})), "Unknown data type 3");
    EXPECT_EQ(fault(bytes({0x0A, 0x01, 0x61, 0x10, 0x01, 0x0D, 1, 2, 3, 4})), "unexpectedDictionaryKey");
    EXPECT_EQ(decoded<Map>(bytes({0x0A, 0x07, 0x0A, 0x01, 0x61, 0x10, 0x01, 0x10, 0x02})).value,
              (std::map<std::string, std::int64_t>{{"a", 2}}));
    EXPECT_EQ(decoded<Map>(bytes({0x0A, 0x0A, 0x0A, 0x01, 0x61, 0x10, 0x01, 0x18, 0x00, 0x0A, 0x01, 0x62})).value,
              (std::map<std::string, std::int64_t>{{"b", 1}}));
    using ByNumber = Field<1, std::map<std::int64_t, bool>>;
    EXPECT_EQ(decoded<ByNumber>(bytes({0x0A, 0x0D, 0x08}) + tenForMinusOne + bytes({0x10, 0x01})).value,
              (std::map<std::int64_t, bool>{{-1, true}}));
    EXPECT_THROW(decoded<ByNumber>(bytes({0x0A, 0x05, 0x0A, 0x01, 0x35, 0x10, 0x01})), ProtobufDecodingError);
}

TEST(ProtobufDecoding, AMapValueIsReadAsAFieldOfItsEntry) {
    using Records = Field<1, std::map<std::string, Inner>>;
    using Texts = Field<1, std::map<std::string, std::string>>;
    const auto entry = [](const Bytes& fields) { return bytes({0x0A, static_cast<int>(fields.size())}) + fields; };
    const Bytes keyA = bytes({0x0A, 0x01, 0x61});
    // A message written in parts within an entry merges them; of entries with equal keys the last
    // counts whole.
    EXPECT_EQ(decoded<Records>(entry(keyA + bytes({0x12, 0x02, 0x08, 0x01, 0x12, 0x03, 0x12, 0x01, 0x78}))).value,
              (std::map<std::string, Inner>{{"a", Inner{1, "x"}}}));
    EXPECT_EQ(decoded<Records>(entry(keyA + bytes({0x12, 0x02, 0x08, 0x01})) +
                               entry(keyA + bytes({0x12, 0x03, 0x12, 0x01, 0x78})))
                  .value,
              (std::map<std::string, Inner>{{"a", Inner{0, "x"}}}));
    // What a later part or entry replaces is read all the same: its faults are faults.
    const std::pair<Bytes, const char*> faults[] = {
        {entry(keyA + bytes({0x12, 0x02, 0x0F, 0x01, 0x12, 0x00})), "Unknown data type 7"},
        {entry(keyA + bytes({0x12, 0x03, 0x12, 0x01, 0xFF})) + entry(keyA + bytes({0x12, 0x00})), "Invalid string"},
    };
    for (const auto& [input, message] : faults) {
        const auto error = thrown<DecodingError>([&] { decoded<Records>(input); });
        ASSERT_TRUE(error.has_value()) << message;
        EXPECT_EQ(error->debugDescription(), message);
    }
    for (const Bytes& input : {entry(keyA + bytes({0x12, 0x01, 0xFF, 0x12, 0x01, 0x62})),
                               entry(keyA + bytes({0x12, 0x01, 0xFF})) + entry(keyA + bytes({0x12, 0x01, 0x62}))}) {
        const auto error = thrown<DecodingError>([&] { decoded<Texts>(input); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->debugDescription(), "Invalid string");
    }
}

// The containers a record does not keep, gone before what they handed out is read.
TEST(ProtobufDecoding, WhatAContainerHandsOutKeepsWhatItReadsFrom) {
    using Lists = Field<1, std::vector<Inner>>;
    const Lists lists{{Inner{1, "a"}, Inner{2, "b"}, Inner{3, "c"}, Inner{4, "d"}, Inner{5, "e"}}};
    const Everything value = everything();
    probe(encoded(lists), [&](coding::Decoder& decoder) {
        auto list = decoder.container(Lists::keys).nestedUnkeyedContainer(Lists::key);
        std::vector<Inner> read;
        while (!list.isAtEnd())
            read.push_back(list.decode<Inner>());
        EXPECT_EQ(read, lists.value);
    });
    probe(encoded(value), [&](coding::Decoder& decoder) {
        auto numbers = decoder.container(Everything::keys).nestedUnkeyedContainer(Everything::keyNumbers);
        std::vector<std::int64_t> read;
        while (!numbers.isAtEnd())
            read.push_back(numbers.decode<std::int64_t>());
        EXPECT_EQ(read, value.numbers);
    });
    probe(bytes({0x05, 0x07}), [](coding::Decoder& decoder) {
        auto element = decoder.unkeyedContainer().superDecoder()->singleValueContainer();
        EXPECT_EQ(element.decode<std::int64_t>(), 5);
    });
}

// A record as deep as the data goes, through lists, maps or optionals: it counts the levels.
struct Deep {
    std::vector<Deep> list;
    std::map<std::int64_t, Deep> byNumber;
    std::optional<std::shared_ptr<Deep>> maybe;

    static inline const CodingKey keyList{"list", 1}, keyByNumber{"byNumber", 2}, keyMaybe{"maybe", 3};
    static inline const KeySet keys{keyList, keyByNumber, keyMaybe};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(list, keyList);
        c.encode(byNumber, keyByNumber);
        c.encodeIfPresent(maybe, keyMaybe);
    }
    static Deep decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Deep{c.decode<std::vector<Deep>>(keyList), c.decode<std::map<std::int64_t, Deep>>(keyByNumber),
                    c.decode<std::optional<std::shared_ptr<Deep>>>(keyMaybe)};
    }
    int levels() const {
        if (!list.empty())
            return 1 + list.front().levels();
        if (!byNumber.empty())
            return 1 + byNumber.begin()->second.levels();
        return maybe ? 1 + (*maybe)->levels() : 0;
    }
};

TEST(ProtobufDecoding, AFieldAbsentOnTheWireEntersNoMessage) {
    // Every level's `fields`, and the Inner within them, are left out: 100 messages within the root
    // are read however many records of defaults lie below the deepest.
    const auto levels = [](const Branch& root) {
        int count = 0;
        for (const Branch* branch = &root; !branch->children.empty(); branch = &branch->children.front())
            ++count;
        return count;
    };
    EXPECT_EQ(levels(decoded<Branch>(nestedBranches(99))), 99);
    EXPECT_EQ(levels(decoded<Branch>(nestedBranches(100))), 100);
    // A message written, empty or not, is one.
    const Bytes emptyFields = bytes({0x0A, 0x00});
    const Bytes emptyInner = bytes({0x0A, 0x03, 0x82, 0x01, 0x00});
    EXPECT_EQ(levels(decoded<Branch>(nestedBranches(99, emptyFields))), 99);
    EXPECT_EQ(levels(decoded<Branch>(nestedBranches(98, emptyInner))), 98);
    for (const Bytes& input : {nestedBranches(101), nestedBranches(100, emptyFields), nestedBranches(99, emptyInner)}) {
        const auto error = thrown<DecodingError>([&] { decoded<Branch>(input); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->debugDescription(), "Nesting too deep");
    }
}

TEST(ProtobufDecoding, TheNestingLimitCountsMessagesWhateverTheShape) {
    const std::function<Deep(int)> shapes[] = {
        [](int depth) {
            Deep deep;
            for (int i = 0; i < depth; ++i)
                deep = Deep{{deep}, {}, {}};
            return deep;
        },
        [](int depth) {
            Deep deep;
            for (int i = 0; i < depth; ++i)
                deep = Deep{{}, {{7, deep}}, {}};
            return deep;
        },
        [](int depth) {
            Deep deep;
            for (int i = 0; i < depth; ++i)
                deep = Deep{{}, {}, std::make_shared<Deep>(deep)};
            return deep;
        },
    };
    for (const auto& shape : shapes) {
        EXPECT_EQ(decoded<Deep>(encoded(shape(100))).levels(), 100);
        const auto error = thrown<DecodingError>([&] { decoded<Deep>(encoded(shape(101))); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->debugDescription(), "Nesting too deep");
    }
}

} // namespace
