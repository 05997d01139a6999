#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/OneOfKeyedDecoder.h"
#include "CompactCoding/protobuf/OneOfRunSets.h"
#include "coding/Decoder.h"

#include <cstddef>
#include <optional>

namespace coding {

class ProtoKeyedDecoder;

// The decoder a oneof reads itself from: a keyed container over the fields of the enclosing
// message, where the enumeration finds which of its cases is present. Any other container is
// refused with the ProtobufDecodingError invalidAccess.
class OneOfDecodingNode final : public Decoder, public AbstractProtoDecodingNode {
public:
    // `message` is the enclosing message's container, and `runs` what its oneof's read knows of
    // the cases: both outlive the node and what it makes. For whatever keys it is asked, the node
    // shows their run numbered `run`, or their last when they have fewer.
    OneOfDecodingNode(const ProtoKeyedDecoder& message, OneOfRunSets& runs, std::size_t run, ProtoDecodeCall& call,
                      std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() override;

private:
    const ProtoKeyedDecoder* message_;
    OneOfRunSets* runs_;
    std::size_t run_;
    // The first container asked for: the enumeration reads itself inside the call that holds the
    // node, so it need not be made apart.
    std::optional<OneOfKeyedDecoder> container_;
};

} // namespace coding
