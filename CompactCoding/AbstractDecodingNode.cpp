#include "CompactCoding/AbstractDecodingNode.h"

#include "coding/DecodingError.h"

namespace coding {

AbstractDecodingNode::AbstractDecodingNode(std::shared_ptr<const CodingPath> codingPath,
                                           std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth,
                                           const NestingLimit& limit)
    : AbstractNode(std::move(codingPath), std::move(userInfo)), depth_(depth) {
    if (depth_ > limit.maxDepth)
        throw DecodingError::dataCorrupted(this->codingPath(), limit.message);
}

} // namespace coding
