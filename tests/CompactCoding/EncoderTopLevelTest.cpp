#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/KeyedEncoder.h"
#include "CompactCoding/UserInfoFlag.h"
#include "EncoderTestRecords.h"

#include <gtest/gtest.h>

namespace encodertest {
namespace {

using coding::BinaryEncoder;

// Records the user info its encoder hands it.
struct SeesUserInfo {
    static inline coding::UserInfo seen;
    void encode(coding::Encoder& encoder) const {
        seen = encoder.userInfo();
        encoder.singleValueContainer().encode(true);
    }
};

struct Book {
    std::string title;
    std::vector<Pair> chapters;
    std::optional<Outer> note;
    static inline const coding::CodingKey keyTitle{"title"}, keyChapters{"chapters"}, keyNote{"note"};
    static inline const coding::KeySet keys{keyTitle, keyChapters, keyNote};
    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(title, keyTitle);
        c.encode(chapters, keyChapters);
        c.encodeIfPresent(note, keyNote);
    }
};

TEST(BinaryEncoderTest, TopLevelValuesAreTheirBareBytes) {
    BinaryEncoder encoder;
    EXPECT_EQ(bytesOf(encoder.encode(std::string("abc"))), bytes({0x61, 0x62, 0x63}));
    EXPECT_EQ(bytesOf(encoder.encode(std::int64_t{-1})), bytes({0x01}));
    EXPECT_EQ(bytesOf(encoder.encode(coding::Data{1, 2})), bytes({0x01, 0x02}));
    EXPECT_EQ(bytesOf(encoder.encode(std::make_shared<Pair>(Pair{1, "x"}))),
              bytes({0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78}));
}

TEST(BinaryEncoderTest, StreamElementsAreLengthPrefixedWhereTheyNeedIt) {
    BinaryEncoder encoder;
    std::vector<std::uint8_t> stream;
    encoder.appendForStream(Pair{1, "x"}, stream);
    encoder.appendForStream(std::int64_t{3}, stream);
    encoder.appendForStream(std::string("ab"), stream);
    encoder.appendForStream(std::vector<bool>{true}, stream);
    EXPECT_EQ(stream, bytes({0x07, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78, // record
                             0x06,                                           // Int
                             0x02, 0x61, 0x62,                               // text
                             0x01, 0x01}));                                  // list
    EXPECT_EQ(bytesOf(encoder.encodeForStream(std::int64_t{3})), bytes({0x06}));
}

// Encodes another value with an encoder of its own while it is being encoded.
struct EncodesInside {
    void encode(coding::Encoder& encoder) const {
        const coding::Data inner = BinaryEncoder{}.encode(std::vector<Pair>{{1, "x"}});
        auto c = encoder.container(Pair::keys);
        c.encode(inner, Pair::keyB);
        c.encode(std::int64_t{static_cast<std::int64_t>(inner.size())}, Pair::keyA);
    }
};

TEST(BinaryEncoderTest, EncodesInsideEncodes) {
    EXPECT_EQ(bytesOf(BinaryEncoder{}.encode(EncodesInside{})),
              bytes({0x1A, 0x62, 0x08, 0x07, 0x18, 0x61, 0x02, 0x1A, 0x62, 0x01, 0x78, 0x18, 0x61, 0x10}));
}

// Keeps the container it was handed after its encode is over.
struct KeepsItsContainer {
    static inline std::optional<coding::KeyedEncodingContainer> kept;
    void encode(coding::Encoder& encoder) const {
        kept.emplace(encoder.container(Pair::keys));
        kept->encode(std::string(40, 'k'), Pair::keyB);
    }
};

TEST(BinaryEncoderTest, ContainerKeptAfterItsEncodeStaysUsable) {
    const Bytes first = bytesOf(BinaryEncoder{}.encode(KeepsItsContainer{}));
    // Other encodes reuse memory meanwhile; the kept container's must not be among it.
    for (int i = 0; i < 3; ++i)
        BinaryEncoder{}.encode(std::vector<std::string>(100, std::string(50, 'x')));
    KeepsItsContainer::kept->nestedUnkeyedContainer(Pair::keyA).encode(true);
    const auto& container = dynamic_cast<const coding::KeyedEncoder&>(KeepsItsContainer::kept->box());
    Bytes expected = first;
    expected.insert(expected.end(), {0x1A, 0x61, 0x01, 0x01});
    EXPECT_EQ(container.data(), expected);
    KeepsItsContainer::kept.reset();
    EXPECT_EQ(first.size(), 43u);
}

TEST(BinaryEncoderTest, OptionsReachTheNodesThroughUserInfo) {
    BinaryEncoder encoder;
    encoder.userInfo["custom"] = 7;
    encoder.encode(SeesUserInfo{});
    EXPECT_FALSE(coding::userInfoFlag(coding::UserInfoOption::sort, SeesUserInfo::seen));
    EXPECT_EQ(std::any_cast<int>(SeesUserInfo::seen.at("custom")), 7);

    encoder.sortKeysDuringEncoding = true;
    encoder.prependNilIndexSetForUnkeyedContainers = true;
    encoder.userInfo["sort"] = false;
    encoder.encode(SeesUserInfo{});
    EXPECT_TRUE(coding::userInfoFlag(coding::UserInfoOption::sort, SeesUserInfo::seen));
    EXPECT_TRUE(coding::userInfoFlag(coding::UserInfoOption::nilIndices, SeesUserInfo::seen));
    // The caller's own entries are not changed.
    EXPECT_FALSE(std::any_cast<bool>(encoder.userInfo.at("sort")));
}

TEST(BinaryEncoderTest, CallersSortEntryCountsWhenTheOptionIsOff) {
    struct BA {
        void encode(coding::Encoder& encoder) const {
            auto c = encoder.container(Pair::keys);
            c.encode(true, Pair::keyB);
            c.encode(false, Pair::keyA);
        }
    };
    BinaryEncoder encoder;
    encoder.userInfo["sort"] = true;
    EXPECT_EQ(bytesOf(encoder.encode(BA{})), bytes({0x18, 0x61, 0x00, 0x18, 0x62, 0x01}));
    encoder.userInfo["sort"] = std::string("yes"); // not a Bool: off
    EXPECT_EQ(bytesOf(encoder.encode(BA{})), bytes({0x18, 0x62, 0x01, 0x18, 0x61, 0x00}));
    encoder.userInfo["nilIndices"] = true;
    EXPECT_EQ(bytesOf(encoder.encode(std::vector<bool>{})), bytes({0x00}));
}

TEST(BinaryEncoderTest, SortedNestedRecordsAndLists) {
    BinaryEncoder encoder;
    encoder.sortKeysDuringEncoding = true;
    const Book book{"T", {{2, "b"}, {1, ""}}, Outer{{0, "a"}}};
    // chapters < note < title; inside each Pair a < b; Outer's single key is an integer.
    EXPECT_EQ(bytesOf(encoder.encode(book)),
              bytes({0x8A, 0x01, 'c', 'h', 'a', 'p', 't', 'e', 'r', 's', 0x0F,      // chapters, 15 bytes
                     0x07, 0x18, 'a', 0x04, 0x1A, 'b', 0x01, 'b',                   //   {2, "b"}
                     0x06, 0x18, 'a', 0x02, 0x1A, 'b', 0x00,                        //   {1, ""}
                     0x4A, 'n', 'o', 't', 'e', 0x09,                                // note, 9 bytes
                     0x32, 0x07, 0x18, 'a', 0x00, 0x1A, 'b', 0x01, 'a',             //   inner under key 3
                     0x5A, 't', 'i', 't', 'l', 'e', 0x01, 'T'}));                   // title
}

} // namespace
} // namespace encodertest
