#include "CompactCoding/protobuf/ProtoStorage.h"


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
        unexpectedWireType(last.wireType, path);
    return last.bytes();
}

} // namespace coding
