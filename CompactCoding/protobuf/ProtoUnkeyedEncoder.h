#pragma once

#include "CompactCoding/AbstractEncodingNode.h"
#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/EncodingContainer.h"
#include "coding/UnkeyedEncodingContainer.h"

#include <cstdint>
#include <limits>
#include <memory>

namespace coding {

// Bytes, not definitions: the list ProtobufEncoder writes a repeated field with. Its twin
// UnkeyedProtoEncoder only describes a repeated field for ProtobufDefinition.
//
// A list in the protobuf-compatible form. Under a message field it is a repeated field: numbers
// (varint, four- and eight-byte elements) packed into one length-delimited occurrence, anything
// length-delimited (text, bytes, messages, nested lists and maps) one occurrence per element. As a
// root, a value of a map or a oneof, or an element of another list, it is its elements back to
// back, each length-delimited one with its byte count. Elements keep their default bytes; whether
// the list is packed is decided by its first element, and primitives of another wire type than
// the first element's are refused.
class ProtoUnkeyedEncoder final : public AbstractEncodingNode,
                                  public UnkeyedEncodingContainerBox,
                                  public EncodingContainer {
public:
    ProtoUnkeyedEncoder(std::shared_ptr<const CodingPath> codingPath, std::shared_ptr<const UserInfo> userInfo,
                        EncodingArena& arena);

    // UnkeyedEncodingContainerBox
    const CodingPath& codingPath() const override { return AbstractNode::codingPath(); }
    std::int64_t count() const override { return static_cast<std::int64_t>(elements_.size()); }
    // Throws nilValuesNotSupported, as does an absent optional given as an element.
    void encodeNil() override;
    void encode(const EncodeItem& item) override;
    std::shared_ptr<KeyedEncodingContainerBox> nestedContainer(const KeySet& keys) override;
    std::shared_ptr<UnkeyedEncodingContainerBox> nestedUnkeyedContainer() override;
    std::shared_ptr<Encoder> superEncoder() override;

    // EncodingContainer
    std::size_t dataSize() const override;
    void appendData(std::vector<std::uint8_t>& out) const override;
    bool isEmpty() const override { return elements_.empty(); }
    bool isRepeated() const override { return true; }
    std::size_t sizeWithKey(const CodingKeyWrapper& key) const override;
    void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const override;

private:
    static constexpr std::size_t unknownSize = std::numeric_limits<std::size_t>::max();

    struct Element {
        std::uint32_t offset; // a primitive's bytes in bytes_, with its byte count when length-delimited
        std::uint32_t length;
        DataType dataType;
        std::shared_ptr<EncodingContainer> nested; // null for a primitive
    };

    void append(std::shared_ptr<EncodingContainer> container);
    DataType firstDataType() const;
    // Whether the elements go one occurrence each rather than packed.
    bool isOccurrencePerElement() const { return !elements_.empty() && firstDataType() == DataType::variableLength; }
    std::size_t elementSize(const Element& element) const;
    void appendElement(const Element& element, std::vector<std::uint8_t>& out) const;

    ArenaBytes bytes_;
    ArenaVector<Element> elements_;
    mutable std::size_t cachedSize_ = unknownSize;
};

} // namespace coding
