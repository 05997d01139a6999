#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/MixedCodingKeyWrapper.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace encodertest {
namespace {

using coding::BinaryEncoder;
using coding::CodingKey;
using coding::KeySet;

template <class T>
Bytes encoded(const T& value, bool sort = false) {
    BinaryEncoder encoder;
    encoder.sortKeysDuringEncoding = sort;
    return bytesOf(encoder.encode(value));
}

// Writes the given keys, in the given order, each with its position as an Int.
struct KeyList {
    std::vector<CodingKey> keys;

    void encode(coding::Encoder& encoder) const {
        const KeySet keySet(keys);
        auto c = encoder.container(keySet);
        for (std::size_t i = 0; i < keys.size(); ++i)
            c.encode(static_cast<std::int64_t>(i), keys[i]);
    }
};

Bytes header(const CodingKey& key, coding::DataType type) {
    return coding::MixedCodingKeyWrapper(key).encode(type);
}

TEST(EncoderKeyedTest, SortedRecordAndNestedRecordUnderIntegerKey) {
    const Pair pair{1, "x"};
    EXPECT_EQ(encoded(pair, true), bytes({0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78}));
    EXPECT_EQ(encoded(Outer{pair}, true), bytes({0x32, 0x07, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78}));
}

TEST(EncoderKeyedTest, UnsortedEntriesKeepTheirEncodingOrder) {
    const KeyList reversed{{CodingKey("b"), CodingKey("a")}};
    EXPECT_EQ(encoded(reversed), bytes({0x18, 0x62, 0x00, 0x18, 0x61, 0x02}));
    EXPECT_EQ(encoded(reversed, true), bytes({0x18, 0x61, 0x02, 0x18, 0x62, 0x00}));
}

TEST(EncoderKeyedTest, SecondValueUnderAKeyReplacesTheFirstInPlace) {
    struct Twice {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            c.encode(std::int64_t{1}, Pair::keyA);
            c.encode(std::string("x"), Pair::keyB);
            c.encode(std::int64_t{5}, Pair::keyA);
            c.encodeNil(Pair::keyB); // an absent key is nil: the value stays
        }
    };
    EXPECT_EQ(encoded(Twice{}), bytes({0x18, 0x61, 0x0A, 0x1A, 0x62, 0x01, 0x78}));
}

TEST(EncoderKeyedTest, ReplacementBetweenPrimitivesAndNestedValues) {
    struct Mixed {
        bool sort = false;
        void encode(coding::Encoder& encoder) const {
            static const CodingKey a{"a"}, b{"b"}, c{"c"};
            const KeySet keys{a, b, c};
            auto container = encoder.container(keys);
            container.encode(std::int64_t{1}, a);
            container.encode(std::int64_t{2}, b);
            container.encode(std::int64_t{3}, c);
            container.encode(std::vector<bool>{true}, b); // a primitive replaced by a list
            container.encode(std::int64_t{4}, a);         // and a primitive by another
            container.encode(std::int64_t{5}, c);
        }
    };
    EXPECT_EQ(encoded(Mixed{}), bytes({0x18, 0x61, 0x08, 0x1A, 0x62, 0x01, 0x01, 0x18, 0x63, 0x0A}));
    struct Back {
        void encode(coding::Encoder& encoder) const {
            auto container = encoder.container(Pair::keys);
            container.encode(Pair{}, Pair::keyB);
            container.encode(std::int64_t{1}, Pair::keyA);
            container.encode(std::int64_t{2}, Pair::keyB); // a record replaced by a primitive
        }
    };
    EXPECT_EQ(encoded(Back{}, true), bytes({0x18, 0x61, 0x02, 0x18, 0x62, 0x04}));
    EXPECT_EQ(encoded(Back{}), bytes({0x18, 0x62, 0x04, 0x18, 0x61, 0x02}));
}

