#include "CompactCoding/DecodingKey.h"

#include <functional>

namespace coding {

std::size_t DecodingKey::hash() const {
    // The case first, so that 3 and "3" tend to land apart.
    if (isString_)
        return std::hash<std::string_view>()(stringValue()) ^ 0x9e3779b97f4a7c15ULL;
    return std::hash<std::int64_t>()(int_);
}

} // namespace coding
