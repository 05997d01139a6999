#pragma once

#include <string>

namespace coding {

// Definition walk, not bytes: what ProtobufDefinition asks of every described node. The pieces
// that write bytes are EncodingContainers instead.
//
// One node of the tree the type-description walk builds: it answers its protobuf type name (a
// message's name, "repeated " and its elements' name, a scalar's name).
class ProtoContainer {
public:
    virtual ~ProtoContainer() = default;
    virtual std::string protoTypeName() const = 0;
};

} // namespace coding
