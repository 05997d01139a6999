#include "CompactCoding/protobuf/OneOfKeyedDecoder.h"

#include "CompactCoding/protobuf/OneOfAssociatedValuesDecoder.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"

#include <string>

namespace coding {

namespace {

ProtobufDecodingError refused(const char* call) {
    return ProtobufDecodingError(ProtobufDecodingError::Kind::invalidAccess,
                                 std::string("Unexpected call to `") + call +
                                     "` while decoding `ProtobufOneOf` enum");
}

} // namespace

OneOfKeyedDecoder::OneOfKeyedDecoder(const ProtoKeyedDecoder& message, const KeySet& keys,
                                     std::shared_ptr<const CodingPath> codingPath,
                                     std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth, protobufNestingLimit),
      message_(&message), keys_(&keys) {}

std::vector<CodingKey> OneOfKeyedDecoder::allKeys() const { return message_->keysIn(*keys_); }

bool OneOfKeyedDecoder::contains(const CodingKey& key) const { return message_->contains(key); }

bool OneOfKeyedDecoder::decodeNil(const CodingKey&) { throw refused("decodeNil(forKey:)"); }

void OneOfKeyedDecoder::decode(DecodeItem&, const CodingKey&) { throw refused("decode(_,forKey)"); }

std::shared_ptr<KeyedDecodingContainerBox> OneOfKeyedDecoder::nestedContainer(const KeySet& keys,
                                                                              const CodingKey& key) {
    return std::make_shared<OneOfAssociatedValuesDecoder>(message_->occurrences(key), keys, sharedCodingPath(),
                                                          sharedUserInfo(), depth() + 1);
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfKeyedDecoder::nestedUnkeyedContainer(const CodingKey&) {
    throw refused("nestedUnkeyedContainer(forKey:)");
}

std::shared_ptr<Decoder> OneOfKeyedDecoder::superDecoder() { throw refused("superDecoder()"); }

std::shared_ptr<Decoder> OneOfKeyedDecoder::superDecoder(const CodingKey&) { throw refused("superDecoder(forKey:)"); }

} // namespace coding
