#include "CompactCoding/DataType.h"

#include "coding/DecodingError.h"

#include <string>

namespace coding {

DataType dataTypeOfRaw(std::uint64_t raw, const CodingPath& path) {
    if (auto type = dataTypeFromRaw(raw))
        return *type;
    throw DecodingError::dataCorrupted(path, "Unknown data type " + std::to_string(raw));
}

} // namespace coding
