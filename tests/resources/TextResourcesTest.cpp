// The reading page cuts a book's text into chapters by counting lines against the verse-count
// table alone, so one missing, extra or empty line shifts every later chapter of the book. These
// tests hold every text resource the build lays out to that table and to the line grammar.

#include "app/model/BibleBook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using lumenscroll::BibleBook;

enum class LineEnd { lf, crLf };

struct Translation {
    std::string_view language;
    LineEnd lineEnd;
};
constexpr Translation korean{"kr", LineEnd::lf};
constexpr Translation english{"en", LineEnd::crLf};

BibleBook book(std::int64_t raw) {
    return *lumenscroll::bibleBookFromRaw(raw);
}

std::string resourceName(BibleBook book, const Translation& translation) {
    // "%02d" of the book's number, 1 to 66.
    const auto n = lumenscroll::rawValue(book) + 1;
    const std::string number{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    return number + std::string(lumenscroll::bookName(translation.language, book)) + ".txt";
}

std::filesystem::path resourcePath(BibleBook book, const Translation& translation) {
    return std::filesystem::path(LUMENSCROLL_TEST_RESOURCE_DIR) / resourceName(book, translation);
}

std::optional<std::string> readResource(BibleBook book, const Translation& translation) {
    std::ifstream in(resourcePath(book, translation), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool anyResourcePresent(const Translation& translation) {
    for (std::int64_t raw = 0; raw < lumenscroll::bibleBookCount; ++raw) {
        if (std::filesystem::exists(resourcePath(book(raw), translation))) {
            return true;
        }
    }
    return false;
}

// The byte offset of the first invalid sequence (overlong forms, surrogates and code points
// beyond U+10FFFF included), or none.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        std::uint32_t minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, codePoint = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, codePoint = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, codePoint = lead & 0x07, minimum = 0x10000;
        } else {
            return i;
        }
        if (i + length > text.size()) {
            return i;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return i;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return i;
        }
        i += length;
    }
    return std::nullopt;
}

bool isNumber(std::string_view text, std::int64_t number) {
    return text == std::to_string(number);
}

// What is wrong with one line that should hold verse `position` of `chapter`.
std::optional<std::string> lineProblem(std::string_view line, std::int64_t chapter, std::int64_t position) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || !isNumber(line.substr(0, colon), chapter)) {
        return "chapter number is not " + std::to_string(chapter);
    }
    const auto rest = line.substr(colon + 1);
    const auto blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        return "no blank after the verse token";
    }
    const auto token = rest.substr(0, blank);
    const auto dash = token.find('-');
    const bool tokenFits =
        dash == std::string_view::npos
            ? isNumber(token, position)
            : isNumber(token.substr(0, dash), position) && isNumber(token.substr(dash + 1), position + 1);
    if (!tokenFits) {
        return "verse token is neither " + std::to_string(position) + " nor " + std::to_string(position) +
               "-" + std::to_string(position + 1);
    }
    const auto text = rest.substr(blank + 1);
    if (text.empty() || text.front() == ' ' || text.back() == ' ') {
        return "verse text empty or with blanks at its ends";
    }
    if (text.front() != '<') {
        if (text.find_first_of("<>") != std::string_view::npos) {
            return "'<' or '>' outside a heading";
        }
        return std::nullopt;
    }
    const auto close = text.find('>');
    if (close == std::string_view::npos || close == 1 ||
        text.find_first_of("<>", close + 1) != std::string_view::npos) {
        return "heading not of the form <heading> text";
    }
    if (text.size() < close + 3 || text[close + 1] != ' ') {
        return "no verse text after the heading";
    }
    return std::nullopt;
}

// Every fault of one book's text against the verse-count table and the line grammar, at most
// `limit` of them, each naming the line.
std::vector<std::string> bookTextProblems(std::string_view content, BibleBook book, LineEnd lineEnd,
                                          std::size_t limit = 20) {
    std::vector<std::string> problems;
    if (const auto bad = firstInvalidUtf8(content)) {
        problems.push_back("invalid UTF-8 at byte " + std::to_string(*bad));
        return problems;
    }
    if (content.starts_with("\xEF\xBB\xBF")) {
        problems.push_back("byte order mark");
    }
    const std::string_view separator = lineEnd == LineEnd::lf ? "\n" : "\r\n";
    if (!content.ends_with(separator)) {
        problems.push_back("the last line has no line end");
    }

    std::vector<std::string_view> lines;
    for (std::string_view rest = content; !rest.empty();) {
        const auto end = rest.find(separator);
        lines.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + separator.size());
    }

    const auto counts = lumenscroll::versesPerChapter(book);
    std::size_t expectedLines = 0;
    for (const auto count : counts) {
        expectedLines += static_cast<std::size_t>(count);
    }
    if (lines.size() != expectedLines) {
        problems.push_back(std::to_string(lines.size()) + " lines, the verse table asks for " +
                           std::to_string(expectedLines));
    }

    std::size_t index = 0;
    for (std::size_t c = 0; c < counts.size() && problems.size() < limit; ++c) {
        for (std::int64_t position = 1; position <= counts[c] && problems.size() < limit; ++position) {
            const auto where = "line " + std::to_string(index + 1) + " (" + std::to_string(c + 1) + ":" +
                               std::to_string(position) + "): ";
            if (index >= lines.size()) {
                problems.push_back(where + "missing");
                break;
            }
            const auto line = lines[index++];
            if (line.find_first_of("\r\n") != std::string_view::npos) {
                problems.push_back(where + "a line end not of this translation");
            } else if (line.empty()) {
                problems.push_back(where + "empty");
            } else if (const auto problem = lineProblem(line, static_cast<std::int64_t>(c + 1), position)) {
                problems.push_back(where + *problem);
            }
        }
    }
    return problems;
}

