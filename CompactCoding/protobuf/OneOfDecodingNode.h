#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/OneOfKeyedDecoder.h"
#include "CompactCoding/protobuf/OneOfRuns.h"
#include "coding/Decoder.h"

#include <cstddef>
#include <forward_list>
#include <optional>

namespace coding {

class ProtoKeyedDecoder;

// The decoder a oneof reads itself from: a keyed container over the fields of the enclosing
// message, where the enumeration finds which of its cases is present. Any other container is
// refused with the ProtobufDecodingError invalidAccess.
class OneOfDecodingNode final : public Decoder, public AbstractProtoDecodingNode {
public:
    // `message` is the enclosing message's container, which outlives the node and what it makes;
    // `runs` its oneof's runs, which outlive the enumeration's reading and are read once: before
    // the node is made, or else by its first container, through the keys that container is asked
    // with. The node shows the run numbered `run`.
    OneOfDecodingNode(const ProtoKeyedDecoder& message, OneOfRuns& runs, std::size_t run, ProtoDecodeCall& call,
                      std::uint32_t depth);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() override;

private:
    std::shared_ptr<KeyedDecodingContainerBox> makeOtherContainer(const KeySet& keys);

    const ProtoKeyedDecoder* message_;
    OneOfRuns* runs_;
    // The runs of other cases the enumeration asked for, each read once and kept for as long as
    // the oneof's own.
    std::forward_list<OneOfRuns> otherRuns_;
    std::size_t run_;
    // The first container asked for: the enumeration reads itself inside the call that holds the
    // node, so it need not be made apart.
    std::optional<OneOfKeyedDecoder> container_;
};

} // namespace coding
