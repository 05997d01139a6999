#include "CompactCoding/AbstractDecodingNode.h"

#include "coding/DecodingError.h"

namespace coding {

void AbstractDecodingNode::tooDeep(const NestingLimit& limit) const {
    throw DecodingError::dataCorrupted(codingPath(), limit.message);
}

} // namespace coding
