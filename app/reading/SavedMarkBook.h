#pragma once

#include "app/model/MarkBook.h"
#include "app/platform/FileStamp.h"

#include <optional>

namespace lumenscroll {

// What this run last left in the mark book's file, so that a save writes it only when the book
// changed since: the book the file holds and the file's stamp, once written or read whole.
class SavedMarkBook {
public:
    // The file holds `book` as this run left it, and `stamp` (the file's now) shows nothing has
    // touched it since.
    bool fileHolds(const MarkBook& book, const std::optional<FileStamp>& stamp) const {
        return file_ && stamp == file_->stamp && file_->book == book;
    }
    void remember(MarkBook book, const FileStamp& stamp) { file_ = File{std::move(book), stamp}; }
    void forget() { file_.reset(); }

private:
    struct File {
        MarkBook book;
        FileStamp stamp;
    };

    std::optional<File> file_;
};

} // namespace lumenscroll
