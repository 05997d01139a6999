#include "app/platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <latch>
#include <span>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumenscroll {

namespace {

void report(QString* error, const QString& message) {
    if (error != nullptr) {
        *error = message;
    }
}

QString notWritten(const QString& path, int errorNumber) {
    return QStringLiteral("The file \"%1\" could not be written: %2")
        .arg(path, QString::fromLocal8Bit(std::strerror(errorNumber)));
}

// Threads that wait for the disk: the flushes of a batch's files, waited for together, and the
// release of the files a batch replaced.
QThreadPool& diskThreads() {
    static QThreadPool* const threads = [] {
        auto* pool = new QThreadPool;
        pool->setMaxThreadCount(16);
        return pool;
    }();
    return *threads;
}

// fdatasync of every descriptor, each on a thread of its own, while the caller runs `meanwhile`:
// the file system takes flushes that arrive together in one commit. `errors` gets the error
// number of each, 0 for success.
void flushTogether(const std::vector<int>& descriptors, const std::function<void()>& meanwhile,
                   std::vector<int>& errors) {
    errors.assign(descriptors.size(), 0);
    std::latch flushed(static_cast<std::ptrdiff_t>(descriptors.size()));
    // The threads write into `errors` until the last is done, whatever `meanwhile` does.
    const struct WaitForAll {
        std::latch& flushed;
        ~WaitForAll() { flushed.wait(); }
    } waitForAll{flushed};
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        diskThreads().start([&, i] {
            if (::fdatasync(descriptors[i]) != 0) {
                errors[i] = errno;
            }
            flushed.count_down();
        });
    }
    if (meanwhile) {
        meanwhile();
    }
}

// A replaced file is freed when its last name and descriptor go, which costs the file system a
// while: a descriptor held across the rename lets that happen here, off the caller's thread.
void releaseLater(std::vector<int> descriptors) {
    if (descriptors.empty()) {
        return;
    }
    diskThreads().start([descriptors = std::move(descriptors)] {
        for (const int descriptor : descriptors) {
            ::close(descriptor);
        }
    });
}

// The temporary file of a replacement, open for writing: the one a replacement before left, written
// over, so that the file system need not make a file and free one each time; a new one when there
// is none, or when the old one has other names, which must keep its bytes. -1 and errno when it
// cannot be opened.
int openTemporary(const QByteArray& path) {
    const int descriptor = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0 && errno != ELOOP) {
        return -1;
    }
    struct stat status {};
    if (descriptor >= 0 &&
        (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1)) {
        return descriptor;
    }
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    if (::unlink(path.constData()) != 0) {
        return -1;
    }
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
}

// Writes `bytes` over the whole file, which ends with them.
bool writeWhole(int descriptor, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    off_t offset = 0;
    while (left > 0) {
        const ssize_t written = ::pwrite(descriptor, at, static_cast<std::size_t>(left), offset);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        at += written;
        left -= written;
        offset += written;
    }
    return ::ftruncate(descriptor, offset) == 0;
}

// The steps of writeAllAtomically over the files of one batch. Each step goes as far as the first
// file it cannot take, keeps the failure, and drops that file's temporary and those after it: a
// batch is always in place from its first file up to some file, never with a gap.
class ReplacementBatch {
public:
    ReplacementBatch() = default;
    ReplacementBatch(const ReplacementBatch&) = delete;
    ReplacementBatch& operator=(const ReplacementBatch&) = delete;
    ~ReplacementBatch() { dropFrom(placed_); }

    // Every file's bytes to its temporary file, up to the first that cannot be written.
    void writeTemporaries(std::span<const FileSystem::Replacement> files) {
        written_.reserve(files.size());
        for (const FileSystem::Replacement& file : files) {
            if (!writeTemporary(file)) {
                return;
            }
        }
    }

    // On the disk together; those after the first that is not are dropped.
    void flush(const std::function<void()>& whileFlushing) {
        std::vector<int> descriptors;
        for (const Written& file : written_) {
            descriptors.push_back(file.descriptor);
        }
        std::vector<int> flushErrors;
        flushTogether(descriptors, whileFlushing, flushErrors);
        for (std::size_t i = 0; i < written_.size(); ++i) {
            if (flushErrors[i] != 0) {
                failure_ = notWritten(QFile::decodeName(written_[i].path), flushErrors[i]);
                dropFrom(i);
                return;
            }
            ::close(written_[i].descriptor);
            written_[i].descriptor = -1;
        }
    }

    // Each flushed file takes its place, in order, up to the first that cannot.
    void place() {
        std::vector<int> replaced;
        for (; placed_ < written_.size(); ++placed_) {
            const Written& file = written_[placed_];
            // The new file and the old swap names: the old one is kept as the next temporary file.
            if (file.exists && ::renameat2(AT_FDCWD, file.temporary.constData(), AT_FDCWD, file.path.constData(),
                                           RENAME_EXCHANGE) == 0) {
                continue;
            }
            const int old = file.exists ? ::open(file.path.constData(), O_PATH | O_CLOEXEC) : -1;
            if (::rename(file.temporary.constData(), file.path.constData()) != 0) {
                failure_ = notWritten(QFile::decodeName(file.path), errno);
                if (old >= 0) {
                    ::close(old);
                }
                dropFrom(placed_);
                break;
            }
            if (old >= 0) {
                replaced.push_back(old);
            }
        }
        releaseLater(std::move(replaced));
    }

