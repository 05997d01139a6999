// The restore at launch over arbitrary stored data, headless: a test context with a home of its
// own (Documents folder, settings file) and a few books of text. The input is cut into parts
// (InputParts.h): the stored page list, the stored loaded texts, then up to eight page-state
// files, each led by a byte that numbers it (0xFE: the mark book's file). The first byte of the
// input holds the launch's
// options: bit 0 an Option key held, bit 1 the start-up chapter loaded, bits 2 and 3 the page
// list and the loaded texts not stored at all, bit 4 a second launch.
//
// A launch restores the pages and shows the first; a second launch in the same home restores
// what the first left. After every run:
// - nothing failed, and the per-page lists (pages, records, bookmark rows, chapter notes) have
//   one entry per page, a bookmark row one flag per verse;
// - a stored value that decoded is there after the launch, with no fewer verses, and, without a
//   mark book, every kind of mark it carried on each verse; one that did not is kept byte for
//   byte in a backup, and so is a mark book that does not read whole;
// - every page shows the marks the mark book holds for its chapter, and after a restore of stored
//   pages the mark book's file holds the mark book;
// - after a restore of stored pages every page-state file belongs to an open page and holds it;
//   otherwise no page-state file changed;
// - the second launch restores the same pages and keeps no new backup;
// - nothing outside the program's folder in Documents and its settings file changed.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "InputParts.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructure.h"
#include "app/platform/FileSystem.h"
#include "app/reading/MarkBookFile.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselView.h"
#include "coding/Coding.h"
#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonDecoder.h"
#include "testing/platform/TestAppContext.h"
#include "testing/reading/BookText.h"
#include "testing/reading/PageStateFileContents.h"
#include "testing/reading/StartUpChapter.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <vector>

namespace {

using namespace lumenscroll;
using fuzzing::check;
using fuzzing::fail;
using Pages = std::vector<BibleStructure>;
using Texts = std::vector<std::vector<BibleStructure>>;

constexpr std::size_t maxPageFiles = 8;
// The numbering byte of the part that is the mark book's file.
constexpr char markBookPart = '\xFE';

// A book as the text resources hold it, every verse of the table "c:v 말씀 c.v", with a heading
// on each chapter's first line and its second and third verses one merged line; a book cut short
// after `lines` lines.
std::string bookText(BibleBook book, const char* lineEnd, std::size_t lines) {
    return testing::bookText(
        book, lineEnd,
        [](std::int64_t chapter, std::int64_t verse) -> std::string {
            if (verse == 1) {
                return " <머리>말씀";
            }
            if (verse == 2) {
                return "-3 말씀 " + std::to_string(chapter) + ".2";
            }
            return " 말씀 " + std::to_string(chapter) + "." + std::to_string(verse);
        },
        lines);
}

// The texts the launches read, short books so that the pages stay small: Genesis 1 (the first
// run's page), 2 John in Korean, 3 John in English, and Jude in Korean cut short; no others.
QString resourceFolder() {
    static QTemporaryDir folder;
    static const bool written = [] {
        const auto write = [](BibleKind kind, BibleBook book, const char* lineEnd, std::size_t lines) {
            const QString name =
                QString::fromStdString(TextResource::name(kind, static_cast<std::int64_t>(book))) + ".txt";
            return FileSystem::writeAtomically(QDir(folder.path()).filePath(name),
                                               QByteArray::fromStdString(bookText(book, lineEnd, lines)));
        };
        return folder.isValid() && write(BibleKind::kr01, BibleBook::genesis, "\n", 31) &&
               write(BibleKind::kr01, BibleBook::john2, "\n", 13) &&
               write(BibleKind::en01, BibleBook::john3, "\r\n", 14) &&
               write(BibleKind::kr01, BibleBook::jude, "\n", 5);
    }();
    check(written, "the texts could not be written");
    return folder.path();
}

template <class T> std::optional<T> decodedJson(std::string_view json) {
    try {
        return coding::JsonDecoder().decode<T>(json);
    } catch (const coding::CodingError&) {
        return std::nullopt;
    }
}

std::string_view textOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool isMarked(const BiblePraise& verse) {
    return verse.bookmarked || verse.bgColor != 0 || verse.hasMemo || !verse.memoTitle.empty() ||
           *verse.memo != Memo{};
}

bool sameMarks(const BiblePraise& a, const BiblePraise& b) {
    return a.bookmarked == b.bookmarked && a.bgColor == b.bgColor && a.hasMemo == b.hasMemo &&
           a.memoTitle == b.memoTitle && *a.memo == *b.memo;
}

// Every kind of mark `a` carries, `b` carries too: where pages of one chapter differ, the marks
// they all show come from the first that has a mark of the kind.
bool keepsMarkKinds(const BiblePraise& a, const BiblePraise& b) {
    return (!a.bookmarked || b.bookmarked) && (a.bgColor == 0 || b.bgColor != 0) && (!a.hasMemo || b.hasMemo) &&
           (a.memoTitle.empty() || !b.memoTitle.empty()) && (*a.memo == Memo{} || *b.memo != Memo{});
}

// `after` holds at least the verses of `before`, and every mark of them (`kindsOnly`: every
// kind of mark).
bool keepsVersesAndMarks(const BibleStructure& before, const BibleStructure& after, bool kindsOnly = false) {
    if (after.praises.size() < before.praises.size()) {
        return false;
    }
    for (std::size_t j = 0; j < before.praises.size(); ++j) {
        const BiblePraise& a = before.praises[j];
        const BiblePraise& b = after.praises[j];
        if (isMarked(a) && !(kindsOnly ? keepsMarkKinds(a, b) : sameMarks(a, b))) {
            return false;
        }
    }
    return true;
}

BibleStructure blanked(BibleStructure page) {
    for (BiblePraise& verse : page.praises) {
        verse.word.clear();
    }
    return page;
}

// Every file under `root` and its bytes, but those of the program's own folder in Documents and
// of its settings file.
std::map<QString, QByteArray> filesOutsideTheProgram(const TestAppContext& test) {
    const QDir root(test.rootPath());
    const QString programFolder = QStringLiteral("Documents/") + PageStatePersistence::baseFolderName + '/';
    const QString settings = root.relativeFilePath(test.settingsFilePath());
    std::map<QString, QByteArray> files;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = root.relativeFilePath(it.next());
        if (path.startsWith(programFolder) || path.startsWith(settings)) {
            continue;
        }
        files[path] = FileSystem::read(it.filePath()).value_or(QByteArray("(unreadable)"));
    }
    return files;
}

