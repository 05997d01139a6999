#pragma once

#include "CompactCoding/protobuf/AbstractProtoNode.h"
#include "CompactCoding/protobuf/ProtoContainer.h"
#include "coding/EncodeItem.h"
#include "coding/Encoder.h"

#include <memory>

namespace coding {

// Definition walk, not bytes: the encoder of ProtobufDefinition; it writes nothing. Its twin
// ProtoEncodingNode is the encoder of ProtobufEncoder, which writes bytes.
//
// The encoder a value describes itself to in the type-description walk: it keeps the first
// container the value asks for; a later request still gets a working container, which is dropped,
// and records multipleContainersAccessed. Its type name is its container's.
class ProtoNode final : public AbstractProtoNode, public Encoder, public ProtoContainer {
public:
    // `isMap`: the value is a dictionary, described as a protobuf map.
    ProtoNode(std::string encodedType, CodingPath codingPath, std::shared_ptr<const UserInfo> userInfo,
              bool isMap = false)
        : AbstractProtoNode(std::move(encodedType), std::move(codingPath), std::move(userInfo)), isMap_(isMap) {}

    // How the walk describes one value: a primitive as its scalar name (a primitive without a
    // protobuf form throws unsupportedType with its type's name), anything else as a node of its
    // own, named after the value's type, that the value describes itself to inside this call.
    static std::shared_ptr<ProtoContainer> describe(const EncodeItem& item, const AbstractProtoNode& creator);

    const CodingPath& codingPath() const override { return nodePath(); }
    const UserInfo& userInfo() const override { return *sharedUserInfo(); }

    bool isMap() const { return isMap_; }
    // The container the value asked for first; null when it asked for none.
    const std::shared_ptr<ProtoContainer>& container() const { return container_; }

    // "No container" for a value that asked for none.
    std::string protoTypeName() const override;

protected:
    std::shared_ptr<KeyedEncodingContainerBox> makeKeyedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> makeUnkeyedContainer() override;
    std::shared_ptr<SingleValueEncodingContainerBox> makeSingleValueContainer() override;

private:
    template <class Container>
    std::shared_ptr<Container> keep(std::shared_ptr<Container> container);

    std::shared_ptr<ProtoContainer> container_;
    bool isMap_;
};

} // namespace coding
