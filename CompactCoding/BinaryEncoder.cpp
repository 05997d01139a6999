#include "CompactCoding/BinaryEncoder.h"

#include "CompactCoding/EncodingArena.h"
#include "CompactCoding/EncodingNode.h"
#include "CompactCoding/UserInfoFlag.h"

#include <algorithm>
#include <string>

namespace coding {

UserInfo BinaryEncoder::effectiveUserInfo() const {
    UserInfo info = userInfo;
    if (sortKeysDuringEncoding)
        info.insert_or_assign(std::string(sortUserInfoKey), true);
    if (prependNilIndexSetForUnkeyedContainers)
        info.insert_or_assign(std::string(nilIndicesUserInfoKey), true);
    return info;
}

void BinaryEncoder::encodeItem(const EncodeItem& item, Form form, std::vector<std::uint8_t>& out) const {
    // The root path and the options are shared by every node of the call without counting
    // references: the arena keeps the options alive as long as any node may read them.
    static const CodingPath emptyPath;
    const std::shared_ptr<const CodingPath> rootPath(std::shared_ptr<void>(), &emptyPath);
    const EncodingArena::Lease lease;
    auto options = std::make_shared<const UserInfo>(effectiveUserInfo());
    const std::shared_ptr<const UserInfo> sharedOptions(std::shared_ptr<void>(), options.get());
    lease.arena().keepAlive(std::move(options));

    EncodingNode root(rootPath, sharedOptions, item.category == ValueCategory::optional, lease.arena());
    item.encode(root);
    if (!root.container())
        throw EncodingError::invalidValue(
            std::string(item.typeName),
            ErrorContext{{}, "Top-level " + std::string(item.typeName) + " did not encode any values.", nullptr});
    const auto container = root.completedContainer(item.typeName);

    // Sizes first: they are what can still fail, and they let the buffer grow once.
    const std::size_t size =
        form == Form::whole ? container->dataSize() : container->dataWithLengthPrefixSize();
    if (out.capacity() - out.size() < size)
        out.reserve(std::max(out.size() + size, 2 * out.capacity())); // a stream appends many

    if (form == Form::whole)
        container->appendData(out);
    else
        container->appendDataWithLengthPrefix(out);
}

} // namespace coding
