#include "app/reading/PageStatePersistence.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "app/model/BibleBook.h"
#include "app/model/BibleStructure.h"
#include "app/platform/AppContext.h"
#include "app/platform/FileSystem.h"
#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/SavedPageState.h"
#include "app/reading/UserSettings.h"
#include "coding/Data.h"
#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonDecoder.h"
#include "coding/json/JsonEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace lumenscroll {

namespace {

// Traces, at the end of the file.
void traceError(const QString& error);
void traceError(const std::exception& error);
void traceRecords(const char* prefix, const std::vector<BibleStructure>& records);
void traceWrongBookCount(const QString& key, std::size_t books);
void traceCorruptFiles();
void traceNotReadBack(std::size_t page);

QByteArray toByteArray(const coding::Data& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

std::string_view textOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The record page-state file bytes hold. Throws coding errors.
BibleStructure decodedPage(const QByteArray& bytes) {
    return coding::BinaryDecoder().decode<BibleStructure>(bytesOf(bytes));
}

template <class Record> QByteArray jsonOf(const Record& record) {
    return toByteArray(coding::JsonEncoder().encode(record));
}

// The page as the stored page list holds it: the texts come from the resources at the next
// start, the list keeps the marks.
BibleStructure blankedWords(const BibleStructure& page) {
    BibleStructure blanked = page;
    for (BiblePraise& praise : blanked.praises) {
        praise.word.clear();
    }
    return blanked;
}

// The JSON array of `count` elements, element i's JSON being `element(i)`.
template <class Element> QByteArray jsonArray(std::size_t count, Element&& element) {
    QByteArray json;
    coding::JsonArrayText::write(json, count, std::forward<Element>(element));
    return json;
}

// The JSON of a placeholder chapter record, which all but a chapter or two of the loaded texts
// are.
const QByteArray& placeholderJson() {
    static const QByteArray json = jsonOf(BibleStructure{});
    return json;
}

// Whether the placeholder's JSON decodes back into a placeholder, so that decoding the stored
// texts may take one for the other.
bool placeholderReadsBack() {
    static const bool readsBack = [] {
        try {
            return coding::JsonDecoder().decode<BibleStructure>(textOf(placeholderJson())) ==
                   BibleStructure{};
        } catch (const std::exception&) {
            return false;
        }
    }();
    return readsBack;
}

bool isRegularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

// The page indexes of the page-state files in `folder`, sorted; none when it cannot be listed.
std::optional<std::vector<std::int64_t>> savedPageIndexes(const QString& folder, QString* error) {
    const std::optional<QStringList> entries = FileSystem::list(folder, error);
    if (!entries) {
        return std::nullopt;
    }
    std::vector<std::int64_t> indexes;
    for (const QString& entry : *entries) {
        const std::optional<std::int64_t> index = PageStatePersistence::pageIndexOfFileName(entry);
        if (index && isRegularFile(QDir(folder).filePath(entry))) {
            indexes.push_back(*index);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

// Reads and decodes one page-state file; the error is traced.
bool decodesAsPage(const QString& path) {
    QString error;
    const std::optional<QByteArray> bytes = FileSystem::read(path, &error);
    if (!bytes) {
        traceError(error);
        return false;
    }
    try {
        (void)decodedPage(*bytes);
    } catch (const std::exception& decodingError) {
        traceError(decodingError);
        return false;
    }
    return true;
}

// Whether the file at `path` decodes into `page`; nothing is traced, the file is about to be
// replaced when it does not.
bool fileHoldsPage(const QString& path, const BibleStructure& page) {
    const std::optional<QByteArray> bytes = FileSystem::read(path);
    if (!bytes) {
        return false;
    }
    try {
        return decodedPage(*bytes) == page;
    } catch (const std::exception&) {
        return false;
    }
}

// Whether `bytes` decode back into page `index`, as the next start will read them; the error is
// traced.
bool readsBackAs(const QByteArray& bytes, const BibleStructure& page, std::size_t index) {
    try {
        if (decodedPage(bytes) == page) {
            return true;
        }
    } catch (const std::exception& error) {
        traceError(error);
    }
    traceNotReadBack(index);
    return false;
}

// Writes the file of every page whose file does not hold it yet, stopping at the first failure;
// true when every page's file holds it. A save usually follows a change to one page: a file this
// run wrote or checked, untouched since and holding the page, is left alone, and a file of another
// run (at launch) or one something else touched is read and left alone when it holds the page.
// The bytes are decoded before they go in place of a file, so that a file the next start could not
// read back is never written. The files that change are replaced together, in page order, so that
// the disk is waited for once rather than once a file; `whileFlushing` runs while it is.
bool writePageFiles(const std::vector<BibleStructure>& pages, const QString& folder, SavedPageState& saved,
                    const std::function<void()>& whileFlushing) {
    const coding::BinaryEncoder encoder;
    std::vector<FileSystem::Replacement> replacements;
    std::vector<std::size_t> replaced;
    bool complete = true;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const BibleStructure& page = pages[i];
        const QString path =
            QDir(folder).filePath(PageStatePersistence::fileName(static_cast<std::int64_t>(i)));
        const std::optional<FileStamp> stamp = FileSystem::stamp(path);
        if (saved.fileHolds(i, page, stamp)) {
            continue;
        }
        if (stamp && !saved.fileUnchanged(i, stamp) && fileHoldsPage(path, page)) {
            saved.rememberFile(i, page, *stamp);
            continue;
        }
        saved.forgetFile(i);
        QByteArray bytes;
        try {
            bytes = toByteArray(encoder.encode(page));
        } catch (const std::exception& error) {
            traceError(error);
            complete = false;
            break;
        }
        if (!readsBackAs(bytes, page, i)) {
            complete = false;
            break;
        }
        replacements.push_back({path, std::move(bytes)});
        replaced.push_back(i);
    }
    QString error;
    const std::size_t placed = FileSystem::writeAllAtomically(replacements, &error, whileFlushing);
    if (placed < replacements.size()) {
        traceError(error);
        complete = false;
    }
    for (std::size_t r = 0; r < placed; ++r) {
        if (const std::optional<FileStamp> written = FileSystem::stamp(replacements[r].path)) {
            saved.rememberFile(replaced[r], pages[replaced[r]], *written);
        }
    }
    if (complete) {
        saved.keepFiles(pages.size());
    }
    return complete;
}

// The JSON of a page's entry. A save usually follows a change to a verse or two of a page: each
// verse that is as it was when the page's last entry was made keeps its JSON from there.
QByteArray listEntryJson(const BibleStructure& blanked, const SavedPageState::ListEntry* last) {
    if (!last) {
        return jsonOf(blanked);
    }
    const std::vector<BiblePraise>& lastVerses = last->blanked.praises;
    return toByteArray(coding::JsonEncoder().encodeKeepingElements(
        blanked, BibleStructure::keyPraises, last->blanked, textOf(last->json),
        [&](std::size_t i) { return lastVerses[i] == blanked.praises[i]; }));
}

// The stored page list's JSON, each page's entry made again only when the page changed since
// the entry was made.
QByteArray pageListJson(const std::vector<BibleStructure>& pages, SavedPageState& saved) {
    QByteArray json = jsonArray(pages.size(), [&](std::size_t i) {
        const BibleStructure blanked = blankedWords(pages[i]);
        if (const QByteArray* entry = saved.listEntry(i, blanked)) {
            return *entry;
        }
        QByteArray entry = listEntryJson(blanked, saved.lastListEntry(i));
        saved.rememberListEntry(i, blanked, entry);
        return entry;
    });
    saved.keepListEntries(pages.size());
    return json;
}

// The stored texts' JSON, made again only when the texts changed since it was made.
QByteArray textsJson(const std::vector<std::vector<BibleStructure>>& books, SavedPageState& saved) {
    if (const QByteArray* json = saved.textsJson(books)) {
        return *json;
    }
    QByteArray json = PageStatePersistence::bibleWordsContainerJson(books);
    saved.rememberTexts(books, json);
    return json;
}

// Stores a user default unless it holds these bytes already, so that a save that changed
// nothing there does not rewrite the settings file.
void storeIfChanged(SettingsStore& settings, const QString& key, const QByteArray& bytes) {
    if (settings.data(key) != bytes) {
        settings.setData(key, bytes);
    }
}

// Removes the files of pages that are no longer open, so that no old file is taken for a page
// at the next start.
void removeFilesPast(std::int64_t pageCount, const QString& folder) {
    // The temporary files that replace the page-state files are kept for the next save to write
    // over; those of pages no longer open go too, whatever state a crash left them in. One
    // listing finds both.
    const QDir directory(folder);
    if (!directory.exists()) {
        traceError(QStringLiteral("The folder \"%1\" does not exist.").arg(folder));
        return;
    }
    const QString& suffix = FileSystem::temporarySuffix;
    for (const QString& name : directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
        const bool temporary = name.startsWith(QLatin1Char('.')) && name.endsWith(suffix);
        const std::optional<std::int64_t> index = PageStatePersistence::pageIndexOfFileName(
            temporary ? name.mid(1, name.size() - 1 - suffix.size()) : name);
        QString error;
        if (index && *index >= pageCount && !FileSystem::removeFile(directory.filePath(name), &error)) {
            trace(error);
        }
    }
}

// The stored bytes under `key`: none when there is nothing there.
std::optional<QByteArray> storedValue(const SettingsStore& settings, const QString& key) {
    if (std::optional<QByteArray> bytes = settings.data(key)) {
        return bytes;
    }
    // Something is there, but not as bytes: it is read as text, which will not decode either,
    // so that it is kept before it is saved over.
    if (settings.hasValue(key)) {
        return settings.string(key).value_or(QString()).toUtf8();
    }
    return std::nullopt;
}

// A stored value decoded, or none with the error traced.
template <class T> std::optional<T> decodeStored(const QByteArray& bytes) {
    try {
        return coding::JsonDecoder().decode<T>(textOf(bytes));
    } catch (const std::exception& error) {
        traceError(error);
        return std::nullopt;
    }
}

// The stored page list decoded entry by entry, each entry's JSON kept with the record it decodes
// into, so that the save after the restore makes again only the entries of changed pages. A
// value that is not a list of entries that each decode is decoded whole, for its error.
std::optional<std::vector<BibleStructure>> decodeStoredPages(const QByteArray& bytes, SavedPageState& saved) {
    if (const auto entries = coding::JsonArrayText::elements(textOf(bytes))) {
        try {
            std::vector<BibleStructure> pages;
            pages.reserve(entries->size());
            for (const std::string_view entry : *entries) {
                pages.push_back(coding::JsonDecoder().decode<BibleStructure>(entry));
            }
            for (std::size_t i = 0; i < pages.size(); ++i) {
                saved.rememberListEntry(
                    i, pages[i],
                    QByteArray((*entries)[i].data(), static_cast<qsizetype>((*entries)[i].size())));
            }
            saved.keepListEntries(pages.size());
            return pages;
        } catch (const std::exception&) {
        }
    }
    return decodeStored<std::vector<BibleStructure>>(bytes);
}

// The JSON of a book holding the placeholder alone, as all but a few of the stored books do.
const std::string& placeholderBookJson() {
    static const std::string json = [] {
        std::string book;
        coding::JsonArrayText::write(book, 1, [](std::size_t) { return textOf(placeholderJson()); });
        return book;
    }();
    return json;
}

// The chapters of one book of the stored texts, each placeholder taken as one without decoding
// it. Throws coding errors; none when the book is not a list.
std::optional<std::vector<BibleStructure>> decodeBook(std::string_view book) {
    if (book == placeholderBookJson()) {
        return std::vector<BibleStructure>(1);
    }
    const auto chapters = coding::JsonArrayText::elements(book, textOf(placeholderJson()));
    if (!chapters) {
        return std::nullopt;
    }
    std::vector<BibleStructure> decoded;
    decoded.reserve(chapters->size());
    for (const std::string_view chapter : *chapters) {
        decoded.push_back(chapter == textOf(placeholderJson())
                              ? BibleStructure{}
                              : coding::JsonDecoder().decode<BibleStructure>(chapter));
    }
    return decoded;
}

// The stored texts decoded book by book, the placeholders not decoded at all: they are all but a
// chapter or two of more than a thousand. A value of another shape is decoded whole, for its
// error.
std::optional<std::vector<std::vector<BibleStructure>>> decodeStoredTexts(const QByteArray& bytes) {
    const auto books =
        placeholderReadsBack() ? coding::JsonArrayText::elements(textOf(bytes), placeholderBookJson()) : std::nullopt;
    if (books) {
        try {
            std::vector<std::vector<BibleStructure>> texts;
            texts.reserve(books->size());
            for (const std::string_view book : *books) {
                std::optional<std::vector<BibleStructure>> chapters = decodeBook(book);
                if (!chapters) {
                    break;
                }
                texts.push_back(std::move(*chapters));
            }
            if (texts.size() == books->size()) {
                return texts;
            }
        } catch (const std::exception&) {
        }
    }
    return decodeStored<std::vector<std::vector<BibleStructure>>>(bytes);
}

} // namespace

QString PageStatePersistence::settingsFolder(const AppContext& context) {
    return context.documents().filePath(baseFolderName + QLatin1Char('/') + settingsFolderName);
}

QString PageStatePersistence::fileName(std::int64_t pageIndex) {
    return fileNamePrefix + QString::number(pageIndex);
}

std::optional<std::int64_t> PageStatePersistence::pageIndexOfFileName(const QString& name) {
    if (!name.startsWith(fileNamePrefix)) {
        return std::nullopt;
    }
    const QStringView digits = QStringView(name).mid(fileNamePrefix.size());
    // Eighteen digits always fit; no page count comes near.
    if (digits.isEmpty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == QLatin1Char('0'))) {
        return std::nullopt;
    }
    std::int64_t index = 0;
    for (const QChar digit : digits) {
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9')) {
            return std::nullopt;
        }
        index = index * 10 + (digit.unicode() - u'0');
    }
    return index;
}

QByteArray PageStatePersistence::selectedBibleArrayJson(const std::vector<BibleStructure>& pages) {
    return jsonArray(pages.size(), [&](std::size_t i) { return jsonOf(blankedWords(pages[i])); });
}

QByteArray
PageStatePersistence::bibleWordsContainerJson(const std::vector<std::vector<BibleStructure>>& books) {
    // All but a chapter or two are placeholders, whose JSON never changes: it is made once and
    // copied, and only the loaded chapters go through the encoder.
    static const BibleStructure placeholder;
    return jsonArray(books.size(), [&](std::size_t b) {
        return jsonArray(books[b].size(), [&](std::size_t c) {
            const BibleStructure& chapter = books[b][c];
            return chapter == placeholder ? placeholderJson() : jsonOf(chapter);
        });
    });
}

void PageStatePersistence::savePageState(UserSettings& userSettings, const AppContext& context,
                                         std::function<void(bool saved)> finished) {
    const QString baseFolder = context.documents().filePath(baseFolderName);
    const QString folder = settingsFolder(context);
    bool saved = true;
    for (const QString& path : {baseFolder, folder}) {
        QString error;
        if (!FileSystem::isDirectory(path) && !FileSystem::makeDirectories(path, &error)) {
            trace(error);
            saved = false;
        }
    }

    const std::vector<BibleStructure>& pages = userSettings.selectedBibleArray.get();
    traceRecords("** ", pages);

    SettingsStore& settings = context.settings();
    SavedPageState& written = userSettings.savedPageState();
    written.useStorage(folder, settings.fileName());
    // The user defaults are made while the disk takes the files, and stored once the files are in
    // place.
    std::optional<QByteArray> pageList;
    std::optional<QByteArray> texts;
    const auto makeStoredValues = [&] {
        try {
            pageList = pageListJson(pages, written);
        } catch (const std::exception& error) {
            traceError(error);
        }
        try {
            texts = textsJson(userSettings.BibleWordsContainer.get(), written);
        } catch (const std::exception& error) {
            traceError(error);
        }
    };
    if (writePageFiles(pages, folder, written, makeStoredValues)) {
        removeFilesPast(static_cast<std::int64_t>(pages.size()), folder);
    } else {
        saved = false;
    }

    for (const auto& [key, value] :
         {std::pair(selectedBibleArrayKey, &pageList), std::pair(bibleWordsContainerKey, &texts)}) {
        if (*value) {
            storeIfChanged(settings, key, **value);
        } else {
            saved = false;
        }
    }
    settings.syncThen(&userSettings,
                      [saved, finished = std::move(finished), file = settings.fileName()](bool written) {
                          if (!written) {
                              trace(QStringLiteral("error the settings could not be written to ") + file);
                          }
                          finished(saved && written);
                      });
}

void PageStatePersistence::loadSavedState(BibleView loadingPage) {
    UserSettings& userSettings = *loadingPage.userSettings;
    const QString folder = settingsFolder(loadingPage.userSettings.context());

    QString error;
    const std::optional<std::vector<std::int64_t>> indexes = savedPageIndexes(folder, &error);
    if (!indexes) {
        traceError(error);
        return;
    }
    // The open pages are those of the stored page list; a file past them is left over from an
    // earlier run and stands for no page.
    const auto openPages = static_cast<std::int64_t>(userSettings.selectedBibleArray->size());
    std::int64_t count = 0;
    for (const std::int64_t index : *indexes) {
        count += index < openPages ? 1 : 0;
    }
    if (count == 0) {
        return;
    }
    trace("fileArray count " + std::to_string(count));

    for (std::int64_t i = 0; i < count; ++i) {
        if (!isRegularFile(QDir(folder).filePath(fileName(i)))) {
            traceCorruptFiles();
            return;
        }
    }
    // Page 0 is the loading page itself.
    if (count == 1) {
        return;
    }

    for (std::int64_t i = 1; i < count; ++i) {
        const QString path = QDir(folder).filePath(fileName(i));
        if (!isRegularFile(path)) {
            continue;
        }
        trace("i " + std::to_string(i));
        // The file is a check only: the page is built from the stored page list.
        if (!decodesAsPage(path)) {
            traceCorruptFiles();
            return;
        }

        const PageHandle saved(userSettings, i);
        if (const std::optional<BibleBook> book = bibleBookFromRaw(saved.record()->sectionIndex)) {
            const std::string name(bookName(saved.record()->language, *book));
            saved.modifyRecord([&](BibleStructure& record) { record.name = name; });
        }
        // The page values of the open pages come first in roles; one that is there already is
        // not built twice.
        if (i < static_cast<std::int64_t>(userSettings.roles->size())) {
            continue;
        }

        const std::vector<BibleView>& roles = userSettings.roles.get();
        const std::string photo =
            roles.empty() ? loadingPage.randomTitlePhoto() : roles.back().randomTitlePhoto();
        BibleView page{
            .isShrinkStatus = Binding<bool>::constant(false),
            .userSettings = loadingPage.userSettings,
            .pageIndex = Binding<std::int64_t>::constant(i),
            .prevPageIndex = loadingPage.prevPageIndex,
            .pickedPhotoName = Binding<std::string>::constant(photo),
            .selectedBible = userSettings.selectedBibleArray.get()[at(i)],
            .plusBible = loadingPage.plusBible,
            .plusBible2 = loadingPage.plusBible2,
            .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
            .plusBtnPressed = Binding<bool>::constant(false),
            .bibleViewFixedIndex = i,
        };
        OpenPages(userSettings).appendView(std::move(page));
        refreshPageTitle(saved);
    }
}

void PageStatePersistence::restoreStoredValues(UserSettings& userSettings, const AppContext& context,
                                               bool readPageList) {
    const SettingsStore& settings = context.settings();
    const std::optional<QByteArray> storedPages =
        readPageList ? storedValue(settings, selectedBibleArrayKey) : std::nullopt;
    const std::optional<QByteArray> storedTexts = storedValue(settings, bibleWordsContainerKey);
    SavedPageState& saved = userSettings.savedPageState();
    saved.useStorage(settingsFolder(context), settings.fileName());

    if (storedPages) {
        if (auto pages = decodeStoredPages(*storedPages, saved)) {
            OpenPages(userSettings).restoreRecords(std::move(*pages));
        } else {
            backUp(context, selectedBibleArrayKey, *storedPages, "corrupt");
        }
    }
    if (storedTexts) {
        auto texts = decodeStoredTexts(*storedTexts);
        if (texts && static_cast<std::int64_t>(texts->size()) != bibleBookCount) {
            traceWrongBookCount(bibleWordsContainerKey, texts->size());
            texts.reset();
        }
        if (texts) {
            saved.rememberTexts(*texts, *storedTexts);
            userSettings.BibleWordsContainer.set(std::move(*texts));
        } else {
            backUp(context, bibleWordsContainerKey, *storedTexts, "corrupt");
        }
    }
    traceRecords("*** ", userSettings.selectedBibleArray.get());
}

void PageStatePersistence::backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                                  const char* reason) {
    const QString folder = context.documents().filePath(baseFolderName);
    QString error;
    if (!FileSystem::isDirectory(folder) && !FileSystem::makeDirectories(folder, &error)) {
        traceError(error);
        return;
    }
    const QString prefix = key + QLatin1Char('.');
    for (const QString& name : QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::Files)) {
        if (FileSystem::read(QDir(folder).filePath(name)) == bytes) {
            trace(QStringLiteral("the stored ") + key + QStringLiteral(" is kept in ") +
                  QDir(folder).filePath(name) + QStringLiteral(" already"));
            return;
        }
    }
    const QString stem = prefix + QLatin1String(reason) + QLatin1Char('-') +
                         context.clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A later backup of the same second takes the next free number.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString name = stem + (attempt == 1 ? QString() : QLatin1Char('-') + QString::number(attempt)) +
                             QStringLiteral(".json");
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) {
                continue;
            }
            traceError(file.errorString());
            return;
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            traceError(file.errorString());
            return;
        }
        trace(QStringLiteral("the stored ") + key + QStringLiteral(" was kept in ") + file.fileName());
        return;
    }
    trace(QStringLiteral("error no free name for a backup of ") + key);
}

