// Writes the seed corpora of the targets over what the program stores and reads as text: the
// stored JSON values, the restore's stored values and page-state files, the mark book's file, a
// book's text, and the search page's book files. Run once after what the program stores changes:
//   build/fuzz/fuzz/lumenscroll_fuzz_stored_seeds fuzz/corpus

#include "InputParts.h"

#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"
#include "app/model/BibleBook.h"
#include "app/model/BibleStructure.h"
#include "app/model/MarkedChapter.h"
#include "coding/Coding.h"
#include "coding/json/JsonEncoder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lumenscroll;
using Pages = std::vector<BibleStructure>;
using Texts = std::vector<std::vector<BibleStructure>>;

std::string text(const coding::Data& data) {
    return std::string(data.view());
}

// A page as the program stores it in the page list: `verses` verses without text, a few marked.
BibleStructure page(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verses) {
    BibleStructure record;
    record.versesIndex = chapterIndex;
    record.order = book;
    record.sectionIndex = book;
    record.kindOfBible = kind;
    record.language = kind == BibleKind::en01 ? "en" : "kr";
    record.name = kind == BibleKind::en01 ? "3 John" : "요한이서";
    record.isOldTestment = book < 39;
    for (int v = 0; v < verses; ++v) {
        BiblePraise verse;
        verse.index = v;
        verse.bookmarked = v == 1;
        verse.bgColor = v == 2 ? 3 : 0;
        if (v == 3) {
            verse.hasMemo = true;
            verse.memoTitle = "묵상";
            Memo note;
            note.memoContent = "안식";
            note.praise = v;
            verse.memo = std::make_shared<const Memo>(std::move(note));
        }
        record.praises.push_back(verse);
    }
    return record;
}

BibleStructure withWords(BibleStructure record) {
    for (BiblePraise& verse : record.praises) {
        verse.word = " 말씀 " + std::to_string(verse.index + 1);
    }
    return record;
}

// The loaded texts as the program stores them: a placeholder per book, one book holding a
// loaded chapter. The decoder's own target takes a few books: what it checks does not depend on
// their number, and short seeds run faster.
Texts texts(bool loaded, std::int64_t bookCount = bibleBookCount) {
    Texts books(static_cast<std::size_t>(bookCount), std::vector<BibleStructure>(1));
    if (loaded) {
        BibleStructure chapter = withWords(page(0, 0, BibleKind::kr01, 4));
        chapter.versesIndex = 1;
        books[0] = {chapter};
    }
    return books;
}

std::string pageFile(std::uint8_t index, const BibleStructure& record) {
    const coding::Data bytes = coding::BinaryEncoder().encode(record);
    return std::string(1, static_cast<char>(index)) + std::string(bytes.view());
}

// A mark book's file: marked chapters one after the other, as the program writes them.
std::string markBook(const std::vector<MarkedChapter>& chapters) {
    return text(coding::BinaryStreamEncoder<MarkedChapter>().encodeContents(chapters));
}

// Joins the parts of one input, after its first byte.
std::string joined(char first, std::initializer_list<std::string> parts) {
    std::string input(1, first);
    bool separate = false;
    for (const std::string& part : parts) {
        if (separate) {
            input += fuzzing::partSeparator;
        }
        input += part;
        separate = true;
    }
    return input;
}

// A book's text, "c:v 말씀 c.v" per verse of the table, with a heading, a merged line, a line
// without its number and a merged line ending the first chapter.
std::string bookText(BibleBook book, const std::string& lineEnd, std::size_t chapters) {
    const auto counts = versesPerChapter(book);
    std::string result;
    for (std::size_t c = 0; c < counts.size() && c < chapters; ++c) {
        for (std::int64_t v = 1; v <= counts[c]; ++v) {
            const std::string reference = std::to_string(c + 1) + ":" + std::to_string(v);
            if (v == 1) {
                result += reference + " <머리>Heading word";
            } else if (v == 2) {
                result += reference + "-3 merged words";
            } else if (v == 5) {
                result += "no number";
            } else if (c == 0 && v == counts[c]) {
                result += reference + "-" + std::to_string(v + 1) + " last merged";
            } else {
                result += reference + " 말씀 Word " + std::to_string(c + 1) + "." + std::to_string(v);
            }
            result += lineEnd;
        }
    }
    return result;
}

