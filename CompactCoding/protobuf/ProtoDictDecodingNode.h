#pragma once

#include "CompactCoding/protobuf/ProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"

#include <cstdint>
#include <span>
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

    // A map's entries. Each is a small message whose field 1 is the key and field 2 the value,
    // read as a message's fields are: every occurrence is kept, in order, the last counting for a
    // key or a scalar and a message merging them all. Other fields of an entry are passed over.
    struct Entries {
        struct Entry {
            std::uint32_t keyCount;
            std::uint32_t valueCount;
        };
        // Of each entry in turn, its key's occurrences and then its value's.
        std::vector<ProtoOccurrence> occurrences;
        std::vector<Entry> entries;
    };
    // Every entry of the map in `storage`, read at once. An entry whose first field is not 1 or
    // whose second is not 2 is the ProtobufDecodingError unexpectedDictionaryKey; an entry that
    // ends early "Premature end of data", and malformed fields after the value their fault (see
    // ProtoOccurrence::read).
    static Entries readEntries(const ProtoStorage& storage, const CodingPath& path);

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
};

} // namespace coding
