// Files of elements: appending, reading back, failed writes and hostile or truncated files.

#include "DecoderTestSupport.h"

#include "CompactCoding/BinaryFileDecoder.h"
#include "CompactCoding/BinaryFileEncoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"
#include "app/model/BibleStructure.h"
#include "coding/Coding.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

using namespace decodertest;
using coding::BinaryDecoder;
using coding::BinaryEncoder;
using coding::BinaryFileDecoder;
using coding::BinaryFileEncoder;
using coding::BinaryStreamEncoder;
using lumenscroll::BiblePraise;
using lumenscroll::BibleStructure;
using lumenscroll::Memo;

BibleStructure chapter(std::int64_t number, int verses) {
    BibleStructure result;
    result.versesIndex = number;
    result.order = 18;
    result.name = "시편";
    result.sectionIndex = 18;
    for (int i = 0; i < verses; ++i) {
        BiblePraise verse;
        verse.index = i;
        verse.word = "행위가 온전하여 여호와의 율법을 좇아 행하는 자는 복이 있음이여 " + std::to_string(i);
        Memo note;
        note.memoContent = i % 2 == 0 ? "" : "묵상 " + std::to_string(i);
        note.praise = i;
        verse.memo = std::make_shared<const Memo>(std::move(note));
        result.praises.push_back(verse);
    }
    return result;
}

class FileCoderTest : public testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("lumenscroll-file-coders-" + std::to_string(::getpid()) + "-" +
                      testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
        path_ = directory_ / "elements.bin";
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    void writeFile(const Bytes& bytes) const {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Bytes fileBytes() const {
        std::ifstream file(path_, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    template <class T>
    std::vector<T> readAll(BinaryDecoder options = {}) const {
        return BinaryFileDecoder<T>(path_, options).readAll();
    }

    std::filesystem::path directory_;
    std::filesystem::path path_;
};

TEST_F(FileCoderTest, AMissingFileIsCreatedEmpty) {
    BinaryFileEncoder<std::int64_t> encoder(path_);
    ASSERT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(std::filesystem::file_size(path_), 0u);
    BinaryFileDecoder<std::int64_t> decoder(path_);
    EXPECT_EQ(decoder.readElement(), std::nullopt);
    EXPECT_TRUE(decoder.readAll().empty());
}

TEST_F(FileCoderTest, NewElementsGoAfterTheOnesThere) {
    {
        BinaryFileEncoder<std::int64_t> encoder(path_);
        encoder.writeContents(std::vector<std::int64_t>{1, -1});
        encoder.close();
    }
    {
        BinaryFileEncoder<std::int64_t> encoder(path_);
        encoder.write(300);
    }
    EXPECT_EQ(fileBytes(), (Bytes{0x02, 0x01, 0xD8, 0x04}));
    EXPECT_EQ(readAll<std::int64_t>(), (std::vector<std::int64_t>{1, -1, 300}));
}

TEST_F(FileCoderTest, RecordsWithTheCodersOptions) {
    const std::vector<BibleStructure> chapters{chapter(1, 3), BibleStructure(), chapter(119, 176)};
    BinaryEncoder sorted;
    sorted.sortKeysDuringEncoding = true;
    sorted.prependNilIndexSetForUnkeyedContainers = true;
    BinaryFileEncoder<BibleStructure>(path_, sorted).writeContents(chapters);
    EXPECT_EQ(fileBytes(), BinaryStreamEncoder<BibleStructure>(sorted).encodeContents(chapters).bytes);

    BinaryDecoder withNils;
    withNils.containsNilIndexSetForUnkeyedContainers = true;
    EXPECT_EQ(readAll<BibleStructure>(withNils), chapters);

    std::vector<BibleStructure> handled;
    BinaryFileDecoder<BibleStructure>(path_, withNils).read([&](BibleStructure&& c) { handled.push_back(c); });
    EXPECT_EQ(handled, chapters);
}

TEST_F(FileCoderTest, OptionalElementsReadTheirMarkerOnce) {
    const std::vector<std::optional<std::string>> texts{std::nullopt, "abc", std::nullopt, ""};
    BinaryFileEncoder<std::optional<std::string>>(path_).writeContents(texts);
    EXPECT_EQ(fileBytes(), (Bytes{0x00, 0x01, 0x03, 'a', 'b', 'c', 0x00, 0x01, 0x00}));
    EXPECT_EQ(readAll<std::optional<std::string>>(), texts);

    std::filesystem::remove(path_);
    const std::vector<std::optional<BibleStructure>> chapters{chapter(2, 2), std::nullopt, BibleStructure()};
    BinaryFileEncoder<std::optional<BibleStructure>>(path_).writeContents(chapters);
    EXPECT_EQ(readAll<std::optional<BibleStructure>>(), chapters);
}

TEST_F(FileCoderTest, AReaderSeesWhatIsAppendedLater) {
    BinaryFileEncoder<std::string> encoder(path_);
    BinaryFileDecoder<std::string> decoder(path_);
    EXPECT_EQ(decoder.readElement(), std::nullopt);
    encoder.write("first");
    EXPECT_EQ(decoder.readElement(), "first");
    EXPECT_EQ(decoder.readElement(), std::nullopt);
    encoder.write("second");
    encoder.write("third");
    EXPECT_EQ(decoder.readAll(), (std::vector<std::string>{"second", "third"}));
}

TEST_F(FileCoderTest, AFileEndingInsideAnElement) {
    const std::vector<std::string> texts{"one", "two", "three"};
    Bytes bytes = BinaryStreamEncoder<std::string>().encodeContents(texts).bytes;
    bytes.pop_back();
    writeFile(bytes);
    EXPECT_CORRUPT(readAll<std::string>(), "Premature end of data", "");

    EXPECT_EQ(BinaryFileDecoder<std::string>(path_).readAllUntilError(), (std::vector<std::string>{"one", "two"}));
    std::exception_ptr error;
    EXPECT_EQ(BinaryFileDecoder<std::string>(path_).readAllUntilError(&error).size(), 2u);
    ASSERT_TRUE(error);
    EXPECT_CORRUPT(std::rethrow_exception(error), "Premature end of data", "");

    writeFile(BinaryStreamEncoder<std::string>().encodeContents(texts).bytes);
    error = nullptr;
    EXPECT_EQ(BinaryFileDecoder<std::string>(path_).readAllUntilError(&error), texts);
    EXPECT_FALSE(error);
}

TEST_F(FileCoderTest, HostileLengthsAskForNoMoreThanTheFileHolds) {
    // Lengths that no file of this size can satisfy, as the element's own length and in front
    // of a text: each fails at once, with nothing allocated for it.
    for (const std::uint64_t length : {std::uint64_t{1} << 45, std::uint64_t{1} << 62, std::uint64_t{100}}) {
        writeFile(Writer().varint(length).raw({0x18, 'a', 0x02}));
        EXPECT_CORRUPT(readAll<BibleStructure>(), "Premature end of data", "");
        EXPECT_CORRUPT(readAll<std::string>(), "Premature end of data", "");
        writeFile(Writer().raw({0x01}).varint(length).raw({'a'}));
        EXPECT_CORRUPT(readAll<std::optional<std::string>>(), "Premature end of data", "");
    }
    writeFile(Writer().raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}));
    EXPECT_CORRUPT(readAll<BibleStructure>(), "Invalid data size", "");
    writeFile(Bytes{0x80, 0x80});
    EXPECT_CORRUPT(readAll<std::int64_t>(), "Premature end of data", "");
}

TEST_F(FileCoderTest, ReadingGoesOnAfterABadElement) {
    Bytes bytes = BinaryStreamEncoder<BibleStructure>().encode(chapter(1, 1)).bytes;
    const Bytes bad = Writer().prefixed(Writer().raw({0x13}));
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    const Bytes after = BinaryStreamEncoder<BibleStructure>().encode(chapter(2, 1)).bytes;
    bytes.insert(bytes.end(), after.begin(), after.end());
    writeFile(bytes);

    BinaryFileDecoder<BibleStructure> decoder(path_);
    EXPECT_EQ(decoder.readElement(), chapter(1, 1));
    EXPECT_CORRUPT(decoder.readElement(), "Unknown data type 3", "");
    EXPECT_EQ(decoder.readElement(), chapter(2, 1));
    EXPECT_EQ(decoder.readElement(), std::nullopt);
}

// A type that reads nothing when it decodes.
struct Nothing {
    static Nothing decode(coding::Decoder&) { return {}; }
};

TEST_F(FileCoderTest, AnElementThatTakesNoBytesIsFoundOnce) {
    writeFile(Bytes{0x01, 0x02});
    EXPECT_EQ(readAll<Nothing>().size(), 1u);
}

TEST_F(FileCoderTest, AnEncodingErrorWritesNothing) {
    BinaryFileEncoder<std::vector<std::string>> encoder(path_);
    encoder.write({"fine"});
    const std::vector<std::vector<std::string>> elements{{"also fine"}, {"ok", std::string("\xC3", 1)}, {"never"}};
    EXPECT_THROW(encoder.writeContents(elements), coding::EncodingError);
    EXPECT_EQ(readAll<std::vector<std::string>>(), (std::vector<std::vector<std::string>>{{"fine"}, {"also fine"}}));
}

// Lets the file grow to `limit` bytes at most while it lives: a write that would pass the limit
// stops short, as it would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool ok_ = false;
};

