#pragma once

#include "app/platform/FileStamp.h"

#include <QString>

#include <optional>
#include <string>

namespace lumenscroll {

class Clock;

// The last text file read whole, kept for the next read of the same file: the restore and the
// page turns read one book for page after page. Given again by path and the file's stamp, so
// that a file written, replaced or removed since is read anew. One per run, reached through
// AppContext; main thread only.
class TextFileCache {
public:
    explicit TextFileCache(const Clock& clock)
        : clock_(clock) {}
    TextFileCache(const TextFileCache&) = delete;
    TextFileCache& operator=(const TextFileCache&) = delete;

    // The text kept for `path` while the file's stamp is the one it was kept under; null
    // otherwise. Good until the next keep.
    const std::string* find(const QString& path, const FileStamp& stamp) const;

    // Keeps `text`, read from the file at `path`, in place of what was kept, and returns it (good
    // until the next keep). It is found again only under `stamp`, the file's stamp all through
    // the read (none when the file changed meanwhile), and only when the file was last written
    // more than a second before the clock's now: a file's times move in steps of the system's
    // clock tick, so a write in place within the tick of the one before it could leave the stamp
    // as it was.
    const std::string& keep(const QString& path, const std::optional<FileStamp>& stamp, std::string text);

private:
    struct Entry {
        QString path;
        // None when the text is not to be given again.
        std::optional<FileStamp> stamp;
        std::string text;
    };

    const Clock& clock_;
    std::optional<Entry> last_;
};

} // namespace lumenscroll
