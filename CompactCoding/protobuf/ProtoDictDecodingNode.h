#pragma once

#include "CompactCoding/protobuf/ProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"

#include <vector>

namespace coding {

// The node a dictionary reads itself from: its keyed form (string or integer keys) gets a
// ProtoDictKeyedDecoder, its unkeyed form (key, value, key, value...) a ProtoDictUnkeyedDecoder,
// both over the map's entries. Under a message field each occurrence is one entry; a map standing
// alone (a root, a value of a list, map or oneof) has its entries back to back, each behind its
// byte count.
class ProtoDictDecodingNode final : public ProtoDecodingNode {
public:
    using ProtoDecodingNode::ProtoDecodingNode;

    // One map entry: field 1, the key, and field 2, the value. Fields after them belong to the
    // entry too: the last key and value count, and other fields are passed over.
    struct Entry {
        ProtoOccurrence key;
        ProtoOccurrence value;
    };
    // Every entry of the map in `storage`, read at once. An entry whose first field is not 1 or
    // whose second is not 2 is the ProtobufDecodingError unexpectedDictionaryKey; an entry that
    // ends early "Premature end of data", and malformed fields after the value their fault (see
    // ProtoOccurrence::read).
    static std::vector<Entry> readEntries(const ProtoStorage& storage, const CodingPath& path);

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
};

} // namespace coding