std::map<QString, QByteArray> pageFiles(const AppContext& context) {
    const QDir folder(PageStatePersistence::settingsFolder(context));
    std::map<QString, QByteArray> files;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        files[name] = FileSystem::read(folder.filePath(name)).value_or(QByteArray("(unreadable)"));
    }
    return files;
}

QStringList backups(const AppContext& context) {
    return QDir(context.documents().filePath(PageStatePersistence::baseFolderName)).entryList(QDir::Files);
}

bool isBackedUp(const AppContext& context, const QString& key, const QByteArray& bytes) {
    const QDir folder(context.documents().filePath(PageStatePersistence::baseFolderName));
    for (const QString& name : folder.entryList({key + ".*"}, QDir::Files)) {
        if (FileSystem::read(folder.filePath(name)) == bytes) {
            return true;
        }
    }
    return false;
}

// One launch down to the first page on screen: the shared state, the carousel restored, the
// first page come on screen.
struct Launch {
    Launch(AppContext& context, bool startUpChapter) {
        if (startUpChapter) {
            testing::loadStartUpChapter(settings, context);
        }
        carousel = std::make_unique<CarouselView>(settings, context, Binding<bool>::to(matched),
                                                  Binding<bool>::constant(false), Binding<bool>::to(shrunk),
                                                  Binding<bool>::to(plusPressed));
        carousel->appear();
        if (!settings.roles->empty()) {
            settings.roles().front().appear();
        }
    }

    void checkPageLists() const {
        const std::size_t count = settings.roles->size();
        check(count > 0, "no page is open");
        check(OpenPages(const_cast<UserSettings&>(settings)).areParallel(), "pages and records differ in number");
        check(settings.bookmarkArray->size() == count, "bookmark rows and pages differ in number");
        check(settings.OverAllSectionQTRecord->size() == count, "chapter notes and pages differ in number");
        for (std::size_t i = 0; i < count; ++i) {
            check(settings.bookmarkArray()[i].size() == settings.selectedBibleArray()[i].praises.size(),
                  "a bookmark row and its page's verses differ in number");
        }
    }

    bool matched = false;
    bool shrunk = false;
    bool plusPressed = false;
    UserSettings settings;
    std::unique_ptr<CarouselView> carousel;
};

