#include "ReadingTestSupport.h"

#include "app/model/BibleBook.h"
#include "testing/reading/BookText.h"

namespace lumenscroll::testing {

BibleStructure chapterRecord(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount,
                             const std::string& prefix) {
    BibleStructure record;
    record.versesIndex = chapterIndex;
    record.order = book;
    record.sectionIndex = book;
    record.kindOfBible = kind;
    record.language = kind == BibleKind::en01 ? "en" : "kr";
    for (int v = 0; v < verseCount; ++v) {
        BiblePraise praise;
        praise.index = v;
        praise.word = prefix + " " + std::to_string(v + 1);
        record.praises.push_back(praise);
    }
    return record;
}

std::string verseText(BibleKind kind, std::int64_t chapter, std::int64_t verse) {
    return (kind == BibleKind::en01 ? " the word " : " word ") + std::to_string(chapter) + "." +
           std::to_string(verse);
}

std::string bookText(std::int64_t book, BibleKind kind) {
    return bookText(
        *bibleBookFromRaw(book), kind == BibleKind::en01 ? "\r\n" : "\n",
        [kind](std::int64_t chapter, std::int64_t verse) { return verseText(kind, chapter, verse); });
}

} // namespace lumenscroll::testing
