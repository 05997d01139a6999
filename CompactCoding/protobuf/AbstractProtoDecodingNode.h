#pragma once

#include "CompactCoding/AbstractDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDecodeCall.h"

#include <cstdint>

namespace coding {

// How deeply protobuf values may nest before the data counts as hostile: 100 messages read from the
// bytes within the root, whatever lies between them, as protobuf reads them. Every node counts a
// level, but the container of a message read from the bytes stands at the next whole step of four
// (protobufMessageDepth): the nodes between one message and the next (a list and its element, a
// map's value, an optional, a oneof and its case; never more than three where protobuf can define
// the data) are paid for by the step, and a message past the hundredth step is refused. A message
// of defaults, built for a field absent on the wire, is read from no bytes and enters no message:
// it counts one level, as every other node does. Nodes past the last step, nested without a message
// in between or records of defaults within each other, have room for as many levels again as a
// type can nest them, and no more, so that no data and no record type nests without bound.
inline constexpr std::uint32_t protobufLevelsPerMessage = 4;
inline constexpr std::uint32_t protobufMaxMessageDepth = 100;
inline constexpr AbstractDecodingNode::NestingLimit protobufMessageNestingLimit{
    protobufMaxMessageDepth * protobufLevelsPerMessage, "Nesting too deep"};
inline constexpr AbstractDecodingNode::NestingLimit protobufNestingLimit{
    protobufMessageNestingLimit.maxDepth + protobufLevelsPerMessage - 1 + protobufMaxMessageDepth, "Nesting too deep"};
// The depth of the container of a message read from the bytes, made at `depth`.
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
