#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryStreamBuffer.h"
#include "CompactCoding/DataDecoder.h"
#include "CompactCoding/DataDecodingBuffer.h"
#include "CompactCoding/FileHandle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace decodertest;
using coding::BinaryStreamBuffer;
using coding::DataDecoder;
using coding::DataDecodingBuffer;
using coding::FileHandle;

const coding::CodingPath here;

Bytes toBytes(std::span<const std::uint8_t> span) { return Bytes(span.begin(), span.end()); }

TEST(DataDecoder, ReadsExactlyOrFailsWithoutMoving) {
    const Bytes input{1, 2, 3};
    DataDecoder reader(input);
    EXPECT_EQ(toBytes(reader.getBytes(2, here)), (Bytes{1, 2}));
    EXPECT_CORRUPT(reader.getBytes(2, here), "Premature end of data", "");
    EXPECT_EQ(reader.index(), 2u);
    EXPECT_TRUE(reader.hasMoreBytes());
    EXPECT_EQ(reader.getByte(here), 3);
    EXPECT_FALSE(reader.hasMoreBytes());
    EXPECT_TRUE(reader.getBytes(0, here).empty());
    // A count near the top of size_t must not wrap around the bounds check.
    EXPECT_CORRUPT(reader.getBytes(SIZE_MAX, here), "Premature end of data", "");
}

TEST(DataDecoder, ReadsASliceFromItsOwnFirstByte) {
    Bytes input(12, 0);
    input[10] = 0xAA;
    input[11] = 0xBB;
    DataDecoder reader(std::span<const std::uint8_t>(input).subspan(10));
    EXPECT_EQ(reader.getByte(here), 0xAA);
    EXPECT_EQ(reader.remaining(), 1u);
}

// The reads every source offers through the interface, over the in-memory reader (which has its
// own fast forms) and over the stream buffer (which uses the shared byte-by-byte ones).
class ValueReads : public testing::TestWithParam<bool> {
protected:
    coding::BinaryStreamProvider& over(const Bytes& input) {
        if (GetParam()) {
            input_ = input; // the reader views it
            memory_.emplace(input_);
            return *memory_;
        }
        stream_.append(input);
        return stream_;
    }

private:
    Bytes input_;
    std::optional<DataDecoder> memory_;
    DataDecodingBuffer stream_;
};

TEST_P(ValueReads, VariableLengthValues) {
    EXPECT_TRUE(over({0x00}).getDataOfType(DataType::variableLength, here).empty());
    EXPECT_EQ(toBytes(over({0x03, 0x41, 0x42, 0x43}).getDataOfType(DataType::variableLength, here)),
              (Bytes{0x41, 0x42, 0x43}));
}

TEST_P(ValueReads, ShortVariableLengthValue) {
    EXPECT_CORRUPT(over({0x05, 0x41}).getDataOfType(DataType::variableLength, here), "Premature end of data", "");
}

TEST_P(ValueReads, NegativeLengthIsInvalidSize) {
    const Bytes input = Writer().raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80});
    EXPECT_CORRUPT(over(input).getDataOfType(DataType::variableLength, here), "Invalid data size", "");
}

TEST_P(ValueReads, HugeLengthFailsWithoutAllocating) {
    const Bytes input = Writer().varint(std::uint64_t{1} << 62).raw({1, 2, 3});
    EXPECT_CORRUPT(over(input).getDataOfType(DataType::variableLength, here), "Premature end of data", "");
}

TEST_P(ValueReads, NineByteVarintStopsAfterTheNinthByte) {
    auto& source = over({0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0xFF, 0x01});
    EXPECT_EQ(source.getVarintBytes(here).size(), 9u);
    EXPECT_EQ(source.getByte(here), 0x01);
}

TEST_P(ValueReads, TruncatedVarint) {
    EXPECT_CORRUPT(over({0x80}).getVarintBytes(here), "Premature end of data", "");
}

