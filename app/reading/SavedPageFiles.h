#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/FileStamp.h"
#include "app/reading/PageEntries.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>

namespace lumenscroll {

// What the saves of this run have left in the page-state files, so that a save writes only the
// files of pages that changed since: for each page, the record its file holds and the file's
// stamp, once written or checked.
class SavedPageFiles {
public:
    // File `index` holds `record` as a save of this run left it, and `stamp` (the file's now)
    // shows nothing has touched it since.
    bool fileHolds(std::size_t index, const BibleStructure& record,
                   const std::optional<FileStamp>& stamp) const;
    // File `index` is as a save of this run left it, whatever the record now is.
    bool fileUnchanged(std::size_t index, const std::optional<FileStamp>& stamp) const;
    // Files that hold equal records may share one.
    void rememberFile(std::size_t index, std::shared_ptr<const BibleStructure> record, const FileStamp& stamp);
    void forgetFile(std::size_t index);
    // Forgets the files of the pages at or past `count`.
    void keepFiles(std::size_t count);

    // A save of `count` pages may leave files (and temporary files) of pages below `count`.
    void noteSaveOf(std::size_t count) { widest_ = std::max(widest_, count); }
    // Whether the folder may hold files of pages at or past `count`: it was not looked through
    // yet, or a save of more pages has run since.
    bool mayHoldFilesPast(std::size_t count) const { return !lookedThrough_ || count < widest_; }
    void noteNoFilesPast(std::size_t count) {
        lookedThrough_ = true;
        widest_ = count;
    }

private:
    struct File {
        std::shared_ptr<const BibleStructure> record;
        FileStamp stamp;
    };

    PageEntries<File> files_;
    bool lookedThrough_ = false;
    std::size_t widest_ = 0;
};

} // namespace lumenscroll
