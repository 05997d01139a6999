#include "CompactCoding/BinaryFileDecoder.h"

namespace coding::detail {

std::shared_ptr<FileHandle> openFileForDecoding(const std::filesystem::path& path) {
    return std::make_shared<FileHandle>(FileHandle::openForReading(path));
}

} // namespace coding::detail