TEST_P(ValueReads, FixedSizesAndVarints) {
    auto& source = over({0x7F, 0xAC, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    EXPECT_EQ(source.getVariableLengthInteger(here), 0x7F);
    EXPECT_EQ(toBytes(source.getDataOfType(DataType::variableLengthInteger, here)), (Bytes{0xAC, 0x02}));
    EXPECT_EQ(toBytes(source.getDataOfType(DataType::byte, here)), (Bytes{1}));
    EXPECT_EQ(toBytes(source.getDataOfType(DataType::twoBytes, here)), (Bytes{2, 3}));
    EXPECT_EQ(toBytes(source.getDataOfType(DataType::fourBytes, here)), (Bytes{4, 5, 6, 7}));
    EXPECT_EQ(toBytes(source.getDataOfType(DataType::eightBytes, here)), (Bytes{8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_FALSE(source.hasMoreBytes());
}

INSTANTIATE_TEST_SUITE_P(InMemoryAndStream, ValueReads, testing::Bool(),
                         [](const auto& info) { return info.param ? "DataDecoder" : "DataDecodingBuffer"; });

TEST(DataDecodingBuffer, AShortReadMarksTheBufferUntilMoreBytesArrive) {
    DataDecodingBuffer buffer;
    buffer.append(Bytes{0x03, 0x41});
    EXPECT_CORRUPT(buffer.getDataOfType(DataType::variableLength, here), "Premature end of data", "");
    EXPECT_TRUE(buffer.didExceedBuffer());
    buffer.rewind();
    buffer.append(Bytes{0x42, 0x43, 0x09});
    EXPECT_FALSE(buffer.didExceedBuffer());
    EXPECT_EQ(toBytes(buffer.getDataOfType(DataType::variableLength, here)), (Bytes{0x41, 0x42, 0x43}));

    buffer.dropUsedBytes();
    EXPECT_EQ(toBytes(buffer.buffer()), (Bytes{0x09}));
    EXPECT_EQ(buffer.index(), 0u);
}

TEST(DataDecodingBuffer, DiscardsAtMostWhatItHolds) {
    DataDecodingBuffer buffer;
    buffer.append(Bytes{1, 2, 3});
    (void)buffer.getBytes(1, here);
    EXPECT_EQ(buffer.discardBytes(2), 2u);
    EXPECT_EQ(buffer.index(), 0u);
    EXPECT_EQ(buffer.getByte(here), 3);
    EXPECT_CORRUPT(buffer.getByte(here), "Premature end of data", "");
    EXPECT_EQ(buffer.discardBytes(10), 1u);
    EXPECT_TRUE(buffer.didExceedBuffer()); // discarding leaves the mark alone
    buffer.dropUsedBytes();
    EXPECT_FALSE(buffer.didExceedBuffer());
}

TEST(BinaryStreamBuffer, TakesOnlyTheMissingBytesFromItsSource) {
    auto source = std::make_shared<DataDecodingBuffer>();
    source->append(Bytes{1, 2, 3, 4, 5, 6, 7});
    BinaryStreamBuffer buffer(source);
    EXPECT_EQ(toBytes(buffer.getBytes(2, here)), (Bytes{1, 2}));
    buffer.rewind(); // two unread bytes in the buffer
    EXPECT_EQ(toBytes(buffer.getBytes(5, here)), (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(source->index(), 5u);
    EXPECT_EQ(buffer.buffer().size(), 5u);
    EXPECT_EQ(buffer.index(), 5u);

    buffer.clear();
    EXPECT_EQ(toBytes(buffer.getBytes(2, here)), (Bytes{6, 7}));
    EXPECT_FALSE(buffer.hasMoreBytes());
}

TEST(BinaryStreamBuffer, ASourceFailureLeavesTheBufferAsItWas) {
    auto source = std::make_shared<DataDecodingBuffer>();
    source->append(Bytes{1, 2});
    BinaryStreamBuffer buffer(source);
    (void)buffer.getBytes(1, here);
    EXPECT_CORRUPT(buffer.getBytes(5, here), "Premature end of data", "");
    EXPECT_EQ(buffer.buffer().size(), 1u);
    EXPECT_EQ(buffer.index(), 1u);
    EXPECT_TRUE(buffer.hasMoreBytes());
    EXPECT_EQ(buffer.getByte(here), 2);
    EXPECT_FALSE(buffer.hasMoreBytes());
}

// A scratch file, removed afterwards.
class FileHandleTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("compact-bytesource-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { std::filesystem::remove(path_); }

    void write(const Bytes& bytes) {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::filesystem::path path_;
};

TEST_F(FileHandleTest, AtTheEndThereIsNothingToRead) {
    write({});
    auto file = FileHandle::openForReading(path_);
    EXPECT_FALSE(file.hasMoreBytes());
    EXPECT_CORRUPT(file.getBytes(1, here), "Premature end of data", "");
}

TEST_F(FileHandleTest, AShortFileFailsTheRead) {
    write({1, 2, 3});
    auto file = FileHandle::openForReading(path_);
    EXPECT_CORRUPT(file.getBytes(4, here), "Premature end of data", "");
    // Refused before reading: the bytes are still there.
    EXPECT_EQ(toBytes(file.getBytes(3, here)), (Bytes{1, 2, 3}));
}

TEST_F(FileHandleTest, LookingAheadConsumesNothing) {
    write({7, 8});
    auto file = FileHandle::openForReading(path_);
    EXPECT_TRUE(file.hasMoreBytes());
    EXPECT_TRUE(file.hasMoreBytes());
    EXPECT_EQ(file.offset(), 0u);
    EXPECT_EQ(toBytes(file.getBytes(2, here)), (Bytes{7, 8}));
    EXPECT_FALSE(file.hasMoreBytes());
}

TEST_F(FileHandleTest, AHostileLengthAsksForNoMoreThanTheFileHolds) {
    write(Writer().varint(std::uint64_t{1} << 50).raw({1, 2, 3}));
    auto file = FileHandle::openForReading(path_);
    EXPECT_CORRUPT(file.getDataOfType(DataType::variableLength, here), "Premature end of data", "");
}

TEST_F(FileHandleTest, ReadsAValueLargerThanOneReadPiece) {
    Bytes payload(200000);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(i * 7);
    write(Writer().prefixed(payload));
    auto file = FileHandle::openForReading(path_);
    EXPECT_EQ(toBytes(file.getDataOfType(DataType::variableLength, here)), payload);
}

TEST_F(FileHandleTest, PipesAreReadWithoutKnowingTheirSize) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const Bytes input = Writer().varint(std::uint64_t{1} << 40).raw({1, 2, 3});
    ASSERT_EQ(::write(ends[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    ::close(ends[1]);
    FileHandle pipe(ends[0]);
    EXPECT_TRUE(pipe.hasMoreBytes());
    EXPECT_CORRUPT(pipe.getDataOfType(DataType::variableLength, here), "Premature end of data", "");
    EXPECT_FALSE(pipe.hasMoreBytes());
}

TEST_F(FileHandleTest, WritesAppendAfterSeekingToTheEnd) {
    write({1, 2});
    {
        auto file = FileHandle::openForWriting(path_);
        EXPECT_EQ(file.seekToEnd(), 2u);
        file.write(Bytes{3, 4});
        file.close();
        EXPECT_FALSE(file.isOpen());
    }
    auto file = FileHandle::openForReading(path_);
    EXPECT_EQ(toBytes(file.getBytes(4, here)), (Bytes{1, 2, 3, 4}));
}

TEST_F(FileHandleTest, OpeningAMissingFileIsASystemError) {
    EXPECT_THROW(FileHandle::openForReading(path_), std::system_error);
}

} // namespace