    // The new names on the disk too: the folder of every file placed, each once. A folder that
    // cannot be flushed leaves none of the batch counted as on the disk.
    void flushFolders() {
        QStringList folders;
        for (std::size_t i = 0; i < placed_; ++i) {
            const QString folder = QFileInfo(QFile::decodeName(written_[i].path)).absolutePath();
            if (folders.contains(folder)) {
                continue;
            }
            folders.append(folder);
            const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            const bool flushed = descriptor >= 0 && ::fsync(descriptor) == 0;
            const int flushError = errno;
            if (descriptor >= 0) {
                ::close(descriptor);
            }
            if (!flushed) {
                failure_ = QStringLiteral("The folder \"%1\" could not be written: %2")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(flushError)));
                placed_ = 0;
                written_.clear();
                return;
            }
        }
    }

    // How many files, from the first, are in place and on the disk.
    std::size_t placed() const { return placed_; }
    // Why the file after those stopped the batch.
    const QString& failure() const { return failure_; }

private:
    struct Written {
        QByteArray path;
        QByteArray temporary;
        int descriptor;
        bool exists;
    };

    bool writeTemporary(const FileSystem::Replacement& file) {
        Written next{QFile::encodeName(file.path), QFile::encodeName(FileSystem::temporaryPath(file.path)), -1,
                     false};
        struct stat existing {};
        next.exists = ::stat(next.path.constData(), &existing) == 0;
        if (next.exists && !S_ISREG(existing.st_mode)) {
            failure_ = notWritten(file.path, S_ISDIR(existing.st_mode) ? EISDIR : EEXIST);
            return false;
        }
        next.descriptor = openTemporary(next.temporary);
        if (next.descriptor < 0) {
            failure_ = notWritten(file.path, errno);
            return false;
        }
        written_.push_back(next);
        // The file keeps who may read it.
        if (next.exists) {
            (void)::fchmod(next.descriptor, existing.st_mode & 07777);
        }
        if (!writeWhole(next.descriptor, file.bytes)) {
            failure_ = notWritten(file.path, errno);
            dropFrom(written_.size() - 1);
            return false;
        }
        return true;
    }

    // Closes and removes the temporaries of file `first` and those after it.
    void dropFrom(std::size_t first) {
        for (std::size_t i = first; i < written_.size(); ++i) {
            if (written_[i].descriptor >= 0) {
                ::close(written_[i].descriptor);
            }
            ::unlink(written_[i].temporary.constData());
        }
        written_.resize(std::min(first, written_.size()));
    }

    std::vector<Written> written_;
    std::size_t placed_ = 0;
    QString failure_;
};

} // namespace

bool FileSystem::exists(const QString& path) {
    return QFileInfo::exists(path);
}

bool FileSystem::isDirectory(const QString& path) {
    return QFileInfo(path).isDir();
}

bool FileSystem::isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

QString FileSystem::filePath(const QString& directory, const QString& name) {
    return QDir(directory).filePath(name);
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

QString FileSystem::temporaryPath(const QString& path) {
    const QFileInfo file(path);
    return file.dir().filePath(QLatin1Char('.') + file.fileName() + temporarySuffix);
}

std::size_t FileSystem::writeAllAtomically(std::span<const Replacement> files, QString* error,
                                           const std::function<void()>& whileFlushing) {
    ReplacementBatch batch;
    batch.writeTemporaries(files);
    batch.flush(whileFlushing);
    batch.place();
    batch.flushFolders();
    const std::size_t placed = batch.placed();
    if (placed < files.size()) {
        report(error, batch.failure());
    }
    return placed;
}

FileSystem::NewFile FileSystem::writeNew(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (file.exists()) {
            return NewFile::alreadyThere;
        }
        report(error,
               QStringLiteral("The file \"%1\" could not be written: %2").arg(path, file.errorString()));
        return NewFile::failed;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        report(error,
               QStringLiteral("The file \"%1\" could not be written: %2").arg(path, file.errorString()));
        return NewFile::failed;
    }
    return NewFile::written;
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

namespace {

// The entries of `directory` that `filters` pass, sorted by `sort`; none when it cannot be listed.
std::optional<QStringList> listed(const QString& directory, QDir::Filters filters, QDir::SortFlags sort,
                                  QString* error) {
    const QDir folder(directory);
    if (!folder.exists()) {
        report(error, QStringLiteral("The folder \"%1\" does not exist.").arg(directory));
        return std::nullopt;
    }
    if (!QFileInfo(directory).isReadable()) {
        report(error, QStringLiteral("The folder \"%1\" could not be read.").arg(directory));
        return std::nullopt;
    }
    return folder.entryList(filters, sort);
}

} // namespace

std::optional<QStringList> FileSystem::list(const QString& directory, QString* error) {
    return listed(directory, QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name, error);
}

std::optional<QStringList> FileSystem::listFiles(const QString& directory, QString* error) {
    return listed(directory, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort, error);
}

} // namespace lumenscroll
