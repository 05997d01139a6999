#pragma once

#include "CompactCoding/protobuf/AbstractProtoNode.h"
#include "CompactCoding/protobuf/ProtoContainer.h"
#include "coding/UnkeyedEncodingContainer.h"

#include <memory>
#include <vector>

namespace coding {

// Definition walk, not bytes: the list ProtobufDefinition describes a repeated field with; it
// writes nothing. Its twin ProtoUnkeyedEncoder writes a list's bytes for ProtobufEncoder.
//
// A repeated field in the type-description walk: the descriptions of its elements in order, named
// "repeated " and the first element's name. An element of another type name than the first is
// kept and records multipleTypesInUnkeyedContainer.
class UnkeyedProtoEncoder final : public AbstractProtoNode, public UnkeyedEncodingContainerBox, public ProtoContainer {
public:
    using AbstractProtoNode::AbstractProtoNode;

    const std::vector<std::shared_ptr<ProtoContainer>>& content() const { return content_; }

    const CodingPath& codingPath() const override { return nodePath(); }
    std::int64_t count() const override { return static_cast<std::int64_t>(content_.size()); }
    void encodeNil() override;
    void encode(const EncodeItem& item) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;

    std::string protoTypeName() const override;

private:
    void append(std::shared_ptr<ProtoContainer> element);

    std::vector<std::shared_ptr<ProtoContainer>> content_;
};

} // namespace coding
