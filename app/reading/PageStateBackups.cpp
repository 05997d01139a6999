#include "app/reading/PageStateBackups.h"

#include "app/platform/AppContext.h"
#include "app/platform/FileSystem.h"
#include "app/platform/Trace.h"
#include "app/reading/PageStateFiles.h"

#include <QStringList>

#include <optional>

namespace lumenscroll {

namespace {

// The backup of `key` in `folder` that holds `bytes`; none when there is none.
std::optional<QString> backupHolding(const QString& folder, const QString& key, const QByteArray& bytes) {
    const QString prefix = key + QLatin1Char('.');
    for (const QString& name : FileSystem::list(folder).value_or(QStringList())) {
        const QString path = FileSystem::filePath(folder, name);
        if (name.startsWith(prefix, Qt::CaseInsensitive) && FileSystem::isFile(path) &&
            FileSystem::read(path) == bytes) {
            return path;
        }
    }
    return std::nullopt;
}

} // namespace

void PageStateBackups::backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                              const char* reason, const QString& extension) {
    const QString folder = PageStateFiles::baseFolder(context);
    QString error;
    if (!FileSystem::isDirectory(folder) && !FileSystem::makeDirectories(folder, &error)) {
        traceError(error);
        return;
    }
    if (const std::optional<QString> kept = backupHolding(folder, key, bytes)) {
        trace(QStringLiteral("the stored ") + key + QStringLiteral(" is kept in ") + *kept +
              QStringLiteral(" already"));
        return;
    }
    const QString stem = key + QLatin1Char('.') + QLatin1String(reason) + QLatin1Char('-') +
                         context.clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A later backup of the same second takes the next free number.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString path = FileSystem::filePath(
            folder, stem + (attempt == 1 ? QString() : QLatin1Char('-') + QString::number(attempt)) +
                        extension);
        switch (FileSystem::writeNew(path, bytes, &error)) {
        case FileSystem::NewFile::alreadyThere:
            continue;
        case FileSystem::NewFile::failed:
            traceError(error);
            return;
        case FileSystem::NewFile::written:
            trace(QStringLiteral("the stored ") + key + QStringLiteral(" was kept in ") + path);
            return;
        }
    }
    trace(QStringLiteral("error no free name for a backup of ") + key);
}

} // namespace lumenscroll
