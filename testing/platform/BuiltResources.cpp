#include "testing/platform/BuiltResources.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lumenscroll::testing {

QString builtResourceDirectory(const QStringList& fileNames) {
    const QString directory = QStringLiteral(LUMENSCROLL_RESOURCE_DIR);
    const QDir built(directory);
    const bool holdsAll =
        !directory.isEmpty() && std::all_of(fileNames.begin(), fileNames.end(), [&](const QString& name) {
            return QFileInfo::exists(built.filePath(name));
        });
    return holdsAll ? directory : QString();
}

} // namespace lumenscroll::testing
