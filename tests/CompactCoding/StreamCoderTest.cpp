// Streams of elements: framing, bytes arriving in any pieces, and errors between good elements.

#include "DecoderTestSupport.h"
#include "EncoderTestRecords.h"

#include "CompactCoding/BinaryStreamDecoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"
#include "app/model/BiblePraise.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace decodertest;
// Two fields, so that the exact frame can be written out by hand.
using encodertest::Pair;
using coding::BinaryDecoder;
using coding::BinaryEncoder;
using coding::BinaryStreamDecoder;
using coding::BinaryStreamEncoder;
using coding::CodingKey;
using coding::KeySet;


// An element with a nested record (itself holding a note), a list, text and an optional.
struct Entry {
    std::int64_t number = 0;
    std::string text;
    std::vector<std::string> tags;
    std::optional<std::string> mark;
    lumenscroll::BiblePraise verse;

    static inline const CodingKey keyNumber{"number"}, keyText{"text"}, keyTags{"tags"}, keyMark{"mark"},
        keyVerse{"verse"};
    static inline const KeySet keys{keyNumber, keyText, keyTags, keyMark, keyVerse};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(number, keyNumber);
        c.encode(text, keyText);
        c.encode(tags, keyTags);
        c.encodeIfPresent(mark, keyMark);
        c.encode(verse, keyVerse);
    }
    static Entry decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Entry{c.decode<std::int64_t>(keyNumber), c.decode<std::string>(keyText),
                     c.decode<std::vector<std::string>>(keyTags), c.decodeIfPresent<std::string>(keyMark),
                     c.decode<lumenscroll::BiblePraise>(keyVerse)};
    }
    friend bool operator==(const Entry&, const Entry&) = default;
};

Entry entry(std::int64_t number, std::string text, std::optional<std::string> mark = std::nullopt) {
    Entry result{number, std::move(text), {"빛", "", "light"}, std::move(mark), {}};
    result.verse.index = number;
    result.verse.word = "태초에 하나님이 천지를 창조하시니라";
    lumenscroll::Memo note;
    note.memoContent = "note " + std::to_string(number);
    note.sharingOption = 2;
    result.verse.memo = std::make_shared<const lumenscroll::Memo>(std::move(note));
    return result;
}

Bytes bytesOf(const coding::Data& data) { return data.bytes; }

// Hands `bytes` to a new decoder in pieces whose sizes `nextSize` chooses, collecting what every
// call returns.
template <class T, class NextSize>
std::vector<T> decodeInPieces(const Bytes& bytes, NextSize nextSize, BinaryDecoder options = {}) {
    BinaryStreamDecoder<T> decoder(options);
    std::vector<T> out;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t size = std::min(nextSize(), bytes.size() - start);
        for (T& element : decoder.decode(std::span(bytes).subspan(start, size)))
            out.push_back(std::move(element));
        start += size;
    }
    EXPECT_EQ(decoder.bufferedByteCount(), 0u);
    EXPECT_EQ(decoder.decodeElement(), std::nullopt);
    return out;
}

// Every piece size from one byte up, and random cuts.
template <class T>
void expectRoundTripInPieces(const std::vector<T>& elements, BinaryEncoder encoderOptions = {},
                             BinaryDecoder decoderOptions = {}) {
    const Bytes stream = bytesOf(BinaryStreamEncoder<T>(encoderOptions).encodeContents(elements));
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, stream.size()})
        EXPECT_EQ(decodeInPieces<T>(stream, [piece] { return piece; }, decoderOptions), elements)
            << "pieces of " << piece;
    std::mt19937 random(42);
    for (int round = 0; round < 20; ++round) {
        std::uniform_int_distribution<std::size_t> size(0, 2 * stream.size() / std::max<std::size_t>(elements.size(), 1));
        EXPECT_EQ(decodeInPieces<T>(stream, [&] { return size(random); }, decoderOptions), elements);
    }
}

// The first bytes of `stream`, then the rest.
Bytes head(const Bytes& bytes, std::size_t count) { return Bytes(bytes.begin(), bytes.begin() + count); }
Bytes tail(const Bytes& bytes, std::size_t from) { return Bytes(bytes.begin() + from, bytes.end()); }

// A record frame whose single key header names the unused data type 3.
const Bytes badFrame = Writer().prefixed(Writer().raw({0x13}));

