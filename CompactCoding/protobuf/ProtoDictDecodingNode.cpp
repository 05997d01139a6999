#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"

#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "CompactCoding/protobuf/ProtoDictKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoDictUnkeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"

namespace coding {

namespace {

// One field of an entry, which must be field `number`.
ProtoOccurrence entryField(std::span<const std::uint8_t> entry, std::size_t& index, std::uint32_t number,
                           const CodingPath& path) {
    DataType wireType;
    const IntKeyWrapper field = IntKeyWrapper::fromTag(ProtoOccurrence::readTag(entry, index, path), wireType, path);
    if (field.number() != number)
        throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
    return ProtoOccurrence::readValue(entry, index, wireType, path);
}

// The key, then the value; whatever follows are fields of the entry as well: a key or value
// written again is one more occurrence of it, any other field is passed over. `values` is scratch
// room, so that the key's occurrences can go first.
void readEntry(std::span<const std::uint8_t> entry, ProtoDictDecodingNode::Entries& entries,
               std::vector<ProtoOccurrence>& values, const CodingPath& path) {
    std::size_t index = 0;
    const std::size_t start = entries.occurrences.size();
    entries.occurrences.push_back(entryField(entry, index, 1, path));
    values.assign(1, entryField(entry, index, 2, path));
    while (index < entry.size()) {
        std::uint32_t field = 0;
        const ProtoOccurrence occurrence = ProtoOccurrence::read(entry, index, field, path);
        if (field == 1)
            entries.occurrences.push_back(occurrence);
        else if (field == 2)
            values.push_back(occurrence);
    }
    entries.occurrences.insert(entries.occurrences.end(), values.begin(), values.end());
    entries.entries.push_back({static_cast<std::uint32_t>(entries.occurrences.size() - start - values.size()),
                               static_cast<std::uint32_t>(values.size())});
}

} // namespace

ProtoDictDecodingNode::Entries ProtoDictDecodingNode::readEntries(const ProtoStorage& storage,
                                                                  const CodingPath& path) {
    Entries entries;
    std::vector<ProtoOccurrence> values;
    if (storage.kind() == ProtoStorage::Kind::field && storage.isRepeatedField()) {
        for (const ProtoOccurrence& occurrence : storage.occurrences()) {
            if (occurrence.wireType != DataType::variableLength)
                throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
            readEntry(occurrence.bytes(), entries, values, path);
        }
        return entries;
    }
    const auto bytes = storage.standaloneBytes(path);
    for (std::size_t index = 0; index < bytes.size();)
        readEntry(ProtoOccurrence::readPayload(bytes, index, path), entries, values, path);
    return entries;
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoDictDecodingNode::makeKeyedContainer(const KeySet& keys) {
    return std::make_shared<ProtoDictKeyedDecoder>(readEntries(storage(), codingPath()), keys, call(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoDictDecodingNode::makeUnkeyedContainer() {
    return std::make_shared<ProtoDictUnkeyedDecoder>(readEntries(storage(), codingPath()), call(), depth());
}

} // namespace coding
