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

OneOfDecodingNode::OneOfDecodingNode(const ProtoKeyedDecoder& message, OneOfRuns& runs, std::size_t run,
                                     ProtoDecodeCall& call, std::uint32_t depth)
    : AbstractProtoDecodingNode(call, depth), message_(&message), runs_(&runs), run_(run) {}

std::shared_ptr<KeyedDecodingContainerBox> OneOfDecodingNode::makeKeyedContainer(const KeySet& keys) {
    if (!runs_->isReadFor(keys)) {
        if (runs_->isRead())
            return makeOtherContainer(keys);
        runs_->read(*message_, keys);
    }
    if (container_)
        return OneOfKeyedDecoder::make(*message_, *runs_, run_, call(), depth());
    container_.emplace(*message_, *runs_, run_, call(), depth(), true);
    return {std::shared_ptr<void>(), &*container_};
}

std::shared_ptr<KeyedDecodingContainerBox> OneOfDecodingNode::makeOtherContainer(const KeySet& keys) {
    // Other cases than the oneof's, as a oneof of those cases alone reads them: their value, from
    // runs of their own. The oneof's runs stay as they are, shown by the containers made before.
    OneOfRuns& runs = otherRuns_.emplace_front();
    runs.read(*message_, keys);
    const std::size_t last = runs.runs().empty() ? 0 : runs.runs().size() - 1;
    return OneOfKeyedDecoder::make(*message_, runs, last, call(), depth());
}

std::shared_ptr<UnkeyedDecodingContainerBox> OneOfDecodingNode::makeUnkeyedContainer() {
    throw refused("unkeyedContainer()");
}

std::shared_ptr<SingleValueDecodingContainerBox> OneOfDecodingNode::makeSingleValueContainer() {
    throw refused("singleValueContainer()");
}

} // namespace coding