TEST(StreamEncoding, FramesEachElementByItsRootContainer) {
    const BinaryStreamEncoder<std::int64_t> integers;
    EXPECT_EQ(bytesOf(integers.encodeContents(std::vector<std::int64_t>{1, -1})), (Bytes{0x02, 0x01}));

    const Bytes record = Writer().intEntry("a", 1).textEntry("b", "x");
    ASSERT_EQ(record.size(), 7u);
    EXPECT_EQ(bytesOf(BinaryStreamEncoder<Pair>().encode(Pair{1, "x"})), Writer().prefixed(record).out);
    EXPECT_EQ(bytesOf(BinaryStreamEncoder<std::string>().encode("ab")), (Bytes{0x02, 'a', 'b'}));
    EXPECT_EQ(bytesOf(BinaryStreamEncoder<std::vector<std::int64_t>>().encode({1, -1})),
              (Bytes{0x02, 0x02, 0x01}));
    const BinaryStreamEncoder<std::optional<std::string>> optionals;
    EXPECT_EQ(bytesOf(optionals.encodeContents(std::vector<std::optional<std::string>>{"a", std::nullopt})),
              (Bytes{0x01, 0x01, 'a', 0x00}));
}

TEST(StreamEncoding, AFailingElementYieldsNothing) {
    const std::vector<Pair> elements{{1, "good"}, {2, std::string("\xFF", 1)}};
    const BinaryStreamEncoder<Pair> encoder;
    EXPECT_THROW(encoder.encodeContents(elements), coding::EncodingError);

    std::vector<std::uint8_t> out{0xAA};
    EXPECT_THROW(encoder.append(elements[1], out), coding::EncodingError);
    EXPECT_EQ(out, (Bytes{0xAA}));
}

TEST(StreamDecoding, ElementsArriveInAnyPieces) {
    expectRoundTripInPieces<std::int64_t>({1, -1, 0, INT64_MIN, INT64_MAX, 300});
    expectRoundTripInPieces<std::string>({"", "빛이 있으라", std::string(200, 'x')});
    expectRoundTripInPieces<Entry>({entry(1, "first"), entry(2, "", "marked"), entry(-3, std::string(300, 'y'))});
    expectRoundTripInPieces<std::vector<std::string>>({{}, {"a", "", "긴 글"}, {std::string(130, 'z')}});
    expectRoundTripInPieces<std::optional<std::string>>({"a", std::nullopt, "", std::nullopt});
    expectRoundTripInPieces<std::optional<Entry>>({entry(1, "one"), std::nullopt, entry(2, "two")});

    BinaryEncoder sortedWithNils;
    sortedWithNils.sortKeysDuringEncoding = true;
    sortedWithNils.prependNilIndexSetForUnkeyedContainers = true;
    BinaryDecoder withNils;
    withNils.containsNilIndexSetForUnkeyedContainers = true;
    expectRoundTripInPieces<std::vector<std::optional<std::int64_t>>>({{1, std::nullopt, 3}, {}, {std::nullopt}},
                                                                      sortedWithNils, withNils);
    expectRoundTripInPieces<Entry>({entry(7, "sorted"), entry(8, "too", "!")}, sortedWithNils, withNils);
}

TEST(StreamDecoding, AnIncompleteElementWaitsForTheRest) {
    const Bytes frame = bytesOf(BinaryStreamEncoder<Pair>().encode(Pair{1, "x"}));
    BinaryStreamDecoder<Pair> decoder;
    EXPECT_TRUE(decoder.decode(head(frame, 3)).empty());
    EXPECT_EQ(decoder.decodeElement(), std::nullopt);
    EXPECT_EQ(decoder.bufferedByteCount(), 3u);
    decoder.add(tail(frame, 3));
    EXPECT_EQ(decoder.decodeElement(), (Pair{1, "x"}));
    EXPECT_EQ(decoder.bufferedByteCount(), 0u);

    // Behind complete elements, too.
    Bytes two = frame;
    two.insert(two.end(), frame.begin(), frame.end() - 1);
    EXPECT_EQ(decoder.decode(two), (std::vector<Pair>{{1, "x"}}));
    EXPECT_EQ(decoder.bufferedByteCount(), frame.size() - 1);
    EXPECT_EQ(decoder.decode(tail(frame, frame.size() - 1)), (std::vector<Pair>{{1, "x"}}));
}

TEST(StreamDecoding, ABadElementLosesNoElementBeforeIt) {
    const BinaryStreamEncoder<Pair> encoder;
    Bytes stream = bytesOf(encoder.encode(Pair{1, "a"}));
    const Bytes good2 = bytesOf(encoder.encode(Pair{2, "b"}));
    const Bytes good3 = bytesOf(encoder.encode(Pair{3, "c"}));
    stream.insert(stream.end(), good2.begin(), good2.end());
    stream.insert(stream.end(), badFrame.begin(), badFrame.end());
    stream.insert(stream.end(), good3.begin(), good3.end());

    BinaryStreamDecoder<Pair> decoder;
    EXPECT_CORRUPT(decoder.decode(stream), "Unknown data type 3", "");
    // The failed element's bytes are gone; what follows it is still there.
    EXPECT_EQ(decoder.bufferedByteCount(), good3.size());
    // The elements decoded before the error come first, in order.
    EXPECT_EQ(decoder.decode({}), (std::vector<Pair>{{1, "a"}, {2, "b"}, {3, "c"}}));

    BinaryStreamDecoder<Pair> oneByOne;
    EXPECT_CORRUPT(oneByOne.decode(stream), "Unknown data type 3", "");
    EXPECT_EQ(oneByOne.decodeElement(), (Pair{1, "a"}));
    EXPECT_EQ(oneByOne.decodeElement(), (Pair{2, "b"}));
    EXPECT_EQ(oneByOne.decodeElement(), (Pair{3, "c"}));
    EXPECT_EQ(oneByOne.decodeElement(), std::nullopt);
}

