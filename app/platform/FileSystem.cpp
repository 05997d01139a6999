#include "app/platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <sys/stat.h>

namespace lumenscroll {

namespace {

void report(QString* error, const QString& message) {
    if (error != nullptr) {
        *error = message;
    }
}

} // namespace

bool FileSystem::exists(const QString& path) {
    return QFileInfo::exists(path);
}

bool FileSystem::isDirectory(const QString& path) {
    return QFileInfo(path).isDir();
}

std::optional<FileStamp> FileSystem::stamp(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    constexpr std::int64_t nanosecondsPerSecond = 1'000'000'000;
    return FileStamp{
        .device = static_cast<std::uint64_t>(status.st_dev),
        .inode = static_cast<std::uint64_t>(status.st_ino),
        .size = static_cast<std::int64_t>(status.st_size),
        .modifiedNs =
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * nanosecondsPerSecond + status.st_mtim.tv_nsec,
        .changedNs =
            static_cast<std::int64_t>(status.st_ctim.tv_sec) * nanosecondsPerSecond + status.st_ctim.tv_nsec,
    };
}

bool FileSystem::makeDirectories(const QString& path, QString* error) {
    if (QDir().mkpath(path)) {
        return true;
    }
    report(error, QStringLiteral("The folder \"%1\" could not be created.").arg(path));
    return false;
}

bool FileSystem::writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        report(error,
               QStringLiteral("The file \"%1\" could not be written: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        report(error,
               QStringLiteral("The file \"%1\" could not be written: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        report(error,
               QStringLiteral("The file \"%1\" could not be written: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

std::optional<QByteArray> FileSystem::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(error,
               QStringLiteral("The file \"%1\" could not be opened: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        report(error, QStringLiteral("The file \"%1\" could not be read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QString> FileSystem::readUtf8(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = read(path, error);
    if (!bytes) {
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(*bytes);
    if (decoder.hasError()) {
        report(error, QStringLiteral("The file \"%1\" is not valid UTF-8 text.").arg(path));
        return std::nullopt;
    }
    return text;
}

bool FileSystem::removeFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists()) {
        report(error, QStringLiteral("The file \"%1\" does not exist.").arg(path));
        return false;
    }
    if (!file.remove()) {
        report(error,
               QStringLiteral("The file \"%1\" could not be removed: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

std::optional<QStringList> FileSystem::list(const QString& directory, QString* error) {
    const QDir folder(directory);
    if (!folder.exists()) {
        report(error, QStringLiteral("The folder \"%1\" does not exist.").arg(directory));
        return std::nullopt;
    }
    if (!QFileInfo(directory).isReadable()) {
        report(error, QStringLiteral("The folder \"%1\" could not be read.").arg(directory));
        return std::nullopt;
    }
    return folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace lumenscroll
