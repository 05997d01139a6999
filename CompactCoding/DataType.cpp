#include "CompactCoding/DataType.h"

#include "coding/DecodingError.h"

#include <string>

namespace coding {

DataType dataTypeOfHeader(std::uint64_t header, const CodingPath& path) {
    const std::uint64_t raw = header & 7;
    if (auto type = dataTypeFromRaw(raw))
        return *type;
    throw DecodingError::dataCorrupted(path, "Unknown data type " + std::to_string(raw));
}

} // namespace coding
