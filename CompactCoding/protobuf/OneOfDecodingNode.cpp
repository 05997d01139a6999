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

OneOfDecodingNode::OneOfDecodingNode(const ProtoKeyedDecoder& message, OneOfRunSets& runs, std::size_t run,
                                     ProtoDecodeCall& call, std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), message_(&message), runs_(&runs), run_(run) {}

std::shared_ptr<KeyedDecodingContainerBox> OneOfDecodingNode::makeKeyedContainer(const KeySet& keys) {
    const OneOfRuns& runs = runs_->of(keys);
    const std::size_t count = runs.runs().size();
    const std::size_t shown = run_ < count ? run_ : (count == 0 ? 0 : count - 1);
    if (container_)
        return OneOfKeyedDecoder::make(*message_, runs, shown, call(), depth());
    container_.emplace(*message_, runs, shown, call(), depth(), true);
    return {std::shared_ptr<void>(), &*container_};
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfDecodingNode::makeUnkeyedContainer() {
    throw refused("unkeyedContainer()");
}

std::shared_ptr<SingleValueDecodingContainerBox> OneOfDecodingNode::makeSingleValueContainer() {
    throw refused("singleValueContainer()");
}

} // namespace coding
