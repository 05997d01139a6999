#pragma once

#include "app/reading/BibleView.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumenscroll {

class AppContext;
class UserSettings;
struct BibleStructure;

// What survives a run of the open pages: one page-state file per page, the compact coding of
// its chapter record, in Documents/Lumenscroll_QT/Lumenscroll_Settings, named "LSC_Settings_"
// and the page's index; and two JSON user defaults, the open pages (verse texts left empty)
// and the loaded page texts. This is the one place that reads and writes them, and keeps the
// backups of stored values that do not decode beside the page-state folder. Every failure is
// traced: saving and loading never stop the program. A save says whether it wrote everything,
// for the shared state to tell the user.
class PageStatePersistence {
public:
    PageStatePersistence() = delete;

    static inline const QString baseFolderName = QStringLiteral("Lumenscroll_QT");
    static inline const QString settingsFolderName = QStringLiteral("Lumenscroll_Settings");
    static inline const QString fileNamePrefix = QStringLiteral("LSC_Settings_");
    static inline const QString selectedBibleArrayKey = QStringLiteral("SelectedBibleArray");
    static inline const QString bibleWordsContainerKey = QStringLiteral("BibleWordsContainer");

    // The folder of the page-state files.
    static QString settingsFolder(const AppContext& context);
    // "LSC_Settings_" and the index in decimal.
    static QString fileName(std::int64_t pageIndex);
    // The page index a page-state file name stands for: exactly "LSC_Settings_" and a decimal
    // index without leading zeros. None for any other name.
    static std::optional<std::int64_t> pageIndexOfFileName(const QString& name);

    // Writes the file of every open page whose file does not hold it yet (each replaced
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

    // Copies `bytes`, the stored value under `key`, to a new file in the base folder, named by
    // the key, `reason` and the context's clock ("SelectedBibleArray.corrupt-20240301-091500.json",
    // a later one of the same second numbered "-2" and on), unless a backup of `key` holds
    // exactly these bytes already: a bad value that nothing has saved over yet is met at every
    // launch, and one copy of it is enough. A backup is never replaced.
    static void backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                       const char* reason);

    // Removes one page-state file if it is there. A name that is not a page-state file name
    // is refused, so nothing outside the folder, and nothing else in it, can be removed.
    static void deletePageStateFile(const AppContext& context, const QString& name);

    // The JSON stored under "SelectedBibleArray": the pages with every verse text empty. The
    // pages passed in are left as they are. Throws coding errors.
    static QByteArray selectedBibleArrayJson(const std::vector<BibleStructure>& pages);
    // The JSON stored under "BibleWordsContainer": the loaded texts as they are. Throws coding
    // errors.
    static QByteArray bibleWordsContainerJson(const std::vector<std::vector<BibleStructure>>& books);
};

// Removes one page-state file; see PageStatePersistence::deletePageStateFile.
void deletePageStateFile(const AppContext& context, const QString& name);

} // namespace lumenscroll
