#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"

#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"

namespace coding {

std::shared_ptr<KeyedEncodingContainerBox> ProtoKeyedThrowingEncoder::nestedContainer(const KeySet&, const CodingKey&) {
    return std::make_shared<ProtoKeyedThrowingEncoder>(*this);
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoKeyedThrowingEncoder::nestedUnkeyedContainer(const CodingKey&) {
    return std::make_shared<ProtoUnkeyedThrowingEncoder>(*this);
}

std::shared_ptr<Encoder> ProtoKeyedThrowingEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(static_cast<const ProtoThrowingNode&>(*this));
}

std::shared_ptr<Encoder> ProtoKeyedThrowingEncoder::superEncoder(const CodingKey&) { return superEncoder(); }

} // namespace coding
