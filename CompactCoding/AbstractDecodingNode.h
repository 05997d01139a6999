#pragma once

#include "CompactCoding/AbstractNode.h"

#include <cstdint>
#include <memory>

namespace coding {

// The base of every decoding node and container. Besides the path and the options it counts how
// deeply the value it reads is nested: a recursive type fed hostile data would otherwise recurse
// until the stack runs out, so a node deeper than maxNestingDepth is refused as corrupt data.
class AbstractDecodingNode : public AbstractNode {
public:
    static constexpr std::uint32_t maxNestingDepth = 256;

    // How deep a format lets values nest, and what it says past that.
    struct NestingLimit {
        std::uint32_t maxDepth;
        const char* message;
    };
    static constexpr NestingLimit compactNestingLimit{maxNestingDepth, "Data nested too deeply"};

    // Throws the data-corrupted error of `limit` past its depth. Every nested value makes a node and
    // a container: built inline, with only the fault out of line.
    AbstractDecodingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                         std::uint32_t depth, const NestingLimit& limit = compactNestingLimit)
        : AbstractNode(std::move(codingPath), std::move(userInfo)), depth_(depth) {
        if (depth_ > limit.maxDepth)
            tooDeep(limit);
    }

    std::uint32_t depth() const { return depth_; }

private:
    [[noreturn]] void tooDeep(const NestingLimit& limit) const;

    std::uint32_t depth_;
};

} // namespace coding
