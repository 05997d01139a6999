#pragma once

#include "CompactCoding/protobuf/ProtoContainer.h"

#include <string>
#include <string_view>

namespace coding {

// Definition walk, not bytes: a scalar's description for ProtobufDefinition.
//
// A scalar in the type-description walk, named as the bytes it is written with ("int64",
// "sint32", "fixed64", "string"...).
class ProtoPrimitive final : public ProtoContainer {
public:
    explicit ProtoPrimitive(std::string_view name) : name_(name) {}
    std::string protoTypeName() const override { return name_; }

private:
    std::string name_;
};

} // namespace coding
