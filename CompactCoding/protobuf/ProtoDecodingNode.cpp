#include "CompactCoding/protobuf/ProtoDecodingNode.h"

#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedDecoder.h"
#include "CompactCoding/protobuf/ProtoValueDecoder.h"

namespace coding {

ProtoDecodingNode::ProtoDecodingNode(const ProtoStorage& storage, ProtoDecodeCall& call, std::uint32_t depth,
                                     std::shared_ptr<const void> keepAlive)
    : AbstractProtoDecodingNode(call, depth), storage_(storage), keepAlive_(std::move(keepAlive)) {}

std::shared_ptr<KeyedDecodingContainerBox> ProtoDecodingNode::makeKeyedContainer(const KeySet& keys) {
    switch (storage_.kind()) {
    case ProtoStorage::Kind::field:
        // A message written in parts merges them.
        return ProtoKeyedDecoder::make(storage_.occurrences(), keys, call(), depth());
    case ProtoStorage::Kind::bytes:
    case ProtoStorage::Kind::element: break;
    }
    return ProtoKeyedDecoder::make(storage_.standaloneBytes(codingPath()), keys, call(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoDecodingNode::makeUnkeyedContainer() {
    return ProtoUnkeyedDecoder::over(storage_, call(), depth());
}

std::shared_ptr<SingleValueDecodingContainerBox> ProtoDecodingNode::makeSingleValueContainer() {
    return std::make_shared<ProtoValueDecoder>(storage_, call(), depth(), keepAlive_);
}

} // namespace coding