void PageStatePersistence::deletePageStateFile(const AppContext& context, const QString& name) {
    if (!pageIndexOfFileName(name)) {
        trace(QStringLiteral("error \"") + name + QStringLiteral("\" is not a page-state file"));
        return;
    }
    const QString path = QDir(settingsFolder(context)).filePath(name);
    if (!FileSystem::exists(path)) {
        return;
    }
    QString error;
    if (!FileSystem::removeFile(path, &error)) {
        trace(error);
    }
}

void deletePageStateFile(const AppContext& context, const QString& name) {
    PageStatePersistence::deletePageStateFile(context, name);
}

namespace {

void traceError(const QString& error) {
    trace(QStringLiteral("error ") + error);
}

void traceError(const std::exception& error) {
    trace(std::string("error ") + error.what());
}

// Each record's book, chapter index and verse count, each line led by `prefix`.
void traceRecords(const char* prefix, const std::vector<BibleStructure>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string record = prefix + std::string("selectedBibleArray[") + std::to_string(i) + "]";
        trace(record + ".sectionIndex " + std::to_string(records[i].sectionIndex));
        trace(record + ".versesIndex " + std::to_string(records[i].versesIndex));
        trace(record + ".praises.count " + std::to_string(records[i].praises.size()));
    }
}

void traceWrongBookCount(const QString& key, std::size_t books) {
    trace("error the stored " + key.toStdString() + " holds " + std::to_string(books) + " books, not " +
          std::to_string(bibleBookCount));
}

void traceCorruptFiles() {
    trace("one or more files are corrupted");
}

void traceNotReadBack(std::size_t page) {
    trace("error the page-state file of page " + std::to_string(page) +
          " would not read back as the page; the file is left as it was");
}

} // namespace

} // namespace lumenscroll
