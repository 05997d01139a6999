#include "CompactCoding/protobuf/ProtobufEncoder.h"

#include "CompactCoding/EncodingArena.h"
#include "CompactCoding/protobuf/ProtoDictEncodingNode.h"
#include "CompactCoding/protobuf/ProtoEncodingNode.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"

#include <memory>

namespace coding {

void ProtobufEncoder::encodeItem(const EncodeItem& item, std::vector<std::uint8_t>& out) const {
    // The root path and the options are shared by every node of the call without counting
    // references: the arena keeps the options alive as long as any node may read them.
    static const CodingPath emptyPath;
    const std::shared_ptr<const CodingPath> rootPath(std::shared_ptr<void>(), &emptyPath);
    const EncodingArena::Lease lease;
    auto options = std::make_shared<const UserInfo>(userInfo);
    const std::shared_ptr<const UserInfo> sharedOptions(std::shared_ptr<void>(), options.get());
    lease.arena().keepAlive(std::move(options));

    std::unique_ptr<ProtoEncodingNode> root =
        item.isMap ? std::make_unique<ProtoDictEncodingNode>(rootPath, sharedOptions, lease.arena())
                   : std::make_unique<ProtoEncodingNode>(rootPath, sharedOptions, lease.arena());
    item.encode(*root);
    if (!root->container())
        throw ProtobufEncodingError(ProtobufEncodingError::Kind::noContainersAccessed);
    out.reserve(root->dataSize());
    root->appendData(out);
}

} // namespace coding
