#include "CompactCoding/ProtoStorage.h"

#include "coding/DecodingError.h"

#include <string>

namespace coding {

std::span<const std::uint8_t> ProtoStorage::standaloneBytes(const CodingPath& path) const {
    switch (kind_) {
    case Kind::bytes: return bytes_;
    case Kind::element: return reader_->nextPayload(path);
    case Kind::field: break;
    }
    if (occurrences_.empty())
        return {};
    const ProtoOccurrence& last = occurrences_.back();
    if (last.wireType != DataType::variableLength)
        throw DecodingError::dataCorrupted(path, "Unexpected data type " + std::to_string(rawValue(last.wireType)));
    return last.bytes();
}

} // namespace coding
