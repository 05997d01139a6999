#include "CompactCoding/protobuf/OneOfKeyedEncoder.h"

#include "CompactCoding/protobuf/OneOfAssociatedValuesEncoder.h"
#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

#include <string>

namespace coding {

namespace {

ProtobufEncodingError refused(const char* call) {
    return ProtobufEncodingError(ProtobufEncodingError::Kind::invalidAccess,
                                 std::string("Unexpected call to `") + call + "` while encoding a `ProtobufOneOf` enum");
}

} // namespace

void OneOfKeyedEncoder::encodeNil(const CodingKey&) { throw refused("encodeNil(forKey:)"); }

void OneOfKeyedEncoder::encode(const EncodeItem&, const CodingKey&) { throw refused("encode(_,forKey:)"); }

std::shared_ptr<KeyedEncodingContainerBox> OneOfKeyedEncoder::nestedContainer(const KeySet&, const CodingKey& key) {
    std::optional<IntKeyWrapper> field;
    try {
        field.emplace(key);
    } catch (const ProtobufEncodingError& error) {
        return std::make_shared<ProtoKeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(), error);
    }
    auto value = makeNode<OneOfAssociatedValuesEncoder>(codingPathAppending(key), sharedUserInfo(), false);
    content_.emplace(Content{*field, value});
    return value;
}

std::shared_ptr<UnkeyedEncodingContainerBox> OneOfKeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(),
                                                         refused("nestedUnkeyedContainer(forKey:)"));
}

std::shared_ptr<Encoder> OneOfKeyedEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(), refused("superEncoder()"));
}

std::shared_ptr<Encoder> OneOfKeyedEncoder::superEncoder(const CodingKey&) {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(),
                                               refused("superEncoder(forKey:)"));
}

} // namespace coding
