// Writes the 66 English (KJV) text resources, "01Genesis.txt" to "66Revelation.txt", from the
// text of Debian's bible-kjv package, at build time.
//
//   KjvResourceGenerator <bible program> <output folder> <file name>...
//
// The build names the 66 files it expects; they must be the names this tool forms from the book
// table, in book order, so the two lists cannot drift apart unnoticed.
//
// Each file holds one line per verse, "C:V text", ended by CR LF. The reading page finds a
// chapter by counting lines against the verse-count table alone, so every chapter must have
// exactly the table's number of lines. Where the table counts one verse fewer than the King
// James division (1 Samuel 30, Psalm 72, 2 Corinthians 13), the chapter's last two verses share
// one line with the token "V-W". Anything else that does not match stops the build.

#include "app/model/BibleBook.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

using lumenscroll::BibleBook;

// With pretty-printing toggled off (-f) and no line width (-l0), bible prints every verse on
// one line behind its own reference ("1Sm30:31 And to them ..."), which makes the dump
// self-describing: no headers or blank lines to interpret.
constexpr const char* wholeBible = "Gen1:1-Rev22:21";

struct GeneratorError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Verse {
    std::string bookAbbreviation;
    std::int64_t chapter = 0;
    std::int64_t number = 0;
    std::string text;
};

// A book as bible delivers it: chapters in order, each the list of its verse texts.
struct DumpedBook {
    std::string abbreviation;
    std::vector<std::vector<std::string>> chapters;
};

std::string runBible(const std::string& program) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw GeneratorError(std::string("cannot make a pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<std::string> arguments{program, "-f", "-l0", wholeBible};
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw GeneratorError("cannot run '" + program + "' (" + std::strerror(spawned) +
                             "); install Debian's bible-kjv package");
    }

    std::string output;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0) {
            output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipeEnds[0]);

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw GeneratorError("'" + program + "' failed; is Debian's bible-kjv-text installed?");
    }
    return output;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::optional<std::int64_t> parseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 4) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Blanks at the ends go and runs of blanks inside become one: the line grammar has exactly
// one blank after the verse token, and a stray double blank is no part of the wording.
std::string tidyText(std::string_view text) {
    std::string tidy;
    bool pendingBlank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            pendingBlank = !tidy.empty();
            continue;
        }
        if (pendingBlank) {
            tidy += ' ';
            pendingBlank = false;
        }
        tidy += c;
    }
    return tidy;
}

Verse parseVerseLine(std::string_view line, std::size_t lineNumber) {
    const auto fail = [&](const std::string& why) {
        return GeneratorError("bible output line " + std::to_string(lineNumber) + ": " + why + ": \"" +
                              std::string(line.substr(0, 80)) + "\"");
    };
    const auto blank = line.find(' ');
    if (blank == std::string_view::npos) {
        throw fail("no blank after the reference");
    }
    const std::string_view reference = line.substr(0, blank);
    const auto colon = reference.find(':');
    if (colon == std::string_view::npos) {
        throw fail("reference without ':'");
    }
    std::size_t chapterStart = colon;
    while (chapterStart > 0 && isDigit(reference[chapterStart - 1])) {
        --chapterStart;
    }
    Verse verse;
    verse.bookAbbreviation = std::string(reference.substr(0, chapterStart));
    const auto chapter = parseNumber(reference.substr(chapterStart, colon - chapterStart));
    const auto number = parseNumber(reference.substr(colon + 1));
    if (verse.bookAbbreviation.empty() || !isLetter(verse.bookAbbreviation.back()) || !chapter || !number) {
        throw fail("unreadable reference");
    }
    verse.chapter = *chapter;
    verse.number = *number;
    verse.text = tidyText(line.substr(blank + 1));
    if (verse.text.empty()) {
        throw fail("empty verse");
    }
    for (unsigned char c : verse.text) {
        if (c < 0x20 || c == 0x7f) {
            throw fail("control character in the verse");
        }
        // A text that begins with "<" reads as a section heading, and ">" ends one.
        if (c == '<' || c == '>') {
            throw fail("'<' or '>' in the verse, which the reading page takes for a heading");
        }
    }
    return verse;
}

