#include "app/reading/MarkBookFile.h"

#include "CompactCoding/BinaryStreamDecoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"
#include "app/platform/Trace.h"
#include "app/reading/PageStateBackups.h"
#include "app/reading/PageStateFiles.h"
#include "app/reading/SavedMarkBook.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

void traceDamage(const QString& path, const MarkBookFile::Read& read) {
    trace(QStringLiteral("error the mark book ") + path +
          QStringLiteral(" does not read whole; its first ") + QString::number(read.book.chapters().size()) +
          QStringLiteral(" marked chapters are used"));
}

} // namespace

QString MarkBookFile::path(const QString& folder) {
    return FileSystem::filePath(folder, fileName);
}

MarkBookFile::Read MarkBookFile::decode(std::span<const std::uint8_t> bytes) {
    coding::BinaryStreamDecoder<MarkedChapter> decoder;
    decoder.add(bytes);
    auto [chapters, error] = decoder.decodeElementsUntilError();
    Read read;
    // A chapter cut short at the end is no error to the stream, but it is to a file.
    read.whole = !error && decoder.bufferedByteCount() == 0;
    for (const MarkedChapter& chapter : chapters) {
        read.whole = read.book.add(chapter) && read.whole;
    }
    return read;
}

QByteArray MarkBookFile::encode(const MarkBook& book) {
    const coding::BinaryStreamEncoder<MarkedChapter> encoder;
    std::vector<std::uint8_t> bytes;
    for (const auto& [chapter, marked] : book.chapters()) {
        encoder.append(marked, bytes);
    }
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

MarkBookFile::Change MarkBookFile::change(const MarkBook& book, const QString& folder, SavedMarkBook& saved) {
    const QString file = path(folder);
    if (saved.fileHolds(book, FileSystem::stamp(file))) {
        return {};
    }
    saved.forget();
    Change change;
    try {
        QByteArray bytes = encode(book);
        const Read read = decode(bytesOf(bytes));
        if (read.whole && read.book == book) {
            change.replacement = FileSystem::Replacement{file, std::move(bytes)};
            return change;
        }
    } catch (const std::exception& error) {
        traceError(error);
    }
    trace("error the mark book would not read back as it is; its file is left as it was");
    change.failed = true;
    return change;
}

void MarkBookFile::notePlaced(const MarkBook& book, const Change& change, SavedMarkBook& saved) {
    if (!change.replacement) {
        return;
    }
    if (const std::optional<FileStamp> written = FileSystem::stamp(change.replacement->path)) {
        saved.remember(book, *written);
    }
}

std::optional<MarkBookFile::Read> MarkBookFile::load(const AppContext& context, SavedMarkBook& saved) {
    const QString file = path(PageStateFiles::folder(context));
    if (!FileSystem::exists(file)) {
        return std::nullopt;
    }
    QString error;
    const std::optional<FileStamp> stamp = FileSystem::stamp(file);
    const std::optional<QByteArray> bytes = FileSystem::read(file, &error);
    if (!bytes) {
        traceError(error);
        return Read{MarkBook(), false};
    }
    Read read = decode(bytesOf(*bytes));
    if (!read.whole) {
        traceDamage(file, read);
        PageStateBackups::backUp(context, fileName, *bytes, "corrupt", QString());
    } else if (stamp) {
        saved.remember(read.book, *stamp);
    }
    return read;
}

} // namespace lumenscroll