// Writes the stored data of the last run; returns the mark book's file when one is written.
std::optional<QByteArray> writeStoredData(TestAppContext& test, std::uint8_t options,
                                          const std::vector<std::string_view>& parts) {
    SettingsStore& store = test.context().settings();
    if (parts.size() > 0 && (options & 4) == 0) {
        store.setData(PageStatePersistence::selectedBibleArrayKey, QByteArray::fromStdString(std::string(parts[0])));
    }
    if (parts.size() > 1 && (options & 8) == 0) {
        store.setData(PageStatePersistence::bibleWordsContainerKey, QByteArray::fromStdString(std::string(parts[1])));
    }
    check(store.sync(), "the settings could not be written");
    const QString folder = PageStatePersistence::settingsFolder(test.context());
    check(FileSystem::makeDirectories(folder), "the page-state folder could not be made");
    std::optional<QByteArray> markBook;
    for (std::size_t p = 2; p < parts.size(); ++p) {
        if (parts[p].empty()) {
            continue;
        }
        const std::string_view bytes = parts[p].substr(1);
        if (parts[p][0] == markBookPart) {
            markBook = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
            check(FileSystem::writeAtomically(MarkBookFile::path(folder), *markBook), "the mark book could not be written");
            continue;
        }
        const auto index = static_cast<std::uint8_t>(parts[p][0]) % maxPageFiles;
        check(FileSystem::writeAtomically(QDir(folder).filePath(PageStatePersistence::fileName(index)),
                                          QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))),
              "a page-state file could not be written");
    }
    // The user's own files beside the program's.
    check(FileSystem::writeAtomically(test.context().documents().filePath("letter.txt"), "Dear"), "letter");
    check(FileSystem::writeAtomically(QDir(test.rootPath()).filePath(".profile"), "PATH"), "profile");
    return markBook;
}

// The stored value under `key`, `before` as the launch found it: unchanged, kept byte for byte in
// a backup, or decoded before and after and compared.
template <class T, class Compare>
void checkStoredValue(const AppContext& context, const QString& key, const std::optional<QByteArray>& before,
                      Compare compare) {
    if (!before) {
        return;
    }
    const std::optional<QByteArray> after = context.settings().data(key);
    if (after == before || isBackedUp(context, key, *before)) {
        return;
    }
    const std::optional<T> decodedBefore = decodedJson<T>(textOf(*before));
    check(decodedBefore.has_value(), "a stored value that does not decode is replaced and not backed up");
    check(after.has_value(), "a stored value that decoded is gone");
    const std::optional<T> decodedAfter = decodedJson<T>(textOf(*after));
    check(decodedAfter.has_value(), "a stored value that decoded is replaced by one that does not");
    compare(*decodedBefore, *decodedAfter);
}

// `withMarkBook`: a mark book was stored too, whose marks the pages show in place of their own.
void comparePages(const Pages& before, const Pages& after, bool withMarkBook) {
    if (before.empty()) {
        return;
    }
    check(after.size() == before.size(), "the stored page list lost or gained pages");
    for (std::size_t i = 0; i < before.size(); ++i) {
        check(withMarkBook ? after[i].praises.size() >= before[i].praises.size()
                           : keepsVersesAndMarks(before[i], after[i], true),
              "a stored page lost verses or marks");
    }
}

