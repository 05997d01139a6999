#include "app/reading/PageStateFiles.h"

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/SavedPageFiles.h"
#include "coding/Data.h"

#include <QStringView>

#include <algorithm>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <utility>

namespace lumenscroll {

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

// The record page-state file bytes hold. Throws coding errors.
BibleStructure decodedPage(const QByteArray& bytes) {
    return coding::BinaryDecoder().decode<BibleStructure>(bytesOf(bytes));
}

// Whether the file at `path` decodes into `page`; nothing is traced, the file is about to be
// replaced when it does not.
bool fileHoldsPage(const QString& path, const BibleStructure& page) {
    const std::optional<QByteArray> bytes = FileSystem::read(path);
    if (!bytes) {
        return false;
    }
    try {
        return decodedPage(*bytes) == page;
    } catch (const std::exception&) {
        return false;
    }
}

// Whether `bytes` decode back into page `index`, as the next start will read them; the error is
// traced.
bool readsBackAs(const QByteArray& bytes, const BibleStructure& page, std::size_t index) {
    try {
        if (decodedPage(bytes) == page) {
            return true;
        }
    } catch (const std::exception& error) {
        traceError(error);
    }
    trace("error the page-state file of page " + std::to_string(index) +
          " would not read back as the page; the file is left as it was");
    return false;
}

// The replacement already made for a page equal to `page`; null when there is none.
const FileSystem::Replacement* madeFor(const PageStateFiles::Changes& changes,
                                       const std::vector<BibleStructure>& pages, const BibleStructure& page) {
    for (std::size_t r = changes.pages.size(); r-- > 0;) {
        if (pages[changes.pages[r]] == page) {
            return &changes.replacements[r];
        }
    }
    return nullptr;
}

} // namespace

QString PageStateFiles::baseFolder(const AppContext& context) {
    return context.documents().filePath(baseFolderName);
}

QString PageStateFiles::folder(const AppContext& context) {
    return context.documents().filePath(baseFolderName + QLatin1Char('/') + settingsFolderName);
}

QString PageStateFiles::fileName(std::int64_t pageIndex) {
    return fileNamePrefix + QString::number(pageIndex);
}

std::optional<std::int64_t> PageStateFiles::pageIndexOfFileName(const QString& name) {
    if (!name.startsWith(fileNamePrefix)) {
        return std::nullopt;
    }
    const QStringView digits = QStringView(name).mid(fileNamePrefix.size());
    // Eighteen digits always fit; no page count comes near.
    if (digits.isEmpty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == QLatin1Char('0'))) {
        return std::nullopt;
    }
    std::int64_t index = 0;
    for (const QChar digit : digits) {
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9')) {
            return std::nullopt;
        }
        index = index * 10 + (digit.unicode() - u'0');
    }
    return index;
}

QString PageStateFiles::path(const QString& folder, std::int64_t pageIndex) {
    return FileSystem::filePath(folder, fileName(pageIndex));
}

PageStateFiles::Changes PageStateFiles::changes(const std::vector<BibleStructure>& pages,
                                                const QString& folder, SavedPageFiles& saved) {
    const coding::BinaryEncoder encoder;
    Changes changes;
    saved.noteSaveOf(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const BibleStructure& page = pages[i];
        const QString file = path(folder, static_cast<std::int64_t>(i));
        const std::optional<FileStamp> stamp = FileSystem::stamp(file);
        if (saved.fileHolds(i, page, stamp)) {
            continue;
        }
        if (stamp && !saved.fileUnchanged(i, stamp) && fileHoldsPage(file, page)) {
            saved.rememberFile(i, std::make_shared<const BibleStructure>(page), *stamp);
            continue;
        }
        saved.forgetFile(i);
        // Every page that shows a chapter holds the chapter's marks, so the pages open on one
        // chapter hold equal records: the bytes made for one serve them all, made and checked once.
        if (const FileSystem::Replacement* same = madeFor(changes, pages, page)) {
            changes.replacements.push_back({file, same->bytes});
            changes.pages.push_back(i);
            continue;
        }
        QByteArray bytes;
        try {
            const coding::Data encoded = encoder.encode(page);
            bytes = QByteArray(reinterpret_cast<const char*>(encoded.data()),
                               static_cast<qsizetype>(encoded.size()));
        } catch (const std::exception& error) {
            traceError(error);
            changes.complete = false;
            break;
        }
        if (!readsBackAs(bytes, page, i)) {
            changes.complete = false;
            break;
        }
        changes.replacements.push_back({file, std::move(bytes)});
        changes.pages.push_back(i);
    }
    return changes;
}

