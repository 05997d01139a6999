#pragma once

#include "app/model/MarkBook.h"
#include "app/platform/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace lumenscroll {

class AppContext;
class SavedMarkBook;

// The mark book's file, "LSC_MarkBook" in the page-state folder beside the page-state files: each
// marked chapter in the compact coding, one after the other as a stream (BinaryStreamEncoder), in
// the book's order. A stream rather than one record, so that a file damaged part way gives back
// the chapters before the damage. No file is an empty book. Failures are traced, never thrown.
class MarkBookFile {
public:
    MarkBookFile() = delete;

    static inline const QString fileName = QStringLiteral("LSC_MarkBook");

    // The file in page-state folder `folder`.
    static QString path(const QString& folder);

    // What a file's bytes hold: the chapters before the first that does not decode, less those
    // that name no chapter of the tables, and whether that was all there is (`whole`).
    struct Read {
        MarkBook book;
        bool whole = true;
    };
    static Read decode(std::span<const std::uint8_t> bytes);
    // The bytes of a file that holds `book`. Throws coding errors.
    static QByteArray encode(const MarkBook& book);

    // --- Saving ---

    // The file's replacement, for a save to write first in its batch (FileSystem::writeAllAtomically),
    // when the file does not hold `book` yet: a file this run wrote or read whole, untouched since
    // and holding it, is left alone. The bytes are read back before they go in place of the file,
    // so that a file the next start could not read is never written. None when the file is left
    // alone; `failed` when the bytes could not be made.
    struct Change {
        std::optional<FileSystem::Replacement> replacement;
        bool failed = false;
    };
    static Change change(const MarkBook& book, const QString& folder, SavedMarkBook& saved);
    // Notes the replacement of `change` as in place.
    static void notePlaced(const MarkBook& book, const Change& change, SavedMarkBook& saved);

    // --- Loading ---

    // The book the file of the context's page-state folder holds; none when there is no file. A
    // file that cannot be read, or does not decode whole, is traced and kept in a backup
    // (PageStateBackups), and what could be read of it is given, `whole` false. A file read whole
    // is noted in `saved`, so that a save finds it unchanged.
    static std::optional<Read> load(const AppContext& context, SavedMarkBook& saved);
};

} // namespace lumenscroll