// The mark book stored, `before` as the launch found it: kept in a backup unless it read whole.
// Every page shows its chapter's marks from the mark book; after a save its file holds it.
void checkMarks(const AppContext& context, const Launch& launch, const std::optional<QByteArray>& before,
                bool saved) {
    const auto decoded = [](const QByteArray& bytes) {
        return MarkBookFile::decode(std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    };
    if (before && !decoded(*before).whole) {
        check(isBackedUp(context, MarkBookFile::fileName, *before), "a mark book that does not read whole is not backed up");
    }
    const MarkBook& book = launch.settings.markBook();
    for (const BibleStructure& page : launch.settings.selectedBibleArray()) {
        check(book.isShownBy(page), "a page does not show its chapter's marks");
    }
    if (saved) {
        const std::optional<QByteArray> file = FileSystem::read(MarkBookFile::path(PageStatePersistence::settingsFolder(context)));
        check(file.has_value(), "a save leaves no mark book");
        const MarkBookFile::Read read = decoded(*file);
        check(read.whole && read.book == book, "the mark book's file does not hold the mark book");
    }
}

void compareTexts(const Texts& before, const Texts& after) {
    check(static_cast<std::int64_t>(before.size()) == bibleBookCount,
          "stored texts of another number of books are replaced and not backed up");
    check(after.size() == before.size(), "the stored texts lost or gained books");
    for (std::size_t b = 0; b < before.size(); ++b) {
        check(after[b].size() == before[b].size(), "the stored texts lost or gained chapters");
        for (std::size_t c = 0; c < before[b].size(); ++c) {
            check(keepsVersesAndMarks(before[b][c], after[b][c]), "a stored chapter lost verses or marks");
        }
    }
}

// Whether the restore took the stored pages: a page list that was read and is not backed up, and
// holds pages.
bool restoredStoredPages(const AppContext& context, const std::optional<QByteArray>& list) {
    if (!list || isBackedUp(context, PageStatePersistence::selectedBibleArrayKey, *list)) {
        return false;
    }
    const std::optional<std::vector<std::string_view>> pages = coding::JsonArrayText::elements(textOf(*list));
    return !pages || !pages->empty();
}

void checkPageFiles(const AppContext& context, const Pages& pages) {
    for (const auto& [name, bytes] : pageFiles(context)) {
        const std::optional<std::int64_t> index = PageStatePersistence::pageIndexOfFileName(name);
        if (!index) {
            continue;
        }
        check(*index < static_cast<std::int64_t>(pages.size()), "a page-state file belongs to no open page");
        const std::optional<BibleStructure> page = testing::decodedPageFile(bytes);
        check(page.has_value(), "a page-state file does not decode");
        check(*page == pages[static_cast<std::size_t>(*index)], "a page-state file does not hold its page");
    }
}

// The next launch finds what `first` left, and restores the same pages.
void launchAgain(TestAppContext& test, const Launch& first, bool optionKey, bool startUpChapter,
                 bool restored, const std::map<QString, QByteArray>& outside) {
    AppContext& context = test.context();
    check(context.settings().sync(), "the settings could not be written");
    const QStringList backupsBefore = backups(context);
    const std::unique_ptr<TestAppContext> again = TestAppContext::inHome(test.rootPath(), resourceFolder());
    again->fixedKeyProbe().setOptionKeyDown(optionKey);
    for (const QString& key :
         {PageStatePersistence::selectedBibleArrayKey, PageStatePersistence::bibleWordsContainerKey}) {
        check(again->context().settings().data(key) == context.settings().data(key),
              "a stored value reads back otherwise at the next launch");
    }
    Launch second(again->context(), startUpChapter);
    again->manualScheduler().runReady();
    second.checkPageLists();
    if (restored) {
        const Pages& pages = first.settings.selectedBibleArray();
        const Pages& restoredAgain = second.settings.selectedBibleArray();
        check(restoredAgain.size() == pages.size(), "the next launch restores another number of pages");
        for (std::size_t i = 0; i < pages.size(); ++i) {
            check(blanked(restoredAgain[i]) == blanked(pages[i]), "the next launch restores another page");
        }
    }
    check(backups(again->context()) == backupsBefore, "the next launch keeps another backup");
    check(filesOutsideTheProgram(*again) == outside, "a file outside the program's folder changed");
}

void run(std::uint8_t options, const std::vector<std::string_view>& parts) {
    const bool optionKey = (options & 1) != 0;
    const bool startUpChapter = (options & 2) != 0;
    TestAppContext test(resourceFolder());
    AppContext& context = test.context();
    const std::optional<QByteArray> markBook = writeStoredData(test, options, parts);
    test.fixedKeyProbe().setOptionKeyDown(optionKey);

    const std::optional<QByteArray> storedList =
        optionKey ? std::nullopt : context.settings().data(PageStatePersistence::selectedBibleArrayKey);
    const std::optional<QByteArray> storedTexts = context.settings().data(PageStatePersistence::bibleWordsContainerKey);
    const std::map<QString, QByteArray> outside = filesOutsideTheProgram(test);
    const std::map<QString, QByteArray> filesBefore = pageFiles(context);

    Launch first(context, startUpChapter);
    test.manualScheduler().runReady();
    first.checkPageLists();
    checkStoredValue<Pages>(context, PageStatePersistence::selectedBibleArrayKey, storedList,
                            [&](const Pages& before, const Pages& after) {
                                comparePages(before, after, markBook.has_value());
                            });
    checkStoredValue<Texts>(context, PageStatePersistence::bibleWordsContainerKey, storedTexts, compareTexts);
    const bool restored = restoredStoredPages(context, storedList);
    checkMarks(context, first, markBook, restored);
    if (restored) {
        checkPageFiles(context, first.settings.selectedBibleArray());
    } else {
        check(pageFiles(context) == filesBefore, "a page-state file changed though no stored page was restored");
    }
    check(filesOutsideTheProgram(test) == outside, "a file outside the program's folder changed");
    if ((options & 16) != 0) {
        launchAgain(test, first, optionKey, startUpChapter, restored, outside);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzing::initializeApplication(argc, argv);
    (void)resourceFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    run(data[0], fuzzing::inputParts(fuzzing::asText(data + 1, size - 1), 2 + maxPageFiles));
    return 0;
}
