#include "app/reading/SavedPageFiles.h"

namespace lumenscroll {

bool SavedPageFiles::fileHolds(std::size_t index, const BibleStructure& record,
                               const std::optional<FileStamp>& stamp) const {
    const File* file = files_.find(index);
    return file && stamp == file->stamp && *file->record == record;
}

bool SavedPageFiles::fileUnchanged(std::size_t index, const std::optional<FileStamp>& stamp) const {
    const File* file = files_.find(index);
    return file && stamp == file->stamp;
}

void SavedPageFiles::rememberFile(std::size_t index, std::shared_ptr<const BibleStructure> record,
                                  const FileStamp& stamp) {
    files_.put(index, File{std::move(record), stamp});
}

void SavedPageFiles::forgetFile(std::size_t index) {
    files_.forget(index);
}

void SavedPageFiles::keepFiles(std::size_t count) {
    files_.keep(count);
}

} // namespace lumenscroll
