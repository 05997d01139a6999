// Input from outside is hostile: whatever the bytes, decoding ends in a value or a decoding error.

#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

using namespace decodertest;
using coding::BinaryDecoder;
using coding::CodingKey;
using coding::KeySet;

struct Tree {
    std::vector<Tree> kids;
    static inline const CodingKey keyKids{"kids"};
    static inline const KeySet keys{keyKids};
    static Tree decode(coding::Decoder& decoder) {
        return Tree{decoder.container(keys).decode<std::vector<Tree>>(keyKids)};
    }
    std::size_t height() const {
        std::size_t below = 0;
        for (const Tree& kid : kids)
            below = std::max(below, kid.height());
        return below + 1;
    }
};

Bytes treeOfHeight(std::size_t height) {
    Bytes tree = Writer().stringKey("kids", DataType::variableLength).prefixed({});
    for (std::size_t i = 1; i < height; ++i)
        tree = Writer().stringKey("kids", DataType::variableLength).prefixed(Writer().prefixed(tree));
    return tree;
}

TEST(HostileInput, DeepNestingIsRefusedBeforeTheStackRunsOut) {
    EXPECT_EQ(BinaryDecoder().decode<Tree>(treeOfHeight(100)).height(), 100u);
    auto error = decodingErrorOf([] { BinaryDecoder().decode<Tree>(treeOfHeight(3000)); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->debugDescription(), "Data nested too deeply");
    EXPECT_EQ(pathText(error->codingPath()).substr(0, 13), "kids.0.kids.0");

    // The same over a byte source, where every level is read from the one reader.
    coding::DataDecodingBuffer source;
    source.append(Writer().prefixed(treeOfHeight(3000)));
    EXPECT_CORRUPT(BinaryDecoder().decodeFromProvider<Tree>(source), "Data nested too deeply",
                   pathText(error->codingPath()));
}


// A little of everything the containers hand out.
struct Everything {
    std::string text;
    std::vector<std::optional<Point>> points;
    std::map<std::string, std::vector<std::int32_t>> lists;
    std::optional<double> number;
    coding::Data blob;
    std::vector<Tree> trees;

    static inline const CodingKey keyText{"text", 1}, keyPoints{"points", 2}, keyLists{"lists", 3},
        keyNumber{"number", 4}, keyBlob{"blob", 5}, keyTrees{"trees", 6};
    static inline const KeySet keys{keyText, keyPoints, keyLists, keyNumber, keyBlob, keyTrees};
    static Everything decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Everything{c.decode<std::string>(keyText),
                          c.decode<std::vector<std::optional<Point>>>(keyPoints),
                          c.decode<std::map<std::string, std::vector<std::int32_t>>>(keyLists),
                          c.decode<std::optional<double>>(keyNumber),
                          c.decode<coding::Data>(keyBlob),
                          c.decode<std::vector<Tree>>(keyTrees)};
    }
};

Bytes everythingBytes() {
    const Bytes point = Writer().intEntry("x", 3).intEntry("y", -300);
    return Writer()
        .intKey(1, DataType::variableLength)
        .text("héllo")
        .intKey(2, DataType::variableLength)
        .prefixed(Writer().raw({1}).prefixed(point).raw({0}).raw({1}).prefixed(point))
        .intKey(3, DataType::variableLength)
        .prefixed(Writer().stringKey("a", DataType::variableLength).prefixed(Writer().zigzag(1).zigzag(-70000)))
        .intKey(4, DataType::variableLength)
        .prefixed(Writer().raw({1, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0}))
        .intKey(5, DataType::variableLength)
        .prefixed(Bytes{9, 8, 7})
        .intKey(6, DataType::variableLength)
        .prefixed(Writer().prefixed(treeOfHeight(4)).prefixed(treeOfHeight(1)));
}

// Anything but a decoding error escaping, or a crash, fails the test.
template <class T>
void decodeAnything(std::span<const std::uint8_t> bytes, const BinaryDecoder& decoder) {
    try {
        (void)decoder.decode<T>(bytes);
    } catch (const coding::DecodingError&) {
    }
    coding::DataDecodingBuffer source;
    source.append(bytes);
    try {
        while (source.hasMoreBytes())
            (void)decoder.decodeFromProvider<T>(source);
    } catch (const coding::DecodingError&) {
    }
}

TEST(HostileInput, DamagedRecordsFailCleanly) {
    const Bytes valid = everythingBytes();
    ASSERT_EQ(BinaryDecoder().decode<Everything>(valid).trees[0].height(), 4u);

    BinaryDecoder withNilIndices;
    withNilIndices.containsNilIndexSetForUnkeyedContainers = true;
    std::mt19937 random(20240601);
    for (int round = 0; round < 4000; ++round) {
        Bytes damaged = valid;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = random() % damaged.size();
            switch (random() % 4) {
            case 0: damaged[at] = static_cast<std::uint8_t>(random()); break;
            case 1: damaged[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
            case 2: damaged.erase(damaged.begin() + static_cast<std::ptrdiff_t>(at)); break;
            default: damaged.insert(damaged.begin() + static_cast<std::ptrdiff_t>(at), 0xFF); break;
            }
            if (damaged.empty())
                damaged.push_back(0);
        }
        decodeAnything<Everything>(damaged, BinaryDecoder());
        decodeAnything<Everything>(damaged, withNilIndices);
    }
}

TEST(HostileInput, RandomBytesFailCleanly) {
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        Bytes bytes(random() % 48);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        decodeAnything<Everything>(bytes, BinaryDecoder());
        decodeAnything<std::vector<std::optional<std::string>>>(bytes, BinaryDecoder());
        decodeAnything<std::map<std::int64_t, Tree>>(bytes, BinaryDecoder());
    }
}

} // namespace
