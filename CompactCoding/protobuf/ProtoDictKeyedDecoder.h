#pragma once

#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"

#include <vector>

namespace coding {

// A map with string or integer keys, read as a keyed container: every entry's key (a varint an
// integer key, length-delimited bytes a text key) is a key of the container, its value the
// value under it. Of entries with equal keys the last one counts. Values that are lists or maps
// stand alone in their entry.
class ProtoDictKeyedDecoder final : public ProtoKeyedDecoder {
public:
    // A key of another wire type is the ProtobufDecodingError unexpectedDictionaryKey, a text key
    // that is not UTF-8 "Invalid string".
    ProtoDictKeyedDecoder(const std::vector<ProtoDictDecodingNode::Entry>& entries, const KeySet& keys,
                          std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                          std::uint32_t depth);
};

} // namespace coding
