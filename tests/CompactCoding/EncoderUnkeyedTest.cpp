#include "CompactCoding/BinaryEncoder.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

#include <set>

namespace encodertest {
namespace {

using coding::BinaryEncoder;
using coding::KeySet;

template <class T>
Bytes encoded(const T& value, bool nilIndices = false) {
    BinaryEncoder encoder;
    encoder.prependNilIndexSetForUnkeyedContainers = nilIndices;
    return bytesOf(encoder.encode(value));
}

// encode(1), encodeNil(), encode(2).
struct WithNil {
    void encode(coding::Encoder& encoder) const {
        auto list = encoder.unkeyedContainer();
        list.encode(std::int64_t{1});
        list.encodeNil();
        list.encode(std::int64_t{2});
        EXPECT_EQ(list.count(), 3);
    }
};

TEST(EncoderUnkeyedTest, ElementsInOrderWithLengthPrefixesWhereNeeded) {
    EXPECT_EQ(encoded(std::vector<std::int64_t>{1, 2}), bytes({0x02, 0x04}));
    EXPECT_EQ(encoded(std::vector<std::string>{"ab", "c", ""}), bytes({0x02, 0x61, 0x62, 0x01, 0x63, 0x00}));
    EXPECT_EQ(encoded(std::vector<Pair>{{1, "x"}}), bytes({0x07, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78}));
    EXPECT_EQ(encoded(std::vector<std::vector<bool>>{{true}, {}}), bytes({0x01, 0x01, 0x00}));
    EXPECT_EQ(encoded(std::set<std::int16_t>{2, 1}), bytes({0x01, 0x00, 0x02, 0x00}));
}

TEST(EncoderUnkeyedTest, EmptyListWithAndWithoutNilIndexSet) {
    EXPECT_TRUE(encoded(std::vector<std::int64_t>{}).empty());
    EXPECT_EQ(encoded(std::vector<std::int64_t>{}, true), bytes({0x00}));
}

TEST(EncoderUnkeyedTest, NilPositionsComeFirstWithTheOption) {
    EXPECT_EQ(encoded(WithNil{}, true), bytes({0x01, 0x01, 0x02, 0x04}));
    // Without the option a nil leaves no trace.
    EXPECT_EQ(encoded(WithNil{}), bytes({0x02, 0x04}));
}

TEST(EncoderUnkeyedTest, NestedListsCarryTheirOwnNilIndexSets) {
    EXPECT_EQ(encoded(std::vector<std::vector<std::int64_t>>{{}, {3}}, true),
              bytes({0x00, 0x01, 0x00, 0x02, 0x00, 0x06}));
}

TEST(EncoderUnkeyedTest, NestedContainerKeepsThePositionItWasMadeAt) {
    struct Late {
        void encode(coding::Encoder& encoder) const {
            auto list = encoder.unkeyedContainer();
            auto record = list.nestedContainer(Pair::keys);
            auto inner = list.nestedUnkeyedContainer();
            list.encode(std::int64_t{7});
            record.encode(std::int64_t{1}, Pair::keyA);
            inner.encode(std::int64_t{2});
            list.superEncoder()->singleValueContainer().encode(std::string("s"));
            EXPECT_EQ(list.count(), 4);
        }
    };
    EXPECT_EQ(encoded(Late{}), bytes({0x03, 0x18, 0x61, 0x02, // the record
                                      0x01, 0x04,             // the inner list
                                      0x0E,                   // 7
                                      0x01, 0x73}));          // the super encoder's text
}

TEST(EncoderUnkeyedTest, ListsUnderKeysAndPrimitivesOfEveryWidth) {
    struct Mixed {
        void encode(coding::Encoder& encoder) const {
            auto list = encoder.unkeyedContainer();
            list.encode(std::uint8_t{1});
            list.encode(std::int16_t{-1});
            list.encode(2.0f);
            list.encode(coding::FixedSize<std::uint64_t>(1));
            list.encode(coding::Data{9});
        }
    };
    EXPECT_EQ(encoded(Mixed{}), bytes({0x01, 0xFF, 0xFF, 0x40, 0x00, 0x00, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x09}));
    EXPECT_EQ(encoded(Boxed<std::vector<std::int64_t>>{{1}}), bytes({0x1A, 0x76, 0x01, 0x02}));
}

} // namespace
} // namespace encodertest
