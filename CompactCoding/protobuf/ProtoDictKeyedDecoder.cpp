#include "CompactCoding/protobuf/ProtoDictKeyedDecoder.h"

#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/VariableLengthInteger.h"

#include <string_view>

namespace coding {

namespace {

DecodingKey keyOf(std::span<const ProtoOccurrence> occurrences, KeySet::Kind kind, const CodingPath& path) {
    const ProtoOccurrence& key = occurrences.back();
    const bool textKeys = kind != KeySet::Kind::anyInteger;
    const bool integerKeys = kind != KeySet::Kind::anyString;
    if (key.wireType == DataType::variableLengthInteger && integerKeys)
        return DecodingKey::intKey(static_cast<std::int64_t>(readExtendedVariableLengthInteger(key.bytes(), path)));
    if (key.wireType != DataType::variableLength || !textKeys)
        throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
    requireUtf8Texts(occurrences, path);
    return DecodingKey::stringKey(std::string_view(reinterpret_cast<const char*>(key.data), key.size));
}

} // namespace

ProtoDictKeyedDecoder::ProtoDictKeyedDecoder(const ProtoDictDecodingNode::Entries& entries, const KeySet& keys,
                                             ProtoDecodeCall& call, std::uint32_t depth)
    : ProtoKeyedDecoder(keys, call, depth, false) {
    const CodingPath& path = this->codingPath();
    const ProtoOccurrence* next = entries.occurrences.data();
    for (const auto& [keyCount, valueCount] : entries.entries) {
        const DecodingKey key = keyOf({next, keyCount}, keys.kind(), path);
        next += keyCount;
        addEntry(key, {next, valueCount});
        next += valueCount;
    }
    finish();
}

} // namespace coding
