// Decoding one element at a time from a byte source, as the stream and file decoders do.

#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryStreamBuffer.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "CompactCoding/FileHandle.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace decodertest;
using coding::BinaryDecoder;
using coding::CodingKey;
using coding::KeySet;

struct Verse {
    std::int64_t number = 0;
    std::string text;
    std::vector<std::string> notes;
    std::optional<std::string> mark;

    static inline const CodingKey keyNumber{"number"}, keyText{"text"}, keyNotes{"notes"}, keyMark{"mark"};
    static inline const KeySet keys{keyNumber, keyText, keyNotes, keyMark};
    static Verse decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Verse{c.decode<std::int64_t>(keyNumber), c.decode<std::string>(keyText),
                     c.decode<std::vector<std::string>>(keyNotes), c.decodeIfPresent<std::string>(keyMark)};
    }
};

Bytes verseBytes(std::int64_t number, std::string_view text) {
    return Writer()
        .intEntry("number", number)
        .textEntry("text", text)
        .stringKey("notes", DataType::variableLength)
        .prefixed(Writer().text("first").text("second"));
}

TEST(DecodingFromASource, EachElementTakesExactlyItsOwnBytes) {
    coding::DataDecodingBuffer source;
    source.append(Writer()
                      .prefixed(verseBytes(1, "In the beginning"))
                      .zigzag(-1)
                      .text("abc")
                      .prefixed(Writer().zigzag(2).zigzag(-3))
                      .raw({1})
                      .text("maybe")
                      .raw({0})
                      .raw({1})
                      .prefixed(verseBytes(2, "and")));
    const BinaryDecoder decoder;
    const Verse verse = decoder.decodeFromProvider<Verse>(source);
    EXPECT_EQ(verse.text, "In the beginning");
    EXPECT_EQ(verse.notes, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(decoder.decodeFromProvider<std::int64_t>(source), -1);
    EXPECT_EQ(decoder.decodeFromProvider<std::string>(source), "abc");
    EXPECT_EQ(decoder.decodeFromProvider<std::vector<std::int64_t>>(source), (std::vector<std::int64_t>{2, -3}));
    // Optionals: the marker is read once, then the value with its length prefix.
    EXPECT_EQ(decoder.decodeFromProvider<std::optional<std::string>>(source), "maybe");
    EXPECT_EQ(decoder.decodeFromProvider<std::optional<std::string>>(source), std::nullopt);
    EXPECT_EQ(decoder.decodeFromProvider<std::optional<Verse>>(source)->number, 2);
    EXPECT_FALSE(source.hasMoreBytes());
}

TEST(DecodingFromASource, AnIncompleteElementMarksTheBuffer) {
    const Bytes frame = Writer().prefixed(verseBytes(1, "text"));
    coding::DataDecodingBuffer source;
    source.append(std::span(frame).first(5));
    EXPECT_CORRUPT(BinaryDecoder().decodeFromProvider<Verse>(source), "Premature end of data", "");
    EXPECT_TRUE(source.didExceedBuffer());
    source.rewind();
    source.append(std::span(frame).subspan(5));
    EXPECT_EQ(BinaryDecoder().decodeFromProvider<Verse>(source).number, 1);
}

class FileDecodingTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("compact-decoding-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { std::filesystem::remove(path_); }

    void write(const Bytes& bytes) {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Reads elements the way the file decoder does: one element from the buffer, then the buffer
    // is emptied.
    template <class T>
    std::vector<T> readAll() {
        auto handle = std::make_shared<coding::FileHandle>(coding::FileHandle::openForReading(path_));
        coding::BinaryStreamBuffer buffer(handle);
        std::vector<T> elements;
        while (buffer.hasMoreBytes()) {
            elements.push_back(BinaryDecoder().decodeFromProvider<T>(buffer));
            buffer.clear();
        }
        return elements;
    }

    std::filesystem::path path_;
};

TEST_F(FileDecodingTest, RecordsWithNestedValues) {
    write(Writer().prefixed(verseBytes(1, "one")).prefixed(verseBytes(2, "two")));
    const auto verses = readAll<Verse>();
    ASSERT_EQ(verses.size(), 2u);
    EXPECT_EQ(verses[0].text, "one");
    EXPECT_EQ(verses[1].notes[1], "second");
}

TEST_F(FileDecodingTest, OptionalElementsReadTheirMarkerOnce) {
    write(Writer().raw({1}).text("abc").raw({0}).raw({1}).text(""));
    EXPECT_EQ(readAll<std::optional<std::string>>(),
              (std::vector<std::optional<std::string>>{"abc", std::nullopt, ""}));
    write(Bytes{0x01, 0x0A, 0x00, 0x01, 0x01});
    EXPECT_EQ(readAll<std::optional<std::int64_t>>(), (std::vector<std::optional<std::int64_t>>{5, std::nullopt, -1}));
}

TEST_F(FileDecodingTest, AFileEndingInsideAnElement) {
    const Bytes third = Writer().prefixed(verseBytes(3, "three"));
    write(Writer().prefixed(verseBytes(1, "one")).prefixed(verseBytes(2, "two")).raw(Bytes(third.begin(), third.end() - 2)));
    EXPECT_CORRUPT(readAll<Verse>(), "Premature end of data", "");
    write(Writer().varint(std::uint64_t{1} << 45).raw({0x18}));
    EXPECT_CORRUPT(readAll<Verse>(), "Premature end of data", "");
}

} // namespace
