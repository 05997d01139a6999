#include "app/reading/TextResource.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/platform/FileStamp.h"
#include "app/platform/FileSystem.h"
#include "app/platform/ResourceLocator.h"
#include "app/platform/Trace.h"
#include "coding/Utf8.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <mutex>

namespace lumenscroll {

std::string TextResource::name(BibleKind kind, std::int64_t bookIndex) {
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !hasText(kind)) {
        return {};
    }
    const std::int64_t number = bookIndex + 1;
    std::string result{static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
    result += bookName(kind == BibleKind::en01 ? englishLanguageCode : koreanLanguageCode, *book);
    return result;
}

namespace {

// The last book read: the restore and the page turns read one book for page after page, and
// each read checks the whole book's UTF-8. Kept by path and the file's stamp, so that a file
// written, replaced or removed since is read anew.
struct LastRead {
    QString path;
    FileStamp stamp;
    std::string text;
};

std::mutex lastReadMutex;
std::optional<LastRead> lastRead;

} // namespace

std::optional<std::string> TextResource::read(const ResourceLocator& resources, const std::string& name) {
    const std::optional<QString> path =
        resources.path(QString::fromStdString(name), QString::fromLatin1(type));
    if (!path) {
        trace("file is not exist");
        return std::nullopt;
    }
    const std::optional<FileStamp> before = FileSystem::stamp(*path);
    if (before) {
        const std::lock_guard lock(lastReadMutex);
        if (lastRead && lastRead->path == *path && lastRead->stamp == *before) {
            return lastRead->text;
        }
    }
    const std::optional<QByteArray> bytes = FileSystem::read(*path);
    // Qt's own check decodes every letter outside ASCII; a Korean book is nearly all such letters.
    if (!bytes ||
        !coding::isValidUtf8(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())))) {
        return std::nullopt;
    }
    std::string text = bytes->toStdString();
    // Kept only when nothing touched the file while it was read, and when it was last written a
    // while ago: a file's times move in steps of the system's clock tick, so a write in place
    // within the tick of the one before it could leave the stamp as it was.
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const std::int64_t settled = now - std::chrono::nanoseconds(std::chrono::seconds(1)).count();
    if (before && before->modifiedNs < settled && FileSystem::stamp(*path) == before) {
        const std::lock_guard lock(lastReadMutex);
        lastRead = LastRead{*path, *before, text};
    }
    return text;
}

} // namespace lumenscroll
