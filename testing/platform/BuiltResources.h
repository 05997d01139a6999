#pragma once

#include <QString>
#include <QStringList>

namespace lumenscroll::testing {

// The folder of resources the build fills, when it holds every one of `fileNames`; empty
// otherwise (a build without those texts, whose tests and benchmarks then skip).
QString builtResourceDirectory(const QStringList& fileNames);

} // namespace lumenscroll::testing