bool PageStateFiles::notePlaced(const Changes& changes, std::size_t placed,
                                const std::vector<BibleStructure>& pages, SavedPageFiles& saved) {
    // A page equal to the one before it shares its record: the pages open on one chapter hold
    // equal records.
    std::shared_ptr<const BibleStructure> record;
    for (std::size_t r = 0; r < placed; ++r) {
        const BibleStructure& page = pages[changes.pages[r]];
        if (!record || *record != page) {
            record = std::make_shared<const BibleStructure>(page);
        }
        if (const std::optional<FileStamp> written = FileSystem::stamp(changes.replacements[r].path)) {
            saved.rememberFile(changes.pages[r], record, *written);
        }
    }
    const bool complete = changes.complete && placed == changes.replacements.size();
    if (complete) {
        saved.keepFiles(pages.size());
    }
    return complete;
}

void PageStateFiles::removeFilesPast(std::int64_t pageCount, const QString& folder, SavedPageFiles& saved) {
    // The temporary files that replace the page-state files are kept for the next save to write
    // over; those of pages no longer open go too, whatever state a crash left them in. One
    // listing finds both; once everything past the pages is gone, only a save of more pages
    // than there are now leaves any again.
    const auto count = static_cast<std::size_t>(pageCount);
    if (!saved.mayHoldFilesPast(count)) {
        return;
    }
    QString error;
    const std::optional<QStringList> names = FileSystem::listFiles(folder, &error);
    if (!names) {
        traceError(error);
        return;
    }
    const QString& suffix = FileSystem::temporarySuffix;
    bool removed = true;
    for (const QString& name : *names) {
        const bool temporary = name.startsWith(QLatin1Char('.')) && name.endsWith(suffix);
        const std::optional<std::int64_t> index =
            pageIndexOfFileName(temporary ? name.mid(1, name.size() - 1 - suffix.size()) : name);
        if (index && *index >= pageCount &&
            !FileSystem::removeFile(FileSystem::filePath(folder, name), &error)) {
            trace(error);
            removed = false;
        }
    }
    if (removed) {
        saved.noteNoFilesPast(count);
    }
}

std::optional<std::vector<std::int64_t>> PageStateFiles::savedIndexes(const QString& folder, QString* error) {
    const std::optional<QStringList> entries = FileSystem::list(folder, error);
    if (!entries) {
        return std::nullopt;
    }
    std::vector<std::int64_t> indexes;
    for (const QString& entry : *entries) {
        const std::optional<std::int64_t> index = pageIndexOfFileName(entry);
        if (index && FileSystem::isFile(FileSystem::filePath(folder, entry))) {
            indexes.push_back(*index);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

bool PageStateFiles::decodes(const QString& path) {
    QString error;
    const std::optional<QByteArray> bytes = FileSystem::read(path, &error);
    if (!bytes) {
        traceError(error);
        return false;
    }
    try {
        (void)decodedPage(*bytes);
    } catch (const std::exception& decodingError) {
        traceError(decodingError);
        return false;
    }
    return true;
}

std::vector<BibleStructure> PageStateFiles::savedPages(const QString& folder) {
    QString error;
    std::vector<BibleStructure> pages;
    for (const std::int64_t index : savedIndexes(folder, &error).value_or(std::vector<std::int64_t>())) {
        const std::optional<QByteArray> bytes = FileSystem::read(path(folder, index));
        try {
            if (bytes) {
                pages.push_back(decodedPage(*bytes));
            }
        } catch (const std::exception&) {
        }
    }
    return pages;
}

void PageStateFiles::remove(const AppContext& context, const QString& name) {
    if (!pageIndexOfFileName(name)) {
        trace(QStringLiteral("error \"") + name + QStringLiteral("\" is not a page-state file"));
        return;
    }
    const QString file = FileSystem::filePath(folder(context), name);
    if (!FileSystem::exists(file)) {
        return;
    }
    QString error;
    if (!FileSystem::removeFile(file, &error)) {
        trace(error);
    }
}

} // namespace lumenscroll
