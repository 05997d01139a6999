#include "app/reading/PageStatePersistence.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructure.h"
#include "app/platform/AppContext.h"
#include "app/platform/FileSystem.h"
#include "app/platform/Trace.h"
#include "app/reading/BibleView.h"
#include "app/reading/ListIndex.h"
#include "app/reading/MarkBookFile.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/SavedPageState.h"
#include "app/reading/UserSettings.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

namespace lumenscroll {

namespace {

// Each record's book, chapter index and verse count, each line led by `prefix`.
void traceRecords(const char* prefix, const std::vector<BibleStructure>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string record = prefix + std::string("selectedBibleArray[") + std::to_string(i) + "]";
        trace(record + ".sectionIndex " + std::to_string(records[i].sectionIndex));
        trace(record + ".versesIndex " + std::to_string(records[i].versesIndex));
        trace(record + ".praises.count " + std::to_string(records[i].praises.size()));
    }
}

void traceCorruptFiles() {
    trace("one or more files are corrupted");
}

// The folders of the page state, made where they are missing; false when one cannot be.
bool makeFolders(const AppContext& context) {
    bool made = true;
    for (const QString& path : {PageStateFiles::baseFolder(context), PageStateFiles::folder(context)}) {
        QString error;
        if (!FileSystem::isDirectory(path) && !FileSystem::makeDirectories(path, &error)) {
            trace(error);
            made = false;
        }
    }
    return made;
}

// The files that changed since the last save, replaced together, so that the disk is waited for
// once rather than once a file: the mark book's first, then the pages' in page order. A crash part
// way thus leaves the mark book no older than any page, and the mark book is what the pages show
// at the next launch. The files of pages no longer open go once every page's file holds it.
// Whether every file is in place.
bool writeChangedFiles(const MarkBook& marks, const std::vector<BibleStructure>& pages, const QString& folder,
                       SavedPageState& written, const std::function<void()>& whileFlushing) {
    const MarkBookFile::Change book = MarkBookFile::change(marks, folder, written.markBook());
    const PageStateFiles::Changes files = PageStateFiles::changes(pages, folder, written.files());
    std::vector<FileSystem::Replacement> batch;
    batch.reserve(files.replacements.size() + 1);
    if (book.replacement) {
        batch.push_back(*book.replacement);
    }
    batch.insert(batch.end(), files.replacements.begin(), files.replacements.end());
    QString error;
    const std::size_t placed = FileSystem::writeAllAtomically(batch, &error, whileFlushing);
    if (placed < batch.size()) {
        traceError(error);
    }
    const std::size_t bookPlaced = book.replacement ? std::min<std::size_t>(placed, 1) : 0;
    if (bookPlaced == 1) {
        MarkBookFile::notePlaced(marks, book, written.markBook());
    }
    const bool bookWritten = !book.failed && bookPlaced == (book.replacement ? 1u : 0u);
    if (!PageStateFiles::notePlaced(files, placed - bookPlaced, pages, written.files())) {
        return false;
    }
    PageStateFiles::removeFilesPast(static_cast<std::int64_t>(pages.size()), folder, written.files());
    return bookWritten;
}

// The page value of saved page `index`, which `loadingPage` builds.
BibleView restoredPage(const BibleView& loadingPage, std::int64_t index) {
    UserSettings& userSettings = *loadingPage.userSettings;
    const std::vector<BibleView>& roles = userSettings.roles.get();
    const std::string photo =
        roles.empty() ? loadingPage.randomTitlePhoto() : roles.back().randomTitlePhoto();
    return BibleView{
        .isShrinkStatus = Binding<bool>::constant(false),
        .userSettings = loadingPage.userSettings,
        .pageIndex = Binding<std::int64_t>::constant(index),
        .prevPageIndex = loadingPage.prevPageIndex,
        .pickedPhotoName = Binding<std::string>::constant(photo),
        .selectedBible = userSettings.selectedBibleArray.get()[at(index)],
        .plusBible = loadingPage.plusBible,
        .plusBible2 = loadingPage.plusBible2,
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .bibleViewFixedIndex = index,
    };
}

} // namespace

