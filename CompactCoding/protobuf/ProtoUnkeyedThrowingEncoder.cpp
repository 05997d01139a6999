#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"

#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"

namespace coding {

std::shared_ptr<KeyedEncodingContainerBox> ProtoUnkeyedThrowingEncoder::nestedContainer(const KeySet&) {
    return std::make_shared<ProtoKeyedThrowingEncoder>(*this);
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoUnkeyedThrowingEncoder::nestedUnkeyedContainer() {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(*this);
}

std::shared_ptr<Encoder> ProtoUnkeyedThrowingEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(static_cast<const ProtoThrowingNode&>(*this));
}

} // namespace coding