TEST(EncoderKeyedTest, KeysWrittenAlikeAreOneKeyWhereverTheyComeFrom) {
    // A record's keys are told apart by their places in its key set; a key from outside the set,
    // or a set that names one integer twice, must still meet the key written the same way.
    static const CodingKey a{"a", 1}, b{"b", 2}, outside{"z", 1}, twin{"t", 1};
    struct Case {
        KeySet keys;
        CodingKey first, second;
    };
    const Case cases[] = {{{a, b}, a, outside}, {{a, b}, outside, a}, {{a, twin}, a, twin}};
    for (const Case& test : cases) {
        struct Twice {
            const Case& test;
            void encode(coding::Encoder& encoder) const {
                auto c = encoder.container(test.keys);
                c.encode(std::int64_t{1}, test.first);
                c.encode(std::int64_t{2}, test.second);
            }
        };
        EXPECT_EQ(encoded(Twice{test}), bytes({0x10, 0x04})) << test.first.stringValue << test.second.stringValue;
    }
}

// A record's own keys, each stored once, are written straight into one buffer and read back
// out of it at the first repeat; a key set naming one integer twice lists every entry as it comes.
// Both give the same bytes, whatever the fields, failed fields included.
TEST(EncoderKeyedTest, FieldsInOneBufferAgreeWithFieldsListedOneByOne) {
    static const std::vector<CodingKey> own{CodingKey("b"),    CodingKey("u16"), CodingKey("f"),
                                            CodingKey("d"),    CodingKey("blob"), CodingKey("rec"),
                                            CodingKey("nil"),  CodingKey("text"), CodingKey("n", 9),
                                            CodingKey("list"), CodingKey("yes"),  CodingKey("re")};
    static const KeySet distinct(own);
    std::vector<CodingKey> twinned = own;
    twinned.insert(twinned.end(), {CodingKey("t1", 100), CodingKey("t2", 100)});
    static const KeySet listed(twinned);
    // Stores under its own key in the record it is a field of, while it is being encoded.
    struct WritesOutside {
        coding::KeyedEncodingContainer* outer;
        void encode(coding::Encoder& encoder) const {
            outer->encode(std::int64_t{7}, own[11]);
            encoder.singleValueContainer().encode(true);
        }
    };
    struct Fields {
        const KeySet& keys;
        bool repeat;
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(keys);
            c.encode(std::int8_t{-1}, own[0]);
            c.encode(std::uint16_t{0x0102}, own[1]);
            c.encode(1.5f, own[2]);
            c.encode(-2.0, own[3]);
            c.encode(coding::Data{7, 8}, own[4]);
            try {
                c.encode(Pair{1, "\xFF"}, own[5]);
            } catch (const coding::EncodingError&) {
            }
            c.encode(Pair{300, "x"}, own[5]);
            c.encode(std::optional<std::int64_t>{}, own[6]);
            try {
                c.encode(std::string("\xFF"), own[7]);
            } catch (const coding::EncodingError&) {
            }
            c.encode(std::string("\xC3\xA9"), own[7]);
            c.encode(std::int64_t{1} << 40, own[8]);
            c.encode(true, own[10]);
            c.encode(WritesOutside{&c}, own[11]);
            auto list = c.nestedUnkeyedContainer(own[9]);
            if (repeat)
                c.encode(std::int8_t{5}, own[0]); // replaces the first value where it stood
            list.encode(true);
        }
    };
    for (const bool repeat : {false, true})
        EXPECT_EQ(encoded(Fields{distinct, repeat}), encoded(Fields{listed, repeat})) << repeat;
    const Bytes once = encoded(Fields{distinct, false});
    Bytes replaced = once;
    replaced[2] = 0x05;
    EXPECT_EQ(encoded(Fields{distinct, true}), replaced);
    EXPECT_EQ(once.size(), 78u);
}

// Keeps its container to be written into later.
struct HalfPair {
    static inline std::optional<coding::KeyedEncodingContainer> kept;
    void encode(coding::Encoder& encoder) const {
        kept.emplace(encoder.container(Pair::keys));
        kept->encode(std::int64_t{300}, Pair::keyA);
    }
};

