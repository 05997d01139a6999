#pragma once

#include "app/reading/SavedMarkBook.h"
#include "app/reading/SavedPageFiles.h"
#include "app/reading/SavedPageValues.h"

#include <QString>

namespace lumenscroll {

// What the page-state saves of this run have left on disk, so that a save writes only what
// changed since the last one: in the page-state files, the mark book's file and the two stored
// values. The restore at launch fills in the stored values' and the mark book's parts from what
// it decodes, so that the save ending it finds them unchanged. UserSettings keeps it for the run.
//
// Its entries are about one page-state folder and one settings file; named others, it forgets
// them all.
class SavedPageState {
public:
    // The folder and settings file the entries are about.
    void useStorage(const QString& folder, const QString& settingsFile);

    SavedPageFiles& files() { return files_; }
    SavedPageValues& values() { return values_; }
    SavedMarkBook& markBook() { return markBook_; }

private:
    QString folder_;
    QString settingsFile_;
    SavedPageFiles files_;
    SavedPageValues values_;
    SavedMarkBook markBook_;
};

} // namespace lumenscroll