std::string joined(const std::vector<std::string>& problems) {
    std::ostringstream out;
    for (const auto& problem : problems) {
        out << "\n  " << problem;
    }
    return out.str();
}

void expectEveryBookFollowsTheTable(const Translation& translation) {
    for (std::int64_t raw = 0; raw < lumenscroll::bibleBookCount; ++raw) {
        const auto name = resourceName(book(raw), translation);
        const auto content = readResource(book(raw), translation);
        if (!content) {
            ADD_FAILURE() << name << " is missing";
            continue;
        }
        const auto problems = bookTextProblems(*content, book(raw), translation.lineEnd);
        EXPECT_TRUE(problems.empty()) << name << ":" << joined(problems);
    }
}

std::vector<std::string> linesOf(const std::string& content, std::string_view separator) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < content.size();) {
        const auto end = content.find(separator, start);
        lines.push_back(content.substr(start, end - start));
        start = end == std::string::npos ? content.size() : end + separator.size();
    }
    return lines;
}

// A book of one chapter of 14 verses (3 John) in the given line end, fit to be broken.
std::string sampleJohn3(std::string_view separator) {
    std::string text;
    for (int v = 1; v <= 14; ++v) {
        text += "1:" + std::to_string(v) + " verse " + std::to_string(v) + std::string(separator);
    }
    return text;
}

TEST(TextResourceCheck, AcceptsAWellFormedBookAndCatchesEachKindOfFault) {
    const auto john3 = book(63);
    ASSERT_EQ(lumenscroll::versesPerChapter(john3).size(), 1u);
    ASSERT_EQ(lumenscroll::versesPerChapter(john3)[0], 14);

    const auto crLf = sampleJohn3("\r\n");
    const auto lf = sampleJohn3("\n");
    EXPECT_TRUE(bookTextProblems(crLf, john3, LineEnd::crLf).empty())
        << joined(bookTextProblems(crLf, john3, LineEnd::crLf));
    EXPECT_TRUE(bookTextProblems(lf, john3, LineEnd::lf).empty());

    auto withLastLine = [&](const std::string& last) { return lf.substr(0, lf.find("1:14 ")) + last + "\n"; };
    auto replaced = [&](std::string_view from, std::string_view to) {
        auto text = lf;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> accepted{
        {"merged last line", withLastLine("1:14-15 verse 14 verse 15")},
        {"heading with verse text", withLastLine("1:14 <Greeting> verse 14")},
        {"merged line followed by its repeat",
         replaced("1:3 verse 3\n1:4 verse 4", "1:3-4 verse 3\n1:4 verse 3")},
    };
    for (const auto& [what, text] : accepted) {
        EXPECT_TRUE(bookTextProblems(text, john3, LineEnd::lf).empty())
            << what << joined(bookTextProblems(text, john3, LineEnd::lf));
    }

    const std::vector<std::tuple<std::string, std::string, LineEnd>> faulty{
        {"Korean file with CR LF", crLf, LineEnd::lf},
        {"English file with LF", lf, LineEnd::crLf},
        {"a line too few", lf.substr(0, lf.find("1:14 ")), LineEnd::lf},
        {"a line too many", lf + "1:15 verse 15\n", LineEnd::lf},
        {"an empty line", replaced("1:5 verse 5\n", "1:5 verse 5\n\n"), LineEnd::lf},
        {"a lone LF inside an English line", sampleJohn3("\r\n").replace(3, 1, "\n"), LineEnd::crLf},
        {"no line end at the end", lf.substr(0, lf.size() - 1), LineEnd::lf},
        {"wrong chapter number", replaced("1:7 ", "2:7 "), LineEnd::lf},
        {"verse token out of step", replaced("1:7 ", "1:8 "), LineEnd::lf},
        {"merged token that skips a verse", replaced("1:7 ", "1:7-9 "), LineEnd::lf},
        {"no text after the token", replaced("1:7 verse 7", "1:7"), LineEnd::lf},
        {"two blanks after the token", replaced("1:7 verse", "1:7  verse"), LineEnd::lf},
        {"blank at the end of the text", replaced("verse 7\n", "verse 7 \n"), LineEnd::lf},
        {"heading without verse text", replaced("1:7 verse 7", "1:7 <Heading>"), LineEnd::lf},
        {"'>' in a plain verse", replaced("verse 7", "verse > 7"), LineEnd::lf},
        {"invalid UTF-8", replaced("verse 7", "verse \xC3\x28"), LineEnd::lf},
        {"overlong UTF-8", replaced("verse 7", "verse \xC0\xAF"), LineEnd::lf},
        {"UTF-8 surrogate", replaced("verse 7", "verse \xED\xA0\x80"), LineEnd::lf},
        {"byte order mark", "\xEF\xBB\xBF" + lf, LineEnd::lf},
    };
    for (const auto& [what, text, lineEnd] : faulty) {
        EXPECT_FALSE(bookTextProblems(text, john3, lineEnd).empty()) << what;
    }
}

TEST(TextResourceCheck, FindsAChapterShiftedByOneLine) {
    // Genesis 1 one line short: chapter 2 then starts a line early and every later line is off.
    std::string text;
    const auto counts = lumenscroll::versesPerChapter(BibleBook::genesis);
    for (std::size_t c = 0; c < counts.size(); ++c) {
        for (std::int64_t v = 1; v <= counts[c]; ++v) {
            if (c == 0 && v == 31) {
                continue;
            }
            text += std::to_string(c + 1) + ":" + std::to_string(v) + " text\r\n";
        }
    }
    const auto problems = bookTextProblems(text, BibleBook::genesis, LineEnd::crLf);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems.front(), "1532 lines, the verse table asks for 1533");
    EXPECT_EQ(problems[1], "line 31 (1:31): chapter number is not 1");
}

