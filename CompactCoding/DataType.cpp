#include "CompactCoding/DataType.h"

#include "coding/DecodingError.h"

#include <string>

namespace coding {

void unknownDataType(std::uint64_t raw, const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Unknown data type " + std::to_string(raw));
}

} // namespace coding
