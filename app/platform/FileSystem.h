#pragma once

#include "app/platform/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <span>

namespace lumenscroll {

// File and folder operations as the views need them. Failures are returned, never thrown:
// the false or empty result comes with a readable reason in `error` when one is asked for.
//
// The operations are the process's own; a value holds nothing and stands for them where a view
// carries its file manager.
class FileSystem {
public:
    FileSystem() = default;

    static bool exists(const QString& path);
    static bool isDirectory(const QString& path);
    // A regular file, or a link to one.
    static bool isFile(const QString& path);
    // The path of `name` in `directory`.
    static QString filePath(const QString& directory, const QString& name);
    // The stamp of the regular file at `path` (a link is followed); none for anything else or
    // nothing. One system call: cheap enough to ask before every write it can spare.
    static std::optional<FileStamp> stamp(const QString& path);

    // Creates the folder and any missing folders above it; true when it exists afterwards.
    static bool makeDirectories(const QString& path, QString* error = nullptr);

    // Replaces the whole file at once: the bytes go to a temporary file beside it, which then
    // takes the file's place, so a failed or interrupted write leaves the old file whole.
    static bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // One file of a batch that writeAllAtomically replaces.
    struct Replacement {
        QString path;
        QByteArray bytes;
    };

    // Replaces the files in order, each atomically as writeAtomically does, brought to the disk
    // together: the disk is waited for once rather than once a file. The bytes go to each file's
    // temporaryPath, written in order up to the first that cannot be; those are flushed to the
    // disk at once (`whileFlushing`, which must not throw, runs on this thread meanwhile), then each takes its file's
    // place in order and the folder is flushed. A crash at any moment leaves every file whole,
    // either as it was or as written. Returns how many files, from the first, are in place and
    // on the disk; `error` says why the next one is not, and the files after it are left as they
    // were. The file a replacement puts out of place stays, under the temporary name, for the
    // next replacement to write over (the file system then neither makes nor frees a file), and
    // may hold anything: whoever lists the folder leaves such names alone.
    static std::size_t writeAllAtomically(std::span<const Replacement> files, QString* error = nullptr,
                                          const std::function<void()>& whileFlushing = {});
    // The temporary file writeAllAtomically replaces `path` through, beside it and hidden: "."
    // and the file's name and temporarySuffix.
    static QString temporaryPath(const QString& path);
    static inline const QString temporarySuffix = QStringLiteral(".saving");

    // What writeNew did.
    enum class NewFile { written, alreadyThere, failed };
    // Writes `bytes` into a new file at `path`, flushed; whatever is at `path` already is left
    // alone (alreadyThere, no error), so a name is never taken twice. Not atomic: a failed write
    // may leave part of the bytes behind.
    static NewFile writeNew(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    static std::optional<QByteArray> read(const QString& path, QString* error = nullptr);
    // The file's text; none when it cannot be read or is not valid UTF-8.
    static std::optional<QString> readUtf8(const QString& path, QString* error = nullptr);

    // Removes a file; a file that is not there counts as a failure, as it does for the platform.
    static bool removeFile(const QString& path, QString* error = nullptr);

    // Names of the visible entries of a folder (files and folders, no hidden ones), sorted;
    // none when the folder cannot be listed.
    static std::optional<QStringList> list(const QString& directory, QString* error = nullptr);
    // Names of the entries of a folder that are not folders, hidden ones included (the temporary
    // files of writeAllAtomically among them), in no set order; none when the folder cannot be
    // listed.
    static std::optional<QStringList> listFiles(const QString& directory, QString* error = nullptr);
};

} // namespace lumenscroll
