#pragma once

#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"

namespace coding {

// A map with string or integer keys, read as a keyed container: every entry's key is a key of the
// container, its value the value under it. Of entries with equal keys the last one counts, and the
// values of the others are read as well when it is, so that a fault in them is one, as it is in
// protobuf. Values that are lists or maps stand alone in their entry.
class ProtoDictKeyedDecoder final : public ProtoKeyedDecoder {
public:
    // The key is its entry's last occurrence of field 1. It must be of the map's wire type: a
    // varint for integer keys, length-delimited for text keys (either for a record's own keys);
    // another is the ProtobufDecodingError unexpectedDictionaryKey. Every text written for a text
    // key, the last or not, must be UTF-8 ("Invalid string").
    ProtoDictKeyedDecoder(const ProtoDictDecodingNode::Entries& entries, const KeySet& keys, ProtoDecodeCall& call,
                          std::uint32_t depth);
};

} // namespace coding