TEST(TextResources, KjvBooksFollowTheVerseTable) {
    if (!anyResourcePresent(english)) {
        GTEST_SKIP() << "no KJV text resources in " << LUMENSCROLL_TEST_RESOURCE_DIR;
    }
    expectEveryBookFollowsTheTable(english);
}

TEST(TextResources, KoreanBooksFollowTheVerseTable) {
    if (!anyResourcePresent(korean)) {
        GTEST_SKIP() << "no 개역한글 text resources in " << LUMENSCROLL_TEST_RESOURCE_DIR;
    }
    expectEveryBookFollowsTheTable(korean);

    const auto genesis = readResource(BibleBook::genesis, korean);
    ASSERT_TRUE(genesis);
    EXPECT_EQ(linesOf(*genesis, "\n").at(0), "1:1 태초에 하나님이 천지를 창조하시니라");
}

TEST(TextResources, KjvJoinsTheLastTwoVersesOfTheShortenedChaptersOnly) {
    if (!anyResourcePresent(english)) {
        GTEST_SKIP() << "no KJV text resources in " << LUMENSCROLL_TEST_RESOURCE_DIR;
    }
    std::set<std::string> merged;
    for (std::int64_t raw = 0; raw < lumenscroll::bibleBookCount; ++raw) {
        const auto content = readResource(book(raw), english);
        ASSERT_TRUE(content) << resourceName(book(raw), english);
        for (const auto& line : linesOf(*content, "\r\n")) {
            const auto token = line.substr(0, line.find(' '));
            if (token.find('-') != std::string::npos) {
                merged.insert(std::string(lumenscroll::englishBookName(book(raw))) + " " + token);
            }
        }
    }
    EXPECT_EQ(merged,
              (std::set<std::string>{"Samuel1 30:30-31", "Psalms 72:19-20", "Corinthians2 13:13-14"}));

    const auto samuel1 = linesOf(*readResource(BibleBook::samuel1, english), "\r\n");
    std::size_t chapter30 = 0;
    const auto counts = lumenscroll::versesPerChapter(BibleBook::samuel1);
    for (std::size_t c = 0; c < 29; ++c) {
        chapter30 += static_cast<std::size_t>(counts[c]);
    }
    EXPECT_EQ(samuel1.at(chapter30 + 29),
              "30:30-31 And to them which were in Hormah, and to them which were in Chorashan, and "
              "to them which were in Athach, And to them which were in Hebron, and to all the places "
              "where David himself and his men were wont to haunt.");
    EXPECT_EQ(samuel1.at(chapter30 + 30).substr(0, 5), "31:1 ");
}

TEST(TextResources, KjvBeginsAndEndsWhereTheBibleDoes) {
    if (!anyResourcePresent(english)) {
        GTEST_SKIP() << "no KJV text resources in " << LUMENSCROLL_TEST_RESOURCE_DIR;
    }
    const auto genesis = linesOf(*readResource(BibleBook::genesis, english), "\r\n");
    EXPECT_EQ(genesis.at(0), "1:1 In the beginning God created the heaven and the earth.");
    EXPECT_EQ(genesis.at(31).substr(0, 4), "2:1 ");

    const auto revelation = linesOf(*readResource(BibleBook::revelation, english), "\r\n");
    EXPECT_EQ(revelation.back(), "22:21 The grace of our Lord Jesus Christ be with you all. Amen.");
}

} // namespace
