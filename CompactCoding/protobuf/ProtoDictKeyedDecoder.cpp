#include "CompactCoding/protobuf/ProtoDictKeyedDecoder.h"

#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "CompactCoding/VariableLengthInteger.h"
#include "coding/DecodingError.h"
#include "coding/Utf8.h"

#include <string_view>

namespace coding {

ProtoDictKeyedDecoder::ProtoDictKeyedDecoder(const std::vector<ProtoDictDecodingNode::Entry>& entries,
                                             const KeySet& keys, std::shared_ptr<const CodingPath> codingPath,
                                             std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : ProtoKeyedDecoder(keys, std::move(codingPath), std::move(userInfo), depth, false) {
    const CodingPath& path = this->codingPath();
    for (const auto& [key, value] : entries) {
        switch (key.wireType) {
        case DataType::variableLengthInteger: {
            const auto integer = static_cast<std::int64_t>(readExtendedVariableLengthInteger(key.bytes(), path));
            add(DecodingKey::intKey(integer), value, true);
            break;
        }
        case DataType::variableLength:
            if (!isValidUtf8(key.bytes()))
                throw DecodingError::dataCorrupted(path, "Invalid string");
            add(DecodingKey::stringKey(std::string_view(reinterpret_cast<const char*>(key.data), key.size)), value,
                true);
            break;
        default: throw ProtobufDecodingError(ProtobufDecodingError::Kind::unexpectedDictionaryKey);
        }
    }
    finish();
}

} // namespace coding
