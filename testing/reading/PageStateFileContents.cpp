#include "testing/reading/PageStateFileContents.h"

#include "CompactCoding/BinaryDecoder.h"
#include "app/platform/FileSystem.h"
#include "app/reading/PageStatePersistence.h"

#include <QDir>

#include <cstddef>
#include <exception>
#include <span>

namespace lumenscroll::testing {

namespace {

BibleStructure decoded(const QByteArray& bytes) {
    return coding::BinaryDecoder().decode<BibleStructure>(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
}

} // namespace

QString pageStateFilePath(const AppContext& context, std::int64_t index) {
    return QDir(PageStatePersistence::settingsFolder(context))
        .filePath(PageStatePersistence::fileName(index));
}

std::optional<BibleStructure> decodedPageFile(const QByteArray& bytes) {
    try {
        return decoded(bytes);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<BibleStructure> pageStateFile(const AppContext& context, std::int64_t index) {
    const std::optional<QByteArray> bytes = FileSystem::read(pageStateFilePath(context, index));
    if (!bytes) {
        return std::nullopt;
    }
    return decoded(*bytes);
}

} // namespace lumenscroll::testing
