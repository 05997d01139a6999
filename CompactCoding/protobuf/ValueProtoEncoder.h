#pragma once

#include "CompactCoding/protobuf/AbstractProtoNode.h"
#include "CompactCoding/protobuf/ProtoContainer.h"
#include "coding/SingleValueEncodingContainer.h"

#include <memory>

namespace coding {

// Definition walk, not bytes: the single-value container ProtobufDefinition describes a value
// with; it writes nothing. Its twin ProtoValueEncoder writes the value's bytes for ProtobufEncoder.
//
// A single value in the type-description walk, named as the value it holds ("No container"
// before one). A second value is ignored and records multipleValuesInSingleValueContainer; nil
// is refused.
class ValueProtoEncoder final : public AbstractProtoNode,
                                public SingleValueEncodingContainerBox,
                                public ProtoContainer {
public:
    using AbstractProtoNode::AbstractProtoNode;

    const std::shared_ptr<ProtoContainer>& container() const { return container_; }

    const CodingPath& codingPath() const override { return nodePath(); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;

    std::string protoTypeName() const override { return container_ ? container_->protoTypeName() : "No container"; }

private:
    std::shared_ptr<ProtoContainer> container_;
};

} // namespace coding
