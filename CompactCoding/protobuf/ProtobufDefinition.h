#pragma once

#include "CompactCoding/protobuf/ProtoNode.h"
#include "coding/Codable.h"

#include <memory>
#include <string>

namespace coding {

// The protobuf definition (a proto3 .proto text) of the message a record is written as by
// ProtobufEncoder, found by the type-description walk: the record describes itself to a ProtoNode,
// and the tree of descriptions becomes one message per record type, fields numbered by the keys'
// integer values and named by their texts, lists as repeated fields, dictionaries as maps, fields
// written with encodeIfPresent as optional. Scalar types are named as their bytes are written
// (Int64 "int64", SignedValue "sint64", FixedSize "sfixed64"...).
//
// The walk describes a value, not a type: what every instance of a message writes (each element
// of a list, each value of a map) makes up its description, and a list or map field is typed by
// any instance that holds an element. What protobuf cannot express (a list or map that is empty
// in every instance, a list of lists, a map key that is not an integer or a string, a field
// without a number) throws protobufDefinitionUnavailable; an error the walk recorded at a node is
// thrown as it stands; a root that is not a record throws rootIsNotKeyedContainer, one that wrote
// nothing noContainersAccessed.
class ProtobufDefinition {
public:
    template <class T>
    static std::string of(const T& value, const UserInfo& userInfo = {}) {
        const EncodeItem item = makeEncodeItem(value);
        ProtoNode root(std::string(item.typeName), {}, std::make_shared<const UserInfo>(userInfo), item.isMap);
        item.encode(root);
        return render(root);
    }

    static std::string render(const ProtoNode& root);
};

} // namespace coding
