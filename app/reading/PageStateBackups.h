#pragma once

#include <QByteArray>
#include <QString>

namespace lumenscroll {

class AppContext;

// The backups of stored values and files, kept in the program's folder beside the page-state
// folder before a save replaces them: those that do not decode, and the stored pages a launch
// with an Option key held leaves unread.
class PageStateBackups {
public:
    PageStateBackups() = delete;

    // Copies `bytes`, the stored value under `key` (or the file of that name), to a new file in
    // the program's folder, named by the key, `reason`, the context's clock and `extension`
    // ("SelectedBibleArray.corrupt-20240301-091500.json", a later one of the same second numbered
    // "-2" and on), unless a backup of `key` holds exactly these bytes already: a bad value that
    // nothing has saved over yet is met at every launch, and one copy of it is enough. A backup is
    // never replaced. Where it went, or failed to go, is traced.
    static void backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                       const char* reason, const QString& extension = QStringLiteral(".json"));
};

} // namespace lumenscroll
