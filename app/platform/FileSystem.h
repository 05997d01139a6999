#pragma once

#include "app/platform/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumenscroll {

// File and folder operations as the views need them. Failures are returned, never thrown:
// the false or empty result comes with a readable reason in `error` when one is asked for.
class FileSystem {
public:
    FileSystem() = delete;

    static bool exists(const QString& path);
    static bool isDirectory(const QString& path);
    // The stamp of the regular file at `path` (a link is followed); none for anything else or
    // nothing. One system call: cheap enough to ask before every write it can spare.
    static std::optional<FileStamp> stamp(const QString& path);

    // Creates the folder and any missing folders above it; true when it exists afterwards.
    static bool makeDirectories(const QString& path, QString* error = nullptr);

    // Replaces the whole file at once: the bytes go to a temporary file beside it, which then
    // takes the file's place, so a failed or interrupted write leaves the old file whole.
    static bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    static std::optional<QByteArray> read(const QString& path, QString* error = nullptr);
    // The file's text; none when it cannot be read or is not valid UTF-8.
    static std::optional<QString> readUtf8(const QString& path, QString* error = nullptr);

    // Removes a file; a file that is not there counts as a failure, as it does for the platform.
    static bool removeFile(const QString& path, QString* error = nullptr);

    // Names of the visible entries of a folder (files and folders, no hidden ones), sorted;
    // none when the folder cannot be listed.
    static std::optional<QStringList> list(const QString& directory, QString* error = nullptr);
};

} // namespace lumenscroll
