#include "app/platform/DocumentsFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace lumenscroll {

DocumentsFolder::DocumentsFolder()
    : DocumentsFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {}

DocumentsFolder::DocumentsFolder(QString path)
    : path_(QDir::cleanPath(path)) {}

QString DocumentsFolder::filePath(const QString& relativePath) const {
    return QDir(path_).filePath(relativePath);
}

} // namespace lumenscroll
