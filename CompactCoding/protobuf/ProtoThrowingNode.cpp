#include "CompactCoding/protobuf/ProtoThrowingNode.h"

#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoValueThrowingEncoder.h"
#include "coding/EncodingError.h"

namespace coding {

void ProtoThrowingNode::throwError() const {
    try {
        std::rethrow_exception(error_);
    } catch (const ProtobufEncodingError& error) {
        throw ProtobufEncodingError(error);
    } catch (const EncodingError& error) {
        throw EncodingError(error);
    }
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoThrowingNode::makeKeyedContainer(const KeySet&) {
    return std::make_shared<ProtoKeyedThrowingEncoder>(*this);
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoThrowingNode::makeUnkeyedContainer() {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(*this);
}

std::shared_ptr<SingleValueEncodingContainerBox> ProtoThrowingNode::makeSingleValueContainer() {
    return std::make_shared<ProtoValueThrowingEncoder>(*this);
}

} // namespace coding
