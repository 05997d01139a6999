#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/Decoder.h"

#include <memory>

namespace coding {

// The decoder a value reads itself from in the protobuf-compatible form. It holds where the
// value's bytes are (ProtoStorage) and hands out containers over them; it may be asked for any
// number of containers. Past protobufNestingLimit the data counts as corrupt.
class ProtoDecodingNode : public Decoder, public AbstractProtoDecodingNode {
public:
    ProtoDecodingNode(const ProtoStorage& storage, ProtoDecodeCall& call, std::uint32_t depth)
        : AbstractProtoDecodingNode(call, depth), storage_(storage) {}
    // `keepAlive`: what the storage views, for a node that may outlive the call that made it.
    ProtoDecodingNode(const ProtoStorage& storage, ProtoDecodeCall& call, std::uint32_t depth,
                      std::shared_ptr<const void> keepAlive);

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    const UserInfo& userInfo() const override { return AbstractNode::userInfo(); }
    const ProtoStorage& storage() const { return storage_; }

protected:
    std::shared_ptr<KeyedDecodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedDecodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueDecodingContainerBox> makeSingleValueContainer() override;

private:
    ProtoStorage storage_;
    std::shared_ptr<const void> keepAlive_;
};

} // namespace coding