std::vector<DumpedBook> parseDump(std::string_view dump) {
    std::vector<DumpedBook> books;
    std::size_t lineNumber = 0;
    while (!dump.empty()) {
        const auto end = dump.find('\n');
        std::string_view line = dump.substr(0, end);
        dump = end == std::string_view::npos ? std::string_view{} : dump.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        Verse verse = parseVerseLine(line, lineNumber);
        const auto where = " at " + verse.bookAbbreviation + std::to_string(verse.chapter) + ":" +
                           std::to_string(verse.number);

        if (books.empty() || books.back().abbreviation != verse.bookAbbreviation) {
            for (const auto& earlier : books) {
                if (earlier.abbreviation == verse.bookAbbreviation) {
                    throw GeneratorError("book " + verse.bookAbbreviation + " comes twice" + where);
                }
            }
            books.push_back({verse.bookAbbreviation, {}});
        }
        auto& chapters = books.back().chapters;
        if (verse.chapter == static_cast<std::int64_t>(chapters.size()) + 1) {
            chapters.emplace_back();
        } else if (verse.chapter != static_cast<std::int64_t>(chapters.size())) {
            throw GeneratorError("chapters out of order" + where);
        }
        auto& verses = chapters.back();
        if (verse.number != static_cast<std::int64_t>(verses.size()) + 1) {
            throw GeneratorError("verses out of order" + where);
        }
        verses.push_back(std::move(verse.text));
    }
    return books;
}

std::string resourceName(BibleBook book) {
    // "%02d" of the book's number, 1 to 66.
    const auto n = lumenscroll::rawValue(book) + 1;
    const std::string number{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    return number + std::string(lumenscroll::englishBookName(book)) + ".txt";
}

// The lines of one book in the resource format, each ended by CR LF. Every merged chapter adds
// a line to `notes`.
std::string resourceText(BibleBook book, const DumpedBook& dumped, std::vector<std::string>& notes) {
    const auto counts = lumenscroll::versesPerChapter(book);
    const std::string name(lumenscroll::englishBookName(book));
    if (dumped.chapters.size() != counts.size()) {
        throw GeneratorError(name + " (" + dumped.abbreviation + "): bible gives " +
                             std::to_string(dumped.chapters.size()) + " chapters, the verse table " +
                             std::to_string(counts.size()));
    }
    std::string text;
    for (std::size_t c = 0; c < counts.size(); ++c) {
        const auto& verses = dumped.chapters[c];
        const auto wanted = static_cast<std::size_t>(counts[c]);
        const auto chapter = std::to_string(c + 1);
        const bool mergeLastTwo = verses.size() == wanted + 1;
        if (verses.size() != wanted && !mergeLastTwo) {
            throw GeneratorError(name + " " + chapter + ": bible gives " + std::to_string(verses.size()) +
                                 " verses, the verse table " + std::to_string(wanted));
        }
        for (std::size_t v = 0; v < wanted; ++v) {
            text += chapter + ":" + std::to_string(v + 1);
            if (mergeLastTwo && v + 1 == wanted) {
                text += "-" + std::to_string(v + 2) + " " + verses[v] + " " + verses[v + 1];
                notes.push_back(name + " " + chapter + ":" + std::to_string(v + 1) + "-" +
                                std::to_string(v + 2) + " on one line, as the verse table counts");
            } else {
                text += " " + verses[v];
            }
            text += "\r\n";
        }
    }
    return text;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
        throw GeneratorError("cannot write " + path);
    }
}

void generate(const std::string& program, const std::string& folder,
              const std::vector<std::string>& expectedNames) {
    const auto count = static_cast<std::size_t>(lumenscroll::bibleBookCount);
    if (expectedNames.size() != count) {
        throw GeneratorError("the build names " + std::to_string(expectedNames.size()) +
                             " files, there are " + std::to_string(count) + " books");
    }
    std::vector<BibleBook> books;
    for (std::int64_t raw = 0; raw < lumenscroll::bibleBookCount; ++raw) {
        const auto book = *lumenscroll::bibleBookFromRaw(raw);
        if (resourceName(book) != expectedNames[static_cast<std::size_t>(raw)]) {
            throw GeneratorError("the build names " + expectedNames[static_cast<std::size_t>(raw)] +
                                 " where this tool writes " + resourceName(book));
        }
        books.push_back(book);
    }

    const auto dumped = parseDump(runBible(program));
    if (dumped.size() != count) {
        throw GeneratorError("bible gives " + std::to_string(dumped.size()) + " books, not " +
                             std::to_string(count));
    }
    // Every book is checked before the first file is written, so a failed run leaves the old
    // files whole.
    std::vector<std::string> texts;
    std::vector<std::string> notes;
    for (std::size_t b = 0; b < count; ++b) {
        texts.push_back(resourceText(books[b], dumped[b], notes));
    }
    for (std::size_t b = 0; b < count; ++b) {
        writeFile(folder + "/" + expectedNames[b], texts[b]);
    }
    for (const auto& note : notes) {
        std::cout << "KjvResourceGenerator: " << note << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: KjvResourceGenerator <bible program> <output folder> <file name>...\n";
        return 2;
    }
    try {
        generate(argv[1], argv[2], std::vector<std::string>(argv + 3, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "KjvResourceGenerator: error: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