void write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path root = argc > 1 ? argv[1] : "corpus";
    const coding::JsonEncoder json;

    // Pages on the restore target's short books (2 John, 3 John, Jude), one on a book that does not
    // exist and one in a translation without text.
    const Pages pages{page(62, 0, BibleKind::kr01, 5), page(63, 0, BibleKind::en01, 4),
                      page(64, 0, BibleKind::kr01, 3), page(70, 0, BibleKind::kr01, 4),
                      page(5, -1, BibleKind::kr02, 0)};
    const std::string pagesJson = text(json.encode(pages));
    const std::string textsJson = text(json.encode(texts(true)));

    const auto jsonFolder = root / "fuzz_JsonDecoder";
    write(jsonFolder, "pages", std::string(1, '\0') + text(json.encode(Pages{pages[1], pages[4]})));
    write(jsonFolder, "texts", std::string(1, '\1') + text(json.encode(texts(true, 3))));
    write(jsonFolder, "texts-short", std::string(1, '\1') + text(json.encode(Texts{{BibleStructure{}}, {}})));

    const auto restoreFolder = root / "fuzz_PageRestore";
    std::string files[5];
    for (std::size_t i = 0; i < 5; ++i) {
        files[i] = pageFile(static_cast<std::uint8_t>(i), withWords(pages[i]));
    }
    write(restoreFolder, "pages", joined(16, {pagesJson, textsJson, files[0], files[1], files[2], files[3], files[4]}));
    write(restoreFolder, "pages-start-up", joined(18, {text(json.encode(Pages{pages[1]})), textsJson, files[0]}));
    write(restoreFolder, "option-key", joined(1, {pagesJson, text(json.encode(texts(false))), files[2]}));
    write(restoreFolder, "first-run", joined(6, {"", "", files[1], files[3]}));
    // A page saved over a longer text than the one the launch reads, marked past the text's end.
    BibleStructure longer = page(64, 0, BibleKind::kr01, 8);
    longer.praises[6].bookmarked = true;
    write(restoreFolder, "shorter-text", joined(0, {text(json.encode(Pages{longer})), textsJson}));
    write(restoreFolder, "corrupt", joined(0, {pagesJson.substr(0, 60), "[[]]", files[0]}));

    // Marks on two translations of one chapter and on a psalm: a highlight, a bookmark, a note with
    // its title; and the same cut short in its last chapter.
    Memo note;
    note.memoContent = "안식";
    const auto blank = std::make_shared<const Memo>();
    const std::vector<MarkedChapter> marked{
        {BibleKind::kr01, 0, 0, {{1, 0, true, false, "", blank}, {2, 3, false, false, "", blank}}},
        {BibleKind::en01, 0, 0, {{2, 11, false, false, "", blank}}},
        {BibleKind::kr01, 18, 22, {{3, 0, false, true, "묵상", std::make_shared<const Memo>(note)}}}};
    const auto markFolder = root / "fuzz_MarkBook";
    write(markFolder, "marks", markBook(marked));
    write(markFolder, "cut-short", markBook(marked).substr(0, markBook(marked).size() - 7));
    // A restore with a mark book of its own on the pages' chapters (2 John in Korean, 3 John in
    // English), led by the byte that names the mark book's part; and one cut short.
    const std::string pagesMarks = markBook({{BibleKind::kr01, 62, 0, {{0, 5, true, false, "", blank}}},
                                             {BibleKind::en01, 63, 0, {{2, 0, false, true, "묵상", blank}}}});
    write(restoreFolder, "mark-book", joined(16, {pagesJson, textsJson, files[0], "\xFE" + pagesMarks}));
    write(restoreFolder, "mark-book-cut-short",
          joined(16, {pagesJson, textsJson, "\xFE" + pagesMarks.substr(0, pagesMarks.size() - 3)}));

    const auto chapterFolder = root / "fuzz_ChapterText";
    // Translation, book, chapter, then the text.
    write(chapterFolder, "genesis-kr", std::string{'\0', '\0', '\2'} + bookText(BibleBook::genesis, "\n", 3));
    write(chapterFolder, "john-en", std::string{'\1', '\52', '\2'} + bookText(BibleBook::john, "\r\n", 2));
    // A huge verse number, a lone CR, a line of only a token, a merged line ending the text, and
    // bytes that are not UTF-8.
    write(chapterFolder, "edges", std::string{'\0', '\100', '\1'} +
                                      "1:99999999999999999999 a\rb\n1:\n<\n1:3-4\n\xFF\xFE <\xC3>\x80\n1:7-8 end");
    write(chapterFolder, "jude-mixed", std::string{'\0', '\100', '\1'} + "1:1 a\r\n1:2-3 b\n\n1:4 <H>\n1:5 <>c>d\n");

    const auto searchFolder = root / "fuzz_SearchLoad";
    write(searchFolder, "korean", joined(0, {"말씀 merged", std::string(1, '\0') + bookText(BibleBook::genesis, "\n", 2),
                                             std::string(1, '\1') + bookText(BibleBook::exodus, "\n", 1)}));
    write(searchFolder, "english", joined(1, {"WORD heading", std::string(1, '\52') + bookText(BibleBook::john, "\r\n", 2)}));
    return 0;
}