// A record of primitives encoded as a field is copied into its parent at once, unless a handle to
// it is kept: then what is written through the handle after the field's encode still lands.
TEST(EncoderKeyedTest, NestedRecordWrittenLaterThroughAKeptHandleLands) {
    struct Outer {
        bool late;
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            if (late) {
                c.encode(HalfPair{}, Pair::keyA);
                HalfPair::kept->encode(std::string("x"), Pair::keyB);
                HalfPair::kept.reset();
            } else {
                c.encode(Pair{300, "x"}, Pair::keyA);
            }
            c.encode(std::string("y"), Pair::keyB);
        }
    };
    const Bytes whole = encoded(Outer{false});
    EXPECT_EQ(encoded(Outer{true}), whole);
    EXPECT_EQ(whole, bytes({0x1A, 0x61, 0x08, 0x18, 0x61, 0xD8, 0x04, 0x1A, 0x62, 0x01, 0x78, 0x1A, 0x62, 0x01, 0x79}));
}

// A record's keys are copied as its key set has them written, except keys too long for that;
// either way, and in the entry-by-entry form, a field's bytes are its key's header and text, then
// its value.
TEST(EncoderKeyedTest, KeysWrittenFromTheSetAgreeWithKeysWrittenOneByOne) {
    using coding::DataType;
    const std::int64_t max = coding::MixedCodingKeyWrapper::maximumIntegerKey;
    static const std::vector<CodingKey> own{CodingKey("a"), CodingKey(std::string(23, 'p')),
                                            CodingKey(std::string(24, 'q')), CodingKey("x", -1),
                                            CodingKey("m", max)};
    std::vector<CodingKey> twinned = own;
    twinned.insert(twinned.end(), {CodingKey("t1", 100), CodingKey("t2", 100)});
    struct Fields {
        const KeySet& keys;
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(keys);
            for (std::size_t i = 0; i < own.size(); ++i) {
                if (i % 2 == 0)
                    c.encode(static_cast<std::int64_t>(i), own[i]);
                else
                    c.encode(std::string("\xC3\xA9"), own[i]);
            }
        }
    };
    Bytes expected;
    for (std::size_t i = 0; i < own.size(); ++i) {
        const Bytes key = header(own[i], i % 2 == 0 ? DataType::variableLengthInteger : DataType::variableLength);
        expected.insert(expected.end(), key.begin(), key.end());
        if (i % 2 == 0)
            expected.push_back(static_cast<std::uint8_t>(2 * i));
        else
            expected.insert(expected.end(), {0x02, 0xC3, 0xA9});
    }
    const KeySet distinct(own), listed(twinned);
    EXPECT_EQ(encoded(Fields{distinct}), expected);
    EXPECT_EQ(encoded(Fields{listed}), expected);
}

// "k0", "k1", ... (appended, not concatenated: g++ 12 warns wrongly about `"k" + text` at -O3).
CodingKey numberedKey(int i) {
    std::string text("k");
    text += std::to_string(i);
    return CodingKey(text);
}

TEST(EncoderKeyedTest, ReplacementInALargeTable) {
    struct Many {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(KeySet::stringDictionaryKeys());
            for (int i = 0; i < 100; ++i)
                c.encode(std::int64_t{i}, numberedKey(i));
            for (int i = 0; i < 100; i += 7)
                c.encode(std::int64_t{-1}, numberedKey(i));
        }
    };
    Bytes expected;
    for (int i = 0; i < 100; ++i) {
        const Bytes entry = header(numberedKey(i), coding::DataType::variableLengthInteger);
        expected.insert(expected.end(), entry.begin(), entry.end());
        coding::appendVariableLength(i % 7 == 0 ? 0x01 : coding::zigZagEncode(i), expected);
    }
    EXPECT_EQ(encoded(Many{}), expected);
}

