#pragma once

#include "app/model/BibleStructure.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace lumenscroll {
class AppContext;
} // namespace lumenscroll

namespace lumenscroll::testing {

// The path of page-state file `index` in the context's Documents folder.
QString pageStateFilePath(const AppContext& context, std::int64_t index);

// The record a page-state file's bytes hold; none when they do not decode.
std::optional<BibleStructure> decodedPageFile(const QByteArray& bytes);

// The record page-state file `index` holds; none when there is no such file. A file that does
// not decode throws the decoder's error: a test that meets one fails on it.
std::optional<BibleStructure> pageStateFile(const AppContext& context, std::int64_t index);

} // namespace lumenscroll::testing
