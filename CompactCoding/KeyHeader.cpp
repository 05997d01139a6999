#include "CompactCoding/KeyHeader.h"

#include "coding/DecodingError.h"

#include <cstring>

namespace coding {

bool KeyHeader::sameKey(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    if (a.size() != b.size() || a.empty())
        return a.size() == b.size();
    return (a[0] & ~dataTypeMask) == (b[0] & ~dataTypeMask) && std::memcmp(a.data() + 1, b.data() + 1, a.size() - 1) == 0;
}

void KeyHeader::invalidSize(const CodingPath& path) {
    throw DecodingError::dataCorrupted(path, "Invalid data size");
}

} // namespace coding
