#include "app/reading/TextResource.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/platform/AppContext.h"
#include "app/platform/FileStamp.h"
#include "app/platform/FileSystem.h"
#include "app/platform/ResourceLocator.h"
#include "app/platform/TextFileCache.h"
#include "app/platform/Trace.h"
#include "coding/Utf8.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

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

std::optional<std::string> TextResource::read(const AppContext& context, const std::string& name) {
    const std::optional<std::string_view> text = view(context, name);
    return text ? std::optional<std::string>(*text) : std::nullopt;
}

std::optional<std::string_view> TextResource::view(const AppContext& context, const std::string& name) {
    const std::optional<QString> path =
        context.resources().path(QString::fromStdString(name), QString::fromLatin1(type));
    if (!path) {
        trace("file is not exist");
        return std::nullopt;
    }
    TextFileCache& cache = context.textFiles();
    const std::optional<FileStamp> before = FileSystem::stamp(*path);
    if (before) {
        if (const std::string* kept = cache.find(*path, *before)) {
            return *kept;
        }
    }
    const std::optional<QByteArray> bytes = FileSystem::read(*path);
    // Qt's own check decodes every letter outside ASCII; a Korean book is nearly all such letters.
    if (!bytes ||
        !coding::isValidUtf8(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())))) {
        return std::nullopt;
    }
    // Given again only when nothing touched the file while it was read.
    const bool untouched = before && FileSystem::stamp(*path) == before;
    return cache.keep(*path, untouched ? before : std::nullopt, bytes->toStdString());
}

} // namespace lumenscroll
