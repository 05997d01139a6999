// The reader of the mark book's file over arbitrary bytes. It never throws, and what it gives is a
// book the program can use and keep:
// - every chapter names a chapter of the tables, its verses in order, each once, none blank;
// - the book written and read again is the same book, read whole;
// - a page on each of its chapters shows exactly the book's marks there.

#include "FuzzCheck.h"

#include "app/model/BibleStructure.h"
#include "app/model/MarkBook.h"
#include "app/reading/MarkBookFile.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace lumenscroll;
using fuzzing::check;

// The most verses a chapter has (Psalm 119), and a few past them.
constexpr std::int64_t pageVerses = 180;

void checkChapter(const MarkBook::Chapter& chapter, const MarkedChapter& marked, const MarkBook& book) {
    check(marked.kindOfBible == chapter.kind && marked.sectionIndex == chapter.book &&
              marked.versesIndex == chapter.chapterIndex,
          "a chapter is filed under another");
    check(!marked.verses.empty(), "a chapter without a marked verse is kept");
    BibleStructure page;
    page.kindOfBible = chapter.kind;
    page.sectionIndex = chapter.book;
    page.versesIndex = chapter.chapterIndex;
    check(MarkBook::chapterOf(page) == chapter, "a chapter is none of the tables");
    std::int64_t previous = -1;
    for (const MarkedVerse& verse : marked.verses) {
        check(verse.verse > previous, "verses out of order or named twice");
        check(!verse.isBlank(), "a verse without marks is kept");
        check(verse.memo != nullptr, "a verse without a note object");
        previous = verse.verse;
    }
    page.praises.resize(static_cast<std::size_t>(std::min<std::int64_t>(previous + 2, pageVerses)));
    book.showOn(page);
    check(book.isShownBy(page), "a page does not show the marks it was given");
    for (std::size_t j = 0; j < page.praises.size(); ++j) {
        check(book.marks(chapter, static_cast<std::int64_t>(j)).isShownBy(page.praises[j]),
              "a page shows other marks than the book's");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MarkBookFile::Read read = MarkBookFile::decode(std::span<const std::uint8_t>(data, size));
    for (const auto& [chapter, marked] : read.book.chapters()) {
        checkChapter(chapter, marked, read.book);
    }
    const QByteArray written = MarkBookFile::encode(read.book);
    const MarkBookFile::Read again = MarkBookFile::decode(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(written.constData()), static_cast<std::size_t>(written.size())));
    check(again.whole, "a book written does not read back whole");
    check(again.book == read.book, "a book written reads back as another");
    check(MarkBookFile::encode(again.book) == written, "a book is written two ways");
    return 0;
}
