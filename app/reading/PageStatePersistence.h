#pragma once

#include "app/reading/PageStateBackups.h"
#include "app/reading/PageStateFiles.h"
#include "app/reading/StoredPageValues.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumenscroll {

class AppContext;
class UserSettings;
struct BibleView;

// What survives a run of the open pages: the page-state files (PageStateFiles), the mark book's
// file (MarkBookFile), the two JSON user defaults (StoredPageValues), and the backups of stored
// data that does not decode or that a launch leaves unread (PageStateBackups). This is the one place that saves and restores them together. Every failure
// is traced: saving and loading never stop the program. A save says whether it wrote everything,
// for the shared state to tell the user.
class PageStatePersistence {
public:
    PageStatePersistence() = delete;

    // The names each job gives its own, as callers of the whole know them.
    static inline const QString& baseFolderName = PageStateFiles::baseFolderName;
    static inline const QString& settingsFolderName = PageStateFiles::settingsFolderName;
    static inline const QString& fileNamePrefix = PageStateFiles::fileNamePrefix;
    static inline const QString& selectedBibleArrayKey = StoredPageValues::selectedBibleArrayKey;
    static inline const QString& bibleWordsContainerKey = StoredPageValues::bibleWordsContainerKey;

    static QString settingsFolder(const AppContext& context) { return PageStateFiles::folder(context); }
    static QString fileName(std::int64_t pageIndex) { return PageStateFiles::fileName(pageIndex); }
    static std::optional<std::int64_t> pageIndexOfFileName(const QString& name) {
        return PageStateFiles::pageIndexOfFileName(name);
    }

    // Writes the mark book's file when it does not hold the mark book yet, and the file of every
    // open page whose file does not hold it yet (each replaced
    // atomically, so a failed save leaves the previous file whole, and each decoded before it is
    // written, so that no file the next start cannot read back goes in place of one), removes
    // the files of indexes at or past the page count, and their temporary files
    // (FileSystem::temporaryPath), once every page's file holds it, and stores
    // the two JSON user defaults where they changed. What is left alone is what this run's saves
    // (userSettings.savedPageState()) wrote and nothing has touched since.
    //
    // `finished` is told whether every file and both user defaults reached the disk: the files
    // are written before this returns, the user defaults as the settings store writes them
    // (SettingsStore::syncThen), so `finished` may run later, from the event loop, and does not
    // run once userSettings is gone.
    static void savePageState(UserSettings& userSettings, const AppContext& context,
                              std::function<void(bool saved)> finished);

    // Checks the page-state files of the saved pages (each index from 0 up to the number of
    // saved files must be there, and each file from index 1 must decode) and builds a page value
    // for every saved index from 1 that roles does not hold yet, from the records that
    // selectedBibleArray already holds. Files that are not page-state files, and those of
    // indexes past the open pages, play no part.
    static void loadSavedState(BibleView loadingPage);

    // Brings back the two user defaults of the last run, both read before anything of this run
    // can save over them: the page list (only when `readPageList`; an Option key held at
    // launch leaves it unread) as the open pages' records, and the loaded texts. Each stands on
    // its own: a value that does not decode, or loaded texts that are not one list per book,
    // is traced, backed up (backUp) and left out, and the other is restored as usual; the next
    // save replaces it. A value that is not there changes nothing. What is restored is noted in
    // userSettings.savedPageState() as stored already.
    static void restoreStoredValues(UserSettings& userSettings, const AppContext& context, bool readPageList);

    // Brings back the mark book, after the stored values, and settles which marks the pages show
    // at launch. Once there is a mark book file it is the truth: every mark made since it was
    // first written went into it at once, while a page's record may hold a chapter's marks as
    // they were before another page changed them, so a page shows the book's marks, and a mark
    // its own record carries that the book lacks is one that was cleared. Without a file (the
    // first launch of a build that keeps one, or a first run) the marks the stored pages carry go
    // in: those of the restored page list, or, when it was not read (an Option key) or held no
    // page, those of the page-state files. A file that does not read whole is backed up, and the
    // chapters it gave are the truth while the stored pages' marks fill in the chapters it lacks.
    // Nothing is written: the next save writes the file.
    static void restoreMarkBook(UserSettings& userSettings, const AppContext& context);

    // A launch that leaves the stored page list unread (an Option key held) saves its own pages
    // over the stored ones at its first save: the stored page list and the page-state files are
    // kept first, each in a backup of its own (PageStateBackups::backUp, reason "unread"), and the
    // trace says where.
    static void keepUnreadPages(const AppContext& context);

    // See PageStateBackups::backUp.
    static void backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                       const char* reason) {
        PageStateBackups::backUp(context, key, bytes, reason);
    }
    // See PageStateFiles::remove.
    static void deletePageStateFile(const AppContext& context, const QString& name) {
        PageStateFiles::remove(context, name);
    }
    // See StoredPageValues.
    static QByteArray selectedBibleArrayJson(const std::vector<BibleStructure>& pages) {
        return StoredPageValues::selectedBibleArrayJson(pages);
    }
    static QByteArray bibleWordsContainerJson(const std::vector<std::vector<BibleStructure>>& books) {
        return StoredPageValues::bibleWordsContainerJson(books);
    }
};

// Removes one page-state file; see PageStateFiles::remove.
void deletePageStateFile(const AppContext& context, const QString& name);

} // namespace lumenscroll
