#pragma once

#include <QByteArray>
#include <QString>

namespace lumenscroll {

class AppContext;

// The backups of stored values that do not decode, kept in the program's folder beside the
// page-state folder, before a save replaces them.
class PageStateBackups {
public:
    PageStateBackups() = delete;

    // Copies `bytes`, the stored value under `key`, to a new file in the program's folder, named
    // by the key, `reason` and the context's clock ("SelectedBibleArray.corrupt-20240301-091500.json",
    // a later one of the same second numbered "-2" and on), unless a backup of `key` holds exactly
    // these bytes already: a bad value that nothing has saved over yet is met at every launch, and
    // one copy of it is enough. A backup is never replaced. Failures are traced.
    static void backUp(const AppContext& context, const QString& key, const QByteArray& bytes,
                       const char* reason);
};

} // namespace lumenscroll
