#include "CompactCoding/protobuf/OneOfDecodingNode.h"

#include "CompactCoding/protobuf/OneOfKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"

#include <algorithm>

namespace coding {

namespace {

ProtobufDecodingError refused(const char* call) {
    return ProtobufDecodingError(ProtobufDecodingError::Kind::invalidAccess,
                                 std::string("Attempt to access ") + call + " for a type conforming to ProtobufOneOf");
}

} // namespace

OneOfDecodingNode::OneOfDecodingNode(const ProtoKeyedDecoder& message, bool onlyIfPresent,
                                     std::shared_ptr<const CodingPath> codingPath,
                                     std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractDecodingNode(std::move(codingPath), std::move(userInfo), depth, protobufNestingLimit),
      message_(&message), onlyIfPresent_(onlyIfPresent) {}

std::shared_ptr<KeyedDecodingContainerBox> OneOfDecodingNode::makeKeyedContainer(const KeySet& keys) {
    if (onlyIfPresent_ && message_->keysIn(keys).empty())
        throw NoCaseOnTheWire{};
    return std::make_shared<OneOfKeyedDecoder>(*message_, keys, sharedCodingPath(), sharedUserInfo(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfDecodingNode::makeUnkeyedContainer() {
    throw refused("unkeyedContainer()");
}

std::shared_ptr<SingleValueDecodingContainerBox> OneOfDecodingNode::makeSingleValueContainer() {
    throw refused("singleValueContainer()");
}

} // namespace coding
