#pragma once

#include "CompactCoding/AbstractNode.h"
#include "CompactCoding/ArenaAllocator.h"

#include <memory>
#include <utility>

namespace coding {

// The base of the encoding nodes and containers. `containsOptional`: the node stands for a value
// of optional type, or nil was encoded into it; its single value then carries a marker byte.
// Every node of one encode takes its memory from the encode's arena.
class AbstractEncodingNode : public AbstractNode {
public:
    AbstractEncodingNode(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                         bool containsOptional, EncodingArena& arena)
        : AbstractNode(std::move(codingPath), std::move(userInfo)), containsOptional_(containsOptional),
          arena_(&arena) {}

    bool containsOptional() const { return containsOptional_; }
    void setContainsOptional(bool containsOptional) { containsOptional_ = containsOptional; }

    EncodingArena& arena() const { return *arena_; }

    // A child node or container in this encode's arena; it takes its memory users into account.
    template <class Node, class... Arguments>
    std::shared_ptr<Node> makeNode(Arguments&&... arguments) const {
        return std::allocate_shared<Node>(ArenaAllocator<Node>(*arena_), std::forward<Arguments>(arguments)...,
                                          *arena_);
    }

    // Any other object in this encode's arena.
    template <class T, class... Arguments>
    std::shared_ptr<T> makeInArena(Arguments&&... arguments) const {
        return std::allocate_shared<T>(ArenaAllocator<T>(*arena_), std::forward<Arguments>(arguments)...);
    }

private:
    bool containsOptional_;
    EncodingArena* arena_;
};

} // namespace coding
