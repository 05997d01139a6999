#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/FileSystem.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumenscroll {

class AppContext;
class SavedPageFiles;

// The page-state files: one for each open page, the compact coding of its chapter record, in
// Documents/Lumenscroll_QT/Lumenscroll_Settings, named "LSC_Settings_" and the page's index.
// Failures are traced, never thrown.
class PageStateFiles {
public:
    PageStateFiles() = delete;

    static inline const QString baseFolderName = QStringLiteral("Lumenscroll_QT");
    static inline const QString settingsFolderName = QStringLiteral("Lumenscroll_Settings");
    static inline const QString fileNamePrefix = QStringLiteral("LSC_Settings_");

    // The program's folder in Documents, which holds the page-state folder.
    static QString baseFolder(const AppContext& context);
    // The folder of the page-state files.
    static QString folder(const AppContext& context);
    // "LSC_Settings_" and the index in decimal.
    static QString fileName(std::int64_t pageIndex);
    // The page index a page-state file name stands for: exactly "LSC_Settings_" and a decimal
    // index without leading zeros. None for any other name.
    static std::optional<std::int64_t> pageIndexOfFileName(const QString& name);
    // The file of page `pageIndex` in `folder`.
    static QString path(const QString& folder, std::int64_t pageIndex);

    // --- Saving ---

    // The files a save replaces, for the save to write at once with whatever else it writes
    // (FileSystem::writeAllAtomically), and the page of each.
    struct Changes {
        std::vector<FileSystem::Replacement> replacements;
        std::vector<std::size_t> pages;
        // False when a page's file could not be made: the pages after it are left out.
        bool complete = true;
    };

    // The file of every page whose file does not hold it yet. A save usually follows a change to
    // one page: a file this run wrote or checked, untouched since and holding the page, is left
    // alone, and a file of another run (at launch) or one something else touched is read and left
    // alone when it holds the page. The bytes are decoded before they go in place of a file, so
    // that a file the next start could not read back is never written.
    static Changes changes(const std::vector<BibleStructure>& pages, const QString& folder,
                           SavedPageFiles& saved);
    // Notes the first `placed` replacements of `changes` as in place; true when every page's file
    // holds its page.
    static bool notePlaced(const Changes& changes, std::size_t placed,
                           const std::vector<BibleStructure>& pages, SavedPageFiles& saved);
    // Removes the files of pages at or past `pageCount`, so that no old file is taken for a page at
    // the next start, and their temporary files (FileSystem::temporaryPath).
    // The folder is looked through only when `saved` does not show it is clean already.
    static void removeFilesPast(std::int64_t pageCount, const QString& folder, SavedPageFiles& saved);

    // --- Loading ---

    // The page indexes of the page-state files in `folder`, sorted; none when it cannot be listed.
    static std::optional<std::vector<std::int64_t>> savedIndexes(const QString& folder, QString* error);
    // Whether the file at `path` reads and decodes as a page; the error is traced.
    static bool decodes(const QString& path);
    // The records of the page-state files in `folder` that read and decode, in page order; nothing
    // is traced.
    static std::vector<BibleStructure> savedPages(const QString& folder);

    // Removes one page-state file if it is there. A name that is not a page-state file name is
    // refused, so nothing outside the folder, and nothing else in it, can be removed.
    static void remove(const AppContext& context, const QString& name);
};

} // namespace lumenscroll
