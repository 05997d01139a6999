#include "CompactCoding/protobuf/OneOfAssociatedValuesEncoder.h"

#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

#include <string>

namespace coding {

namespace {

ProtobufEncodingError refused(const char* what) {
    return ProtobufEncodingError(ProtobufEncodingError::Kind::invalidAccess,
                                 std::string(what) + " while encoding a `ProtobufOneOf` associated value");
}

ProtobufEncodingError unexpected(const char* call) {
    return refused((std::string("Unexpected call to `") + call + "`").c_str());
}

} // namespace

void OneOfAssociatedValuesEncoder::encodeNil(const CodingKey&) { throw unexpected("encodeNil(forKey:)"); }

void OneOfAssociatedValuesEncoder::encode(const EncodeItem& item, const CodingKey&) {
    if (value_)
        throw refused("Multiple calls to `encode(_,forKey:)`");
    if (item.category == ValueCategory::primitive) {
        value_ = makeInArena<EncodedPrimitive>(encodedProtobufPrimitive(item, false, codingPath()));
        return;
    }
    value_ = encodeProtoRequiredValue(item, *this);
}

std::shared_ptr<KeyedEncodingContainerBox> OneOfAssociatedValuesEncoder::nestedContainer(const KeySet&,
                                                                                         const CodingKey& key) {
    return std::make_shared<ProtoKeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(),
                                                       unexpected("nestedContainer(keyedBy:forKey:)"));
}

std::shared_ptr<UnkeyedEncodingContainerBox> OneOfAssociatedValuesEncoder::nestedUnkeyedContainer(
    const CodingKey& key) {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(),
                                                         unexpected("nestedUnkeyedContainer(forKey:)"));
}

std::shared_ptr<Encoder> OneOfAssociatedValuesEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(), unexpected("superEncoder()"));
}

std::shared_ptr<Encoder> OneOfAssociatedValuesEncoder::superEncoder(const CodingKey&) {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(),
                                               unexpected("superEncoder(forKey:)"));
}

} // namespace coding
