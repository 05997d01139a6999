#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDecodeCall.h"

#include <cstdint>

namespace coding {

// How deeply protobuf values may nest before the data counts as hostile: 100 messages within the
// root, whatever lies between them. Every node counts a level, but a message's container stands at
// the next whole step of four (protobufMessageDepth): the nodes between one message and the next
// (a list and its element, a map's value, an optional, a oneof and its case; never more than
// three where protobuf can define the data) are paid for by the step. Nodes nested without a
// message in between still count a level each, so no data nests past the limit's levels.
inline constexpr std::uint32_t protobufLevelsPerMessage = 4;
inline constexpr std::uint32_t protobufMaxMessageDepth = 100;
inline constexpr AbstractDecodingNode::NestingLimit protobufNestingLimit{
    protobufMaxMessageDepth * protobufLevelsPerMessage + protobufLevelsPerMessage - 1, "Nesting too deep"};
// The depth of a message's container made at `depth`.
constexpr std::uint32_t protobufMessageDepth(std::uint32_t depth) {
    return (depth + protobufLevelsPerMessage - 1) / protobufLevelsPerMessage * protobufLevelsPerMessage;
}

// The base of the protobuf decoder's nodes and containers: the decode call they are part of, whose
// path and options they carry, and their depth.
class AbstractProtoDecodingNode : public AbstractDecodingNode {
public:
    AbstractProtoDecodingNode(ProtoDecodeCall& call, std::uint32_t depth,
                              const NestingLimit& limit = protobufNestingLimit)
        : AbstractDecodingNode(call.codingPath(), call.userInfo(), depth, limit), call_(&call) {}

    ProtoDecodeCall& call() const { return *call_; }

private:
    ProtoDecodeCall* call_;
};

} // namespace coding