TEST_F(FileCoderTest, AShortWriteLeavesNoPartOfTheElement) {
    BinaryFileEncoder<BibleStructure> encoder(path_);
    encoder.writeContents(std::vector<BibleStructure>{chapter(1, 2), chapter(2, 2)});
    const Bytes before = fileBytes();
    {
        // Room for a part of the next element only.
        FileSizeLimit limit(before.size() + 10);
        ASSERT_TRUE(limit.ok());
        try {
            encoder.write(chapter(3, 31));
            ADD_FAILURE() << "the write did not fail";
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code().value(), EFBIG);
        }
        EXPECT_EQ(fileBytes(), before);
    }
    // The next element goes where the failed one began.
    encoder.write(chapter(4, 1));
    EXPECT_EQ(readAll<BibleStructure>(), (std::vector<BibleStructure>{chapter(1, 2), chapter(2, 2), chapter(4, 1)}));
}

TEST_F(FileCoderTest, AWriteThatCannotBeUndoneClosesTheFile) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // A device that is always full and cannot be cut back: the encoder must not go on writing
    // frames after a partial one.
    BinaryFileEncoder<std::string> encoder("/dev/full");
    EXPECT_THROW(encoder.write("lost"), std::system_error);
    EXPECT_THROW(encoder.write("also lost"), std::system_error);
}

TEST_F(FileCoderTest, FilesThatCannotBeOpened) {
    EXPECT_THROW(BinaryFileDecoder<std::string>{directory_ / "missing"}, std::system_error);
    EXPECT_THROW(BinaryFileEncoder<std::string>{directory_ / "no" / "such" / "folder"}, std::system_error);
    EXPECT_THROW(BinaryFileEncoder<std::string>{directory_}, std::system_error);
}

} // namespace
