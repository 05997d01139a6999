#include "CompactCoding/AbstractDecodingNode.h"

#include "coding/DecodingError.h"

namespace coding {

AbstractDecodingNode::AbstractDecodingNode(std::shared_ptr<const CodingPath> codingPath,
                                           std::shared_ptr<const UserInfo> userInfo, std::uint32_t depth)
    : AbstractNode(std::move(codingPath), std::move(userInfo)), depth_(depth) {
    if (depth_ > maxNestingDepth)
        throw DecodingError::dataCorrupted(this->codingPath(), "Data nested too deeply");
}

} // namespace coding
