#pragma once

#include "coding/CodingKey.h"
#include "coding/UserInfo.h"

#include <memory>
#include <utility>

namespace coding {

// What every node and container of the compact coders knows: where it stands and the options of
// the call. Both are fixed at creation. They are shared, not copied, because one call makes a
// node per nested value and almost all of them carry their parent's path and options unchanged.
class AbstractNode {
public:
    AbstractNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo)
        : codingPath_(std::move(codingPath)), userInfo_(std::move(userInfo)) {}
    AbstractNode(CodingPath codingPath, UserInfo userInfo)
        : AbstractNode(std::make_shared<const CodingPath>(std::move(codingPath)),
                       std::make_shared<const UserInfo>(std::move(userInfo))) {}
    virtual ~AbstractNode() = default;

    AbstractNode(const AbstractNode&) = delete;
    AbstractNode& operator=(const AbstractNode&) = delete;

    const CodingPath& codingPath() const { return *codingPath_; }
    const UserInfo& userInfo() const { return *userInfo_; }

    // For handing the same path and options on to a child.
    const std::shared_ptr<const CodingPath>& sharedCodingPath() const { return codingPath_; }
    const std::shared_ptr<const UserInfo>& sharedUserInfo() const { return userInfo_; }

    // This node's path followed by `key`, for a child that stands under a key.
    std::shared_ptr<const CodingPath> codingPathAppending(const CodingKey& key) const {
        auto path = std::make_shared<CodingPath>();
        path->reserve(codingPath_->size() + 1);
        *path = *codingPath_;
        path->push_back(key);
        return path;
    }

private:
    std::shared_ptr<const CodingPath> codingPath_;
    std::shared_ptr<const UserInfo> userInfo_;
};

} // namespace coding
