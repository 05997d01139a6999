#pragma once

#include "CompactCoding/protobuf/AbstractProtoNode.h"
#include "CompactCoding/protobuf/ProtoContainer.h"
#include "CompactCoding/protobuf/ProtoKeyWrapper.h"
#include "coding/KeyedEncodingContainer.h"

#include <memory>
#include <set>
#include <vector>

namespace coding {

// Definition walk, not bytes: the keyed container ProtobufDefinition describes a message with;
// it writes nothing. Its twin ProtoKeyedEncoder writes a message's bytes for ProtobufEncoder.
//
// A message in the type-description walk: one entry per key, in the order written, each with the
// description of its value. A oneof field is refused (unsupportedType "Oneof definition"), as is
// nil; a key written twice and a super encoder stop the program.
class KeyedProtoEncoder final : public AbstractProtoNode, public KeyedEncodingContainerBox, public ProtoContainer {
public:
    struct Entry {
        ProtoKeyWrapper key;
        std::shared_ptr<ProtoContainer> value;
        bool isOptional; // written with encodeIfPresent
    };

    using AbstractProtoNode::AbstractProtoNode;

    const std::vector<Entry>& content() const { return content_; }

    const CodingPath& codingPath() const override { return nodePath(); }
    void encodeNil(const CodingKey& key) override;
    void encode(const EncodeItem& item, const CodingKey& key) override;
    void encodeIfPresent(const EncodeItem* item, const CodingKey& key) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys, const CodingKey& key) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer(const CodingKey& key) override;
    std::shared_ptr<Encoder> superEncoder() override;
    std::shared_ptr<Encoder> superEncoder(const CodingKey& key) override;

    std::string protoTypeName() const override { return encodedType(); }

private:
    ProtoKeyWrapper newKey(const CodingKey& key);
    void record(const EncodeItem& item, const CodingKey& key, bool isOptional);
    CodingPath pathTo(const CodingKey& key) const;

    std::vector<Entry> content_;
    std::set<ProtoKeyWrapper> keys_;
};

} // namespace coding
