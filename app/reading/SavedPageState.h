#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace lumenscroll {

// What the page-state saves of this run have left on disk, so that a save writes only what
// changed since the last one: for each page, the record its file holds and the file's stamp
// once written or checked; for each page, the record (verse texts empty) that its entry of the
// stored page list was made from, and that entry's JSON; the loaded texts that the stored value
// was made from, and its JSON. The restore at launch fills in the last two from the stored
// values it decodes, so that the save ending it finds them unchanged.
//
// Its entries are about one page-state folder and one settings file; named others, it forgets
// them all.
class SavedPageState {
public:
    // The folder and settings file the entries are about.
    void useStorage(const QString& folder, const QString& settingsFile);

    // --- Page files ---

    // File `index` holds `record` as a save of this run left it, and `stamp` (the file's now)
    // shows nothing has touched it since.
    bool fileHolds(std::size_t index, const BibleStructure& record,
                   const std::optional<FileStamp>& stamp) const;
    // File `index` is as a save of this run left it, whatever the record now is.
    bool fileUnchanged(std::size_t index, const std::optional<FileStamp>& stamp) const;
    void rememberFile(std::size_t index, const BibleStructure& record, const FileStamp& stamp);
    void forgetFile(std::size_t index);
    // Forgets the files of the pages at or past `count`.
    void keepFiles(std::size_t count);

    // --- The stored page list ---

    struct ListEntry {
        BibleStructure blanked;
        QByteArray json;
    };

    // The JSON of page `index`'s entry when it was made from `blanked`; null otherwise.
    const QByteArray* listEntry(std::size_t index, const BibleStructure& blanked) const;
    // Page `index`'s entry as it was last made, whatever the page is now; null when none was.
    const ListEntry* lastListEntry(std::size_t index) const;
    void rememberListEntry(std::size_t index, const BibleStructure& blanked, QByteArray json);
    // Forgets the entries of the pages at or past `count`.
    void keepListEntries(std::size_t count);

    // --- The stored texts ---

    // Their JSON when it was made from `books`; null otherwise.
    const QByteArray* textsJson(const std::vector<std::vector<BibleStructure>>& books) const;
    void rememberTexts(const std::vector<std::vector<BibleStructure>>& books, QByteArray json);

private:
    struct File {
        BibleStructure record;
        FileStamp stamp;
    };
    struct Texts {
        std::vector<std::vector<BibleStructure>> books;
        QByteArray json;
    };

    QString folder_;
    QString settingsFile_;
    std::vector<std::optional<File>> files_;
    std::vector<std::optional<ListEntry>> listEntries_;
    std::optional<Texts> texts_;
};

} // namespace lumenscroll