void PageStatePersistence::savePageState(UserSettings& userSettings, const AppContext& context,
                                         std::function<void(bool saved)> finished) {
    bool saved = makeFolders(context);
    const QString folder = PageStateFiles::folder(context);
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
            pageList = StoredPageValues::pageListJson(pages, written.values());
        } catch (const std::exception& error) {
            traceError(error);
        }
        try {
            texts = StoredPageValues::textsJson(userSettings.BibleWordsContainer.get(), written.values());
        } catch (const std::exception& error) {
            traceError(error);
        }
    };
    saved = writeChangedFiles(userSettings.markBook.get(), pages, folder, written, makeStoredValues) && saved;

    for (const auto& [key, value] : {std::pair(StoredPageValues::selectedBibleArrayKey, &pageList),
                                     std::pair(StoredPageValues::bibleWordsContainerKey, &texts)}) {
        if (*value) {
            StoredPageValues::storeIfChanged(settings, key, **value);
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
    const QString folder = PageStateFiles::folder(loadingPage.userSettings.context());

    QString error;
    const std::optional<std::vector<std::int64_t>> indexes = PageStateFiles::savedIndexes(folder, &error);
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
        if (!FileSystem::isFile(PageStateFiles::path(folder, i))) {
            traceCorruptFiles();
            return;
        }
    }
    // Page 0 is the loading page itself.
    for (std::int64_t i = 1; i < count; ++i) {
        const QString path = PageStateFiles::path(folder, i);
        if (!FileSystem::isFile(path)) {
            continue;
        }
        trace("i " + std::to_string(i));
        // The file is a check only: the page is built from the stored page list.
        if (!PageStateFiles::decodes(path)) {
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
        OpenPages(userSettings).appendViewOfRecord(restoredPage(loadingPage, i));
        refreshPageTitle(saved);
    }
}

void PageStatePersistence::restoreStoredValues(UserSettings& userSettings, const AppContext& context,
                                               bool readPageList) {
    const SettingsStore& settings = context.settings();
    const std::optional<QByteArray> storedPages =
        readPageList ? StoredPageValues::stored(settings, selectedBibleArrayKey) : std::nullopt;
    const std::optional<QByteArray> storedTexts = StoredPageValues::stored(settings, bibleWordsContainerKey);
    SavedPageState& saved = userSettings.savedPageState();
    saved.useStorage(PageStateFiles::folder(context), settings.fileName());

    if (storedPages) {
        if (auto pages = StoredPageValues::decodePageList(*storedPages, saved.values())) {
            OpenPages(userSettings).restoreRecords(std::move(*pages));
        } else {
            PageStateBackups::backUp(context, selectedBibleArrayKey, *storedPages, "corrupt");
        }
    }
    if (storedTexts) {
        if (auto texts = StoredPageValues::decodeTexts(*storedTexts, saved.values())) {
            userSettings.BibleWordsContainer.set(std::move(*texts));
        } else {
            PageStateBackups::backUp(context, bibleWordsContainerKey, *storedTexts, "corrupt");
        }
    }
    traceRecords("*** ", userSettings.selectedBibleArray.get());
}

void PageStatePersistence::restoreMarkBook(UserSettings& userSettings, const AppContext& context) {
    SavedPageState& saved = userSettings.savedPageState();
    const QString folder = PageStateFiles::folder(context);
    saved.useStorage(folder, context.settings().fileName());
    std::optional<MarkBookFile::Read> read = MarkBookFile::load(context, saved.markBook());
    if (read && read->whole) {
        userSettings.markBook.set(std::move(read->book));
        return;
    }
    // No mark book: the first launch of a build that keeps one (or a first run). Or one that
    // could not be read whole. The marks the pages of the last run carry in their own records are
    // all there is of the chapters the book lacks.
    MarkBook book = read ? std::move(read->book) : MarkBook();
    const std::vector<BibleStructure>& pages = userSettings.selectedBibleArray.get();
    book.takeMarksOfChaptersMissing(pages.empty() ? PageStateFiles::savedPages(folder) : pages);
    if (!read && !book.isEmpty()) {
        trace("the marks of the stored pages now go in the mark book " + MarkBookFile::path(folder).toStdString());
    }
    userSettings.markBook.set(std::move(book));
}

void PageStatePersistence::keepUnreadPages(const AppContext& context) {
    const std::optional<QByteArray> list = StoredPageValues::stored(context.settings(), selectedBibleArrayKey);
    if (list) {
        PageStateBackups::backUp(context, selectedBibleArrayKey, *list, "unread");
    }
    const QString folder = PageStateFiles::folder(context);
    QString error;
    for (const std::int64_t index : PageStateFiles::savedIndexes(folder, &error).value_or(std::vector<std::int64_t>())) {
        if (const std::optional<QByteArray> bytes = FileSystem::read(PageStateFiles::path(folder, index), &error)) {
            PageStateBackups::backUp(context, PageStateFiles::fileName(index), *bytes, "unread", QString());
        } else {
            traceError(error);
        }
    }
}

void deletePageStateFile(const AppContext& context, const QString& name) {
    PageStateFiles::remove(context, name);
}

} // namespace lumenscroll
