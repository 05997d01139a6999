#include "app/reading/MarkBookFile.h"

#include "CompactCoding/BinaryStreamEncoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <vector>

namespace lumenscroll {
namespace {

MarkBookFile::Read decoded(const QByteArray& bytes) {
    return MarkBookFile::decode(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                              static_cast<std::size_t>(bytes.size())));
}

TEST(MarkBookFile, AFileReadsBackWholeOrAsFarAsItGoes) {
    const auto blank = std::make_shared<const Memo>();
    Memo note;
    note.memoContent = "For God so loved the world";
    MarkBook book;
    book.put({BibleKind::kr01, 0, 0}, MarkedVerse{0, 3, false, false, "", blank});
    book.put({BibleKind::kr01, 18, 22}, MarkedVerse{5, 0, true, false, "", blank});
    book.put({BibleKind::en01, 42, 2}, MarkedVerse{15, 0, false, true, "묵상", std::make_shared<const Memo>(note)});
    const QByteArray whole = MarkBookFile::encode(book);
    // A chapter of a book the tables do not have, between two good ones.
    const coding::Data outside = coding::BinaryStreamEncoder<MarkedChapter>().encodeContents(std::vector<MarkedChapter>{
        book.chapters().begin()->second, {BibleKind::kr01, 70, 0, {{1, 2, false, false, "", blank}}},
        std::next(book.chapters().begin())->second});

    const struct {
        const char* name;
        QByteArray bytes;
        std::size_t chapters;
        bool whole;
    } cases[] = {
        {"whole", whole, 3, true},
        {"empty", QByteArray(), 0, true},
        {"cut short in its last chapter", whole.left(whole.size() - 2), 2, false},
        {"a chapter of no book", QByteArray(reinterpret_cast<const char*>(outside.data()), static_cast<qsizetype>(outside.size())), 2, false},
        {"not a mark book", QByteArrayLiteral("\xff\xff\xff\xff"), 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MarkBookFile::Read read = decoded(c.bytes);
        EXPECT_EQ(read.whole, c.whole);
        EXPECT_EQ(read.book.chapters().size(), c.chapters);
        for (const auto& [chapter, marked] : read.book.chapters()) {
            EXPECT_EQ(book.chapter(chapter) ? *book.chapter(chapter) : MarkedChapter{}, marked);
        }
    }
}

} // namespace
} // namespace lumenscroll