TEST(EncoderKeyedTest, KeyHeaders) {
    using coding::DataType;
    EXPECT_EQ(header(CodingKey("é"), DataType::variableLengthInteger), bytes({0x28, 0xC3, 0xA9}));
    EXPECT_EQ(header(CodingKey("x", -1), DataType::variableLengthInteger),
              bytes({0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(header(CodingKey("x", 3), DataType::eightBytes), bytes({0x31}));
    EXPECT_EQ(header(CodingKey("x", 8), DataType::twoBytes), bytes({0x87, 0x01}));
    const std::int64_t max = coding::MixedCodingKeyWrapper::maximumIntegerKey;
    EXPECT_EQ(header(CodingKey("m", max), DataType::byte),
              bytes({0xF6, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    // Every wire type of a string key.
    EXPECT_EQ(header(CodingKey("ab"), DataType::variableLength), bytes({0x2A, 0x61, 0x62}));
}

TEST(EncoderKeyedTest, KeyStandingAsAValue) {
    const coding::MixedCodingKeyWrapper text(CodingKey("ab"));
    EXPECT_EQ(text.dataType(), coding::DataType::variableLength);
    EXPECT_EQ(text.dataWithLengthPrefix(), bytes({0x02, 0x61, 0x62}));
    const coding::MixedCodingKeyWrapper number(CodingKey("300", 300));
    EXPECT_EQ(number.dataType(), coding::DataType::variableLengthInteger);
    EXPECT_EQ(number.data(), bytes({0xAC, 0x02}));
}

TEST(EncoderKeyedTest, SortOrdersIntegersNumericallyAndTextsByBytes) {
    const KeyList numbers{{CodingKey("ten", 10), CodingKey("two", 2), CodingKey("minus", -1)}};
    EXPECT_EQ(encoded(numbers, true), bytes({0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, // -1
                                             0x20, 0x02,                                                  // 2
                                             0xA0, 0x01, 0x00}));                                         // 10
    // "é" (C3 A9) sorts after "z", as its code point does.
    const KeyList texts{{CodingKey("é"), CodingKey("z"), CodingKey("B")}};
    EXPECT_EQ(encoded(texts, true), bytes({0x18, 0x42, 0x04, 0x18, 0x7A, 0x02, 0x28, 0xC3, 0xA9, 0x00}));
}

TEST(EncoderKeyedTest, SortWithMixedKeysIsDeterministic) {
    // Keys with and without integers compare by text; where that order is consistent it is kept.
    const KeyList consistent{{CodingKey("x", 5), CodingKey("m"), CodingKey("y", 1)}};
    EXPECT_EQ(encoded(consistent, true), bytes({0x18, 0x6D, 0x02, 0x10, 0x04, 0x50, 0x00}));
    // A cycle (1 < 2 by integer, "a" < "m" < "z" by text): the result depends only on the input.
    const KeyList cycle{{CodingKey("z", 1), CodingKey("a", 2), CodingKey("m")}};
    EXPECT_EQ(encoded(cycle, true), encoded(cycle, true));
    EXPECT_EQ(encoded(cycle, true), bytes({0x10, 0x00, 0x20, 0x02, 0x18, 0x6D, 0x04}));
}

// Writes the given Ints under the given keys, in the given order, in a container opened with the
// declared keys (by default the keys written).
struct KeyedInts {
    std::vector<std::pair<CodingKey, std::int64_t>> entries;
    std::vector<CodingKey> declared;

    void encode(coding::Encoder& encoder) const {
        std::vector<CodingKey> keys = declared;
        if (keys.empty())
            for (const auto& entry : entries)
                keys.push_back(entry.first);
        const KeySet keySet(keys);
        auto c = encoder.container(keySet);
        for (const auto& [key, value] : entries)
            c.encode(value, key);
    }
};

TEST(EncoderKeyedTest, SortComparesTextKeysComposedAndWritesThemAsGiven) {
    const std::string eAcute = "\xC3\xA9";                 // U+00E9
    const std::string eCombiningAcute = "e\xCC\x81";        // e, U+0301: U+00E9 once composed
    const std::string ga = "\xEA\xB0\x80";                 // U+AC00
    const std::string haJamo = "\xE1\x84\x92\xE1\x85\xA1"; // U+1112 U+1161: U+D558 once composed
    struct Case {
        const char* name;
        std::vector<std::pair<CodingKey, std::int64_t>> entries;
        Bytes expected;
        std::vector<CodingKey> declared = {};
    };
    const std::vector<Case> cases{
        {"a combining accent composed after f", {{eCombiningAcute, 1}, {"f", 2}},
         bytes({0x18, 0x66, 0x04, 0x38, 0x65, 0xCC, 0x81, 0x02})},
        {"conjoining jamo composed after U+AC00", {{haJamo, 1}, {ga, 2}},
         bytes({0x38, 0xEA, 0xB0, 0x80, 0x04, 0x68, 0xE1, 0x84, 0x92, 0xE1, 0x85, 0xA1, 0x02})},
        {"keys alike once composed, by their bytes", {{eAcute, 1}, {"f", 2}, {eCombiningAcute, 3}},
         bytes({0x18, 0x66, 0x04, 0x38, 0x65, 0xCC, 0x81, 0x06, 0x28, 0xC3, 0xA9, 0x02})},
        {"an integer key against a text key, by composed text", {{eCombiningAcute, 1}, {CodingKey("f", 7), 2}},
         bytes({0x70, 0x04, 0x38, 0x65, 0xCC, 0x81, 0x02})},
        {"ASCII keys by their bytes", {{"b", 1}, {"_", 2}, {"B", 3}, {"a", 4}},
         bytes({0x18, 0x42, 0x06, 0x18, 0x5F, 0x04, 0x18, 0x61, 0x08, 0x18, 0x62, 0x02})},
        {"a key from outside a set of ASCII keys", {{eCombiningAcute, 1}, {"f", 2}},
         bytes({0x18, 0x66, 0x04, 0x38, 0x65, 0xCC, 0x81, 0x02}), {"f", "g"}},
        // An integer key's text is not written and so need not be UTF-8: ordered by its bytes.
        {"an integer key's text that is not UTF-8", {{CodingKey("\xE1\x84", 1), 1}, {eCombiningAcute, 2}},
         bytes({0x38, 0x65, 0xCC, 0x81, 0x04, 0x10, 0x02})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Whatever order the keys are written in.
        EXPECT_EQ(encoded(KeyedInts{c.entries, c.declared}, true), c.expected);
        EXPECT_EQ(encoded(KeyedInts{{c.entries.rbegin(), c.entries.rend()}, c.declared}, true), c.expected);
    }
    // A dictionary's keys alike.
    EXPECT_EQ(encoded(std::map<std::string, std::int64_t>{{eCombiningAcute, 1}, {"f", 2}}, true),
              bytes({0x18, 0x66, 0x04, 0x38, 0x65, 0xCC, 0x81, 0x02}));
}

TEST(EncoderKeyedTest, EmptyRecordIsNoBytesAndNestedIsHeaderAndZeroLength) {
    EXPECT_TRUE(encoded(KeyList{}).empty());
    EXPECT_EQ(encoded(Boxed<KeyList>{}), bytes({0x1A, 0x76, 0x00}));
}

TEST(EncoderKeyedTest, DictionaryKeys) {
    // Text that looks like a number stays a text key.
    EXPECT_EQ(encoded(std::map<std::string, std::int64_t>{{"05", 1}}), bytes({0x28, 0x30, 0x35, 0x02}));
    EXPECT_EQ(encoded(std::map<std::int64_t, std::int64_t>{{5, 1}, {-1, 2}}),
              bytes({0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x50, 0x02}));
    // Other key types: key, value, key, value in a list.
    EXPECT_EQ(encoded(std::map<bool, std::int64_t>{{true, 1}}), bytes({0x01, 0x02}));
}

TEST(EncoderKeyedTest, DictionaryKeyOutOfRangeIsAnError) {
    const std::int64_t tooLarge = coding::MixedCodingKeyWrapper::maximumIntegerKey + 1;
    try {
        encoded(Boxed<std::map<std::int64_t, bool>>{{{tooLarge, true}}});
        FAIL() << "encoded an integer key that does not fit the header";
    } catch (const coding::EncodingError& error) {
        EXPECT_EQ(error.debugDescription(), coding::MixedCodingKeyWrapper::outOfRangeMessage(
                                                CodingKey(std::to_string(tooLarge), tooLarge)));
        ASSERT_EQ(error.codingPath().size(), 1u);
        EXPECT_EQ(error.codingPath()[0].intValue, tooLarge);
    }
    EXPECT_NO_THROW(encoded(std::map<std::int64_t, bool>{{coding::MixedCodingKeyWrapper::minimumIntegerKey, true}}));
}

TEST(EncoderKeyedTest, DictionaryKeyThatIsNotUtf8IsAnError) {
    for (const bool sort : {false, true}) {
        try {
            encoded(std::map<std::string, bool>{{"\xFF", true}, {"e\xCC\x81", false}}, sort);
            FAIL();
        } catch (const coding::EncodingError& error) {
            EXPECT_EQ(error.debugDescription(), "String is not UTF-8");
        }
    }
}

TEST(EncoderKeyedTest, NestedContainersUnderKeys) {
    struct Nested {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            auto list = c.nestedUnkeyedContainer(Pair::keyB);
            auto record = c.nestedContainer(Pair::keys, Pair::keyA);
            // Filled after both were stored: still part of the parent's bytes.
            list.encode(std::int64_t{1});
            record.encode(true, Pair::keyA);
        }
    };
    EXPECT_EQ(encoded(Nested{}), bytes({0x1A, 0x62, 0x01, 0x02, 0x1A, 0x61, 0x03, 0x18, 0x61, 0x01}));
}

TEST(EncoderKeyedTest, SuperEncoderIsIntegerKeyZero) {
    const Derived derived{Pair{1, "x"}, 2};
    EXPECT_EQ(encoded(derived),
              bytes({0x58, 0x65, 0x78, 0x74, 0x72, 0x61, 0x04, // "extra": 2
                     0x02, 0x07, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78}));
    struct SuperForKey {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            auto parent = c.superEncoder(Pair::keyB);
            EXPECT_EQ(parent->codingPath(), coding::CodingPath{Pair::keyB});
            parent->singleValueContainer().encode(std::int64_t{3});
        }
    };
    EXPECT_EQ(encoded(SuperForKey{}), bytes({0x18, 0x62, 0x06}));
}

TEST(EncoderKeyedTest, ValuesOfEveryWireTypeUnderKeys) {
    struct Wide {
        void encode(coding::Encoder& encoder) const {
            const KeySet keys{};
            auto c = encoder.container(keys);
            c.encode(std::int8_t{-1}, CodingKey("k1", 1));
            c.encode(std::uint16_t{0x0102}, CodingKey("k2", 2));
            c.encode(1.0f, CodingKey("k3", 3));
            c.encode(1.0, CodingKey("k4", 4));
            c.encode(coding::Data{7, 8}, CodingKey("k5", 5));
            c.encode(std::vector<std::uint8_t>{7, 8}, CodingKey("k6", 6));
        }
    };
    EXPECT_EQ(encoded(Wide{}), bytes({0x16, 0xFF,                                // byte
                                      0x27, 0x02, 0x01,                          // two bytes
                                      0x35, 0x3F, 0x80, 0x00, 0x00,              // four bytes
                                      0x41, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0,        // eight bytes
                                      0x52, 0x02, 0x07, 0x08,                    // blob
                                      0x62, 0x02, 0x07, 0x08}));                 // list of UInt8
}

} // namespace
} // namespace encodertest
