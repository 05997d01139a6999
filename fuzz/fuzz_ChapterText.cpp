// Arbitrary bytes as a book's text resource, cut into lines and parsed for one chapter. The first
// byte chooses the translation (bit 0: Korean or English line ends; bit 1: a translation without
// text), the second the book and the third the chapter (a few numbers past the book's last
// chapter included); the rest is the text. Nothing may fail on any bytes, and:
// - lines are never empty and are cut only at the translation's own line end;
// - a chapter has at most the table's count of lines, and its verses are numbered 0, 1, ... in
//   order, one per line or two for a merged line, so that no verse lies past the table's count
//   but the second of a merged line that ends the chapter (as the texts end a few chapters);
// - the verses of UTF-8 text are UTF-8: the program stores them as JSON, which holds nothing else.

#include "FuzzCheck.h"

#include "app/model/BibleBook.h"
#include "app/reading/ChapterText.h"
#include "coding/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace {

using fuzzing::fail;
using namespace lumenscroll;

void checkLines(std::string_view text, const std::vector<std::string_view>& lines, BibleKind kind) {
    const char* previousEnd = text.data();
    for (const std::string_view line : lines) {
        if (line.empty()) {
            fail("an empty line is kept");
        }
        if (line.data() < previousEnd || line.data() + line.size() > text.data() + text.size()) {
            fail("a line is not a later part of the text");
        }
        previousEnd = line.data() + line.size();
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\n') {
                continue;
            }
            const bool afterReturn = i > 0 && line[i - 1] == '\r';
            // A Korean line holds an LF only as part of CR LF, an English line never as part of it.
            if (afterReturn != (kind == BibleKind::kr01)) {
                fail("a line runs on past its translation's line end");
            }
        }
    }
}

void checkVerses(std::span<const std::string_view> chapterLines, const std::vector<BiblePraise>& verses,
                 std::int64_t tableCount, bool utf8) {
    const bool endsMerged = !chapterLines.empty() && ChapterText::parseLine(chapterLines.back()).merged;
    const auto allowed = tableCount + (endsMerged ? 1 : 0);
    if (static_cast<std::int64_t>(chapterLines.size()) > tableCount) {
        fail("a chapter has more lines than the table counts");
    }
    if (verses.size() > chapterLines.size() + (endsMerged ? 1 : 0)) {
        fail("more verses than lines");
    }
    for (std::size_t i = 0; i < verses.size(); ++i) {
        const BiblePraise& verse = verses[i];
        if (verse.index != static_cast<std::int64_t>(i) || verse.index >= allowed) {
            fail("a verse is numbered out of order or past the table's count");
        }
        if (!verse.memo) {
            fail("a verse has no note");
        }
        if (utf8 && (!coding::isValidUtf8(verse.word) || !coding::isValidUtf8(verse.theme))) {
            fail("UTF-8 text gives a verse that is not UTF-8");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const BibleKind kind = (data[0] & 2) != 0 ? BibleKind::kr02
                           : (data[0] & 1) != 0 ? BibleKind::en01
                                                : BibleKind::kr01;
    const BibleBook book = *bibleBookFromRaw(data[1] % bibleBookCount);
    const std::span<const std::int64_t> counts = versesPerChapter(book);
    const std::int64_t chapter = data[2] % (static_cast<std::int64_t>(counts.size()) + 3) - 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

    const std::vector<std::string_view> lines = ChapterText::lines(text, kind);
    if (kind == BibleKind::kr02 && !lines.empty()) {
        fail("a translation without text has lines");
    }
    checkLines(text, lines, kind);

    const std::span<const std::string_view> chapterLines = ChapterText::chapterLines(lines, book, chapter);
    const bool isChapter = chapter >= 1 && chapter <= static_cast<std::int64_t>(counts.size());
    if (!isChapter && !chapterLines.empty()) {
        fail("a chapter the book does not have has lines");
    }
    const std::vector<BiblePraise> verses = ChapterText::verses(chapterLines);
    if (isChapter) {
        checkVerses(chapterLines, verses, counts[static_cast<std::size_t>(chapter - 1)], coding::isValidUtf8(text));
    }
    if (ChapterText::chapterVerses(text, kind, book, chapter) != verses) {
        fail("a chapter of the whole text differs from its lines' verses");
    }
    return 0;
}
