#pragma once

#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "coding/CodingKey.h"
#include "coding/UserInfo.h"

#include <memory>
#include <optional>
#include <string>

namespace coding {

// Definition walk, not bytes: the base of ProtoNode and the containers of ProtobufDefinition.
// The nodes that write bytes derive from AbstractEncodingNode instead.
//
// What every node of the type-description walk knows: where it stands, the options of the walk,
// the name its message is described under, and the misuse most recently recorded at it (a second
// container, a second single value, list elements of different types), which the walk records
// rather than throws, as the container calls concerned cannot throw.
class AbstractProtoNode {
public:
    AbstractProtoNode(std::string encodedType, CodingPath codingPath, std::shared_ptr<const UserInfo> userInfo)
        : codingPath_(std::move(codingPath)), userInfo_(std::move(userInfo)), encodedType_(std::move(encodedType)) {}
    virtual ~AbstractProtoNode() = default;

    AbstractProtoNode(const AbstractProtoNode&) = delete;
    AbstractProtoNode& operator=(const AbstractProtoNode&) = delete;

    const CodingPath& nodePath() const { return codingPath_; }
    const std::shared_ptr<const UserInfo>& sharedUserInfo() const { return userInfo_; }
    const std::string& encodedType() const { return encodedType_; }

    const std::optional<ProtobufEncodingError>& encodingError() const { return encodingError_; }
    void recordError(ProtobufEncodingError error) { encodingError_.emplace(std::move(error)); }

private:
    CodingPath codingPath_;
    std::shared_ptr<const UserInfo> userInfo_;
    std::string encodedType_;
    std::optional<ProtobufEncodingError> encodingError_;
};

} // namespace coding
