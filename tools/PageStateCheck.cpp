// Reads what the program stored of its open pages and of its mark book, with the program's own
// decoders and from the places the program keeps them (run it with the program's HOME and XDG
// folders), and prints the marks on them, one line each, in an order that stays put between
// runs:
//
//     marks kr01 book 0 chapter 0 verse 3 colour 2 bookmark 1 note 0 ""
//     page 0 en01 book 42 chapter 2
//     page 0 verse 3 colour 2 bookmark 1 note 0 ""
//
// It fails (exit status 1, the reason on the standard error) when the stored page list or the
// loaded texts do not decode, when a page-state file does not decode, when an open page has no
// file, when a page's file holds another record than the page list's entry for it, when the mark
// book's file does not read whole, or when a page does not show the marks the mark book holds for
// its chapter. Nothing is written. The soak (tools/soak.sh) compares what it prints across a quit
// and a relaunch: a mark set before the quit is there after it, on whichever page shows its
// chapter.
//
//     PageStateCheck

#include "CompactCoding/BinaryDecoder.h"
#include "app/model/BibleBook.h"
#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/DocumentsFolder.h"
#include "app/platform/FileSystem.h"
#include "app/platform/SettingsStore.h"
#include "app/model/MarkBook.h"
#include "app/reading/MarkBookFile.h"
#include "app/reading/PageStatePersistence.h"
#include "coding/json/JsonDecoder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using lumenscroll::BibleStructure;
using lumenscroll::PageStatePersistence;

struct Failure {
    std::string reason;
};

std::string_view textOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

template <class T> T decodedJson(const QByteArray& bytes, const char* what) {
    try {
        return coding::JsonDecoder().decode<T>(textOf(bytes));
    } catch (const std::exception& error) {
        throw Failure{std::string("the stored ") + what + " does not decode: " + error.what()};
    }
}

BibleStructure decodedPageFile(const QString& path) {
    QString error;
    const std::optional<QByteArray> bytes = lumenscroll::FileSystem::read(path, &error);
    if (!bytes) {
        throw Failure{"cannot read " + path.toStdString() + ": " + error.toStdString()};
    }
    try {
        const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                                 static_cast<std::size_t>(bytes->size()));
        return coding::BinaryDecoder().decode<BibleStructure>(data);
    } catch (const std::exception& error) {
        throw Failure{path.toStdString() + " does not decode: " + error.what()};
    }
}

// The page as the stored page list keeps it: without its verse texts.
BibleStructure blanked(BibleStructure page) {
    for (lumenscroll::BiblePraise& verse : page.praises) {
        verse.word.clear();
    }
    return page;
}

// A note's text on one line, quoted.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + '"';
}

// The mark book the page-state folder holds, read as the program reads it; none without a file
// (a run that never saved).
std::optional<lumenscroll::MarkBook> storedMarkBook(const QDir& folder) {
    const QString path = lumenscroll::MarkBookFile::path(folder.path());
    if (!lumenscroll::FileSystem::exists(path)) {
        return std::nullopt;
    }
    QString error;
    const std::optional<QByteArray> bytes = lumenscroll::FileSystem::read(path, &error);
    if (!bytes) {
        throw Failure{"cannot read " + path.toStdString() + ": " + error.toStdString()};
    }
    lumenscroll::MarkBookFile::Read read = lumenscroll::MarkBookFile::decode(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes->constData()), static_cast<std::size_t>(bytes->size())));
    if (!read.whole) {
        throw Failure{path.toStdString() + " does not read whole"};
    }
    return std::move(read.book);
}

void printMarks(const lumenscroll::MarkBook& book) {
    for (const auto& [chapter, marked] : book.chapters()) {
        for (const lumenscroll::MarkedVerse& verse : marked.verses) {
            std::printf("marks %s book %lld chapter %lld verse %lld colour %lld bookmark %d note %d %s\n",
                        std::string(lumenscroll::caseName(chapter.kind)).c_str(),
                        static_cast<long long>(chapter.book), static_cast<long long>(chapter.chapterIndex),
                        static_cast<long long>(verse.verse), static_cast<long long>(verse.bgColor),
                        verse.bookmarked ? 1 : 0, verse.hasMemo ? 1 : 0, quoted(verse.memo->memoContent).c_str());
        }
    }
}

void printMarks(std::size_t index, const BibleStructure& page) {
    std::printf("page %zu %s book %lld chapter %lld\n", index,
                std::string(lumenscroll::caseName(page.kindOfBible)).c_str(),
                static_cast<long long>(page.sectionIndex), static_cast<long long>(page.versesIndex));
    // A verse by its place in the chapter, as the mark book names it: the first verse's own index
    // is the row the page's up button scrolls to, which a relaunch does not keep.
    for (std::size_t j = 0; j < page.praises.size(); ++j) {
        const lumenscroll::BiblePraise& verse = page.praises[j];
        const std::string& note = verse.memo ? verse.memo->memoContent : std::string();
        if (verse.bgColor == 0 && !verse.bookmarked && !verse.hasMemo && note.empty()) {
            continue;
        }
        std::printf("page %zu verse %zu colour %lld bookmark %d note %d %s\n", index, j,
                    static_cast<long long>(verse.bgColor),
                    verse.bookmarked ? 1 : 0, verse.hasMemo ? 1 : 0, quoted(note).c_str());
    }
}

void check() {
    const lumenscroll::SettingsStore settings;
    std::vector<BibleStructure> pages;
    if (const std::optional<QByteArray> stored = settings.data(PageStatePersistence::selectedBibleArrayKey)) {
        pages = decodedJson<std::vector<BibleStructure>>(*stored, "page list");
    } else if (settings.hasValue(PageStatePersistence::selectedBibleArrayKey)) {
        throw Failure{"the stored page list is not stored as bytes"};
    }
    if (const std::optional<QByteArray> stored = settings.data(PageStatePersistence::bibleWordsContainerKey)) {
        const auto books = decodedJson<std::vector<std::vector<BibleStructure>>>(*stored, "loaded texts");
        if (static_cast<std::int64_t>(books.size()) != lumenscroll::bibleBookCount) {
            throw Failure{"the stored loaded texts hold " + std::to_string(books.size()) + " books"};
        }
    }

    const QDir folder(lumenscroll::DocumentsFolder().filePath(PageStatePersistence::baseFolderName +
                                                              QLatin1Char('/') +
                                                              PageStatePersistence::settingsFolderName));
    const std::optional<lumenscroll::MarkBook> book = storedMarkBook(folder);
    if (book) {
        printMarks(*book);
    }
    std::map<std::int64_t, BibleStructure> files;
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (const std::optional<std::int64_t> index = PageStatePersistence::pageIndexOfFileName(name)) {
            files.emplace(*index, decodedPageFile(folder.filePath(name)));
        }
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto file = files.find(static_cast<std::int64_t>(i));
        if (file == files.end()) {
            throw Failure{"page " + std::to_string(i) + " has no page-state file"};
        }
        if (blanked(file->second) != pages[i]) {
            throw Failure{"the page-state file of page " + std::to_string(i) +
                          " holds another record than the page list"};
        }
        if (book && !book->isShownBy(pages[i])) {
            throw Failure{"page " + std::to_string(i) + " does not show the marks the mark book holds for its chapter"};
        }
        printMarks(i, pages[i]);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumenscroll"));
    try {
        check();
    } catch (const Failure& failure) {
        std::fprintf(stderr, "%s\n", failure.reason.c_str());
        return 1;
    }
    return 0;
}
