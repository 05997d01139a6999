#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/FileStamp.h"
#include "app/reading/PageEntries.h"

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

private:
    struct File {
        std::shared_ptr<const BibleStructure> record;
        FileStamp stamp;
    };

    PageEntries<File> files_;
};

} // namespace lumenscroll