TEST(StreamDecoding, ErrorsInARowKeepEveryEarlierElement) {
    const BinaryStreamEncoder<Pair> encoder;
    Bytes stream = bytesOf(encoder.encode(Pair{1, "a"}));
    stream.insert(stream.end(), badFrame.begin(), badFrame.end());
    const Bytes good2 = bytesOf(encoder.encode(Pair{2, "b"}));
    stream.insert(stream.end(), good2.begin(), good2.end());
    stream.insert(stream.end(), badFrame.begin(), badFrame.end());

    BinaryStreamDecoder<Pair> decoder;
    EXPECT_THROW(decoder.decode(stream), coding::DecodingError);
    EXPECT_THROW(decoder.decodeElements(), coding::DecodingError);
    EXPECT_EQ(decoder.decodeElements(), (std::vector<Pair>{{1, "a"}, {2, "b"}}));
}

TEST(StreamDecoding, ElementsBeforeAnErrorOnRequest) {
    Bytes stream = bytesOf(BinaryStreamEncoder<std::string>().encode("one"));
    stream.push_back(0x01); // a text one byte long, then a byte that is not UTF-8
    stream.push_back(0xFF);
    const Bytes after = bytesOf(BinaryStreamEncoder<std::string>().encode("two"));
    stream.insert(stream.end(), after.begin(), after.end());

    BinaryStreamDecoder<std::string> dropping;
    EXPECT_EQ(dropping.decode(stream, true), (std::vector<std::string>{"one"}));
    EXPECT_EQ(dropping.decode({}, true), (std::vector<std::string>{"two"}));

    BinaryStreamDecoder<std::string> reporting;
    reporting.add(stream);
    auto [elements, error] = reporting.decodeElementsUntilError();
    EXPECT_EQ(elements, (std::vector<std::string>{"one"}));
    ASSERT_TRUE(error);
    EXPECT_CORRUPT(std::rethrow_exception(error), "Invalid string", "");
    EXPECT_EQ(reporting.decodeElementsUntilError().elements, (std::vector<std::string>{"two"}));
}

TEST(StreamDecoding, HostileLengths) {
    // A length no stream will ever deliver is an element still arriving: nothing is allocated
    // for it, and the caller can skip it.
    BinaryStreamDecoder<Pair> decoder;
    const Bytes huge = Writer().varint(std::uint64_t{1} << 60).raw({0x18, 'a'});
    EXPECT_TRUE(decoder.decode(huge).empty());
    EXPECT_EQ(decoder.bufferedByteCount(), huge.size());
    EXPECT_EQ(decoder.discardBytes(100), huge.size());
    EXPECT_EQ(decoder.decode(bytesOf(BinaryStreamEncoder<Pair>().encode(Pair{5, "e"}))), (std::vector<Pair>{{5, "e"}}));

    // A length whose top bit is set is a real error, not a wait.
    const Bytes negative = Writer().raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80});
    EXPECT_CORRUPT(decoder.decode(negative), "Invalid data size", "");
    EXPECT_EQ(decoder.bufferedByteCount(), 0u);

    // A record whose inner text claims more than the record holds.
    const Bytes inner = Writer().intEntry("a", 1).stringKey("b", DataType::variableLength).varint(1000).raw({'x'});
    EXPECT_CORRUPT(decoder.decode(Writer().prefixed(inner)), "Premature end of data", "b");
}

// A type that reads nothing when it decodes.
struct Nothing {
    static Nothing decode(coding::Decoder&) { return {}; }
    friend bool operator==(const Nothing&, const Nothing&) = default;
};

TEST(StreamDecoding, AnElementThatTakesNoBytesIsFoundOnce) {
    BinaryStreamDecoder<Nothing> decoder;
    EXPECT_EQ(decoder.decode(Bytes{0x01, 0x02}).size(), 1u);
    EXPECT_EQ(decoder.bufferedByteCount(), 2u);
}

TEST(StreamDecoding, DiscardingSkipsBytesAtTheFront) {
    BinaryStreamDecoder<std::int64_t> decoder;
    decoder.add(Bytes{0x7F, 0x02, 0x04});
    EXPECT_EQ(decoder.discardBytes(1), 1u);
    EXPECT_EQ(decoder.decodeElements(), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(decoder.discardBytes(5), 0u);
}

} // namespace
