#pragma once

#include "CompactCoding/protobuf/AbstractProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoStorage.h"
#include "coding/SingleValueDecodingContainer.h"

#include <memory>

namespace coding {

// One value read from its node's storage: the whole bytes standing for it, the last occurrence
// of a field, or the next element of a list. Never nil. A value with no bytes at all is its
// type's zero.
class ProtoValueDecoder final : public SingleValueDecodingContainerBox, public AbstractProtoDecodingNode {
public:
    // `keepAlive`: what the storage views, when the container may outlive the call that made it.
    ProtoValueDecoder(const ProtoStorage& storage, ProtoDecodeCall& call, std::uint32_t depth,
                      std::shared_ptr<const void> keepAlive = {});

    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    bool decodeNil() override { return false; }
    void decode(DecodeItem& item) override;

private:
    ProtoStorage storage_;
    std::shared_ptr<const void> keepAlive_;
};

} // namespace coding
