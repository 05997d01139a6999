#include "app/platform/ResourceLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumenscroll {

namespace {

QString composed(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

bool isRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace

ResourceLocator::ResourceLocator()
    : ResourceLocator(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("resources"))) {}

ResourceLocator::ResourceLocator(QString directory)
    : directory_(QDir::cleanPath(directory)) {}

std::optional<QString> ResourceLocator::path(const QString& name, const QString& type) const {
    const QString fileName = composed(type.isEmpty() ? name : name + QLatin1Char('.') + type);
    if (name.isEmpty() || fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')) ||
        fileName == QLatin1String(".") || fileName == QLatin1String("..")) {
        return std::nullopt;
    }
    const QDir folder(directory_);

    // The usual case first: the file is stored under the composed name.
    const QString direct = folder.filePath(fileName);
    if (isRegularFile(direct)) {
        return direct;
    }
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (composed(entry) == fileName) {
            return folder.filePath(entry);
        }
    }
    return std::nullopt;
}

} // namespace lumenscroll
