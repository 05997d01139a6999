#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"

#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "CompactCoding/protobuf/ProtoDictKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoDictUnkeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/VariableLengthInteger.h"

namespace coding {

namespace {

// One field of an entry, which must be field `number`.
ProtoOccurrence entryField(std::span<const std::uint8_t> entry, std::size_t& index, std::uint32_t number,
                           const CodingPath& path) {
    DataType wireType;
    const IntKeyWrapper field =
        IntKeyWrapper::fromTag(readExtendedVariableLengthIntegerAt(entry, index, path), wireType, path);
    if (field.number() != number)
        throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
    return ProtoOccurrence::readValue(entry, index, wireType, path);
}

// The key, then the value; whatever follows are fields of the entry as well: a key or value
// written again takes the place of the first, any other field is passed over.
ProtoDictDecodingNode::Entry readEntry(std::span<const std::uint8_t> entry, const CodingPath& path) {
    std::size_t index = 0;
    ProtoDictDecodingNode::Entry result{entryField(entry, index, 1, path), {}};
    result.value = entryField(entry, index, 2, path);
    while (index < entry.size()) {
        std::uint32_t field = 0;
        const ProtoOccurrence occurrence = ProtoOccurrence::read(entry, index, field, path);
        if (field == 1)
            result.key = occurrence;
        else if (field == 2)
            result.value = occurrence;
    }
    return result;
}

} // namespace

std::vector<ProtoDictDecodingNode::Entry> ProtoDictDecodingNode::readEntries(const ProtoStorage& storage,
                                                                            const CodingPath& path) {
    std::vector<Entry> entries;
    if (storage.kind() == ProtoStorage::Kind::field && storage.isRepeatedField()) {
        for (const ProtoOccurrence& occurrence : storage.occurrences()) {
            if (occurrence.wireType != DataType::variableLength)
                throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
            entries.push_back(readEntry(occurrence.bytes(), path));
        }
        return entries;
    }
    const auto bytes = storage.standaloneBytes(path);
    for (std::size_t index = 0; index < bytes.size();)
        entries.push_back(readEntry(ProtoOccurrence::readPayload(bytes, index, path), path));
    return entries;
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoDictDecodingNode::makeKeyedContainer(const KeySet& keys) {
    return std::make_shared<ProtoDictKeyedDecoder>(readEntries(storage(), codingPath()), keys, sharedCodingPath(),
                                                   sharedUserInfo(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoDictDecodingNode::makeUnkeyedContainer() {
    return std::make_shared<ProtoDictUnkeyedDecoder>(readEntries(storage(), codingPath()), sharedCodingPath(),
                                                     sharedUserInfo(), depth());
}

} // namespace coding
