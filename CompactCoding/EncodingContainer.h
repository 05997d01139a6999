#pragma once

#include "CompactCoding/CodingKeyWrapper.h"
#include "CompactCoding/DataType.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace coding {

// Every encoded piece of an encoding tree: a primitive, a container, a node, a key standing as a
// value. Bytes are not built per piece and copied upwards: a parent asks its children for their
// sizes (to write its length prefixes) and then has each append its bytes once into the one
// output buffer.
//
// Ask for sizes and bytes only when the tree is complete: a container may keep the sizes it
// computed. The size members throw EncodingError for a piece that cannot be written (a value
// that opened no container); the append members are called after the matching size member and
// do not throw.
class EncodingContainer {
public:
    virtual ~EncodingContainer() = default;

    // The piece's own bytes, without key and without its own length prefix.
    virtual std::size_t dataSize() const = 0;
    virtual void appendData(std::vector<std::uint8_t>& out) const = 0;

    // How the piece is framed under a key.
    virtual DataType dataType() const { return DataType::variableLength; }

    // Nothing to write; the protobuf form leaves such values out.
    virtual bool isEmpty() const = 0;
    // A protobuf repeated field or map: one occurrence per element or entry under its key, so
    // when it has none nothing tells that it is there.
    virtual bool isRepeated() const { return false; }
    // Holds nothing but a nil: a single value given nil or an absent optional. A protobuf list or
    // map has no way to write one.
    virtual bool isNil() const { return false; }

    // A record of primitives has its data written out in one buffer already. Once nothing but its
    // parent holds it (no handle kept to write into it later), a parent may copy that data as a
    // variable-length value's and let the piece go. False for every other piece.
    virtual bool writtenData(std::span<const std::uint8_t>& data) const {
        (void)data;
        return false;
    }

    // The piece as a list element, stream element or the payload of an optional: the byte count
    // before the data when the piece is variable-length, the data alone otherwise.
    virtual std::size_t dataWithLengthPrefixSize() const;
    virtual void appendDataWithLengthPrefix(std::vector<std::uint8_t>& out) const;

    // The piece as one keyed entry: by default its one occurrence (below). A protobuf repeated
    // field or map writes one occurrence per element or entry instead.
    virtual std::size_t sizeWithKey(const CodingKeyWrapper& key) const;
    virtual void appendWithKey(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const;

    // The piece as one occurrence under a key: the key's header for the piece's data type, then
    // the data with its length prefix.
    std::size_t occurrenceSize(const CodingKeyWrapper& key) const {
        return key.headerSize(dataType()) + dataWithLengthPrefixSize();
    }
    void appendOccurrence(const CodingKeyWrapper& key, std::vector<std::uint8_t>& out) const {
        key.appendHeader(dataType(), out);
        appendDataWithLengthPrefix(out);
    }

    // The same forms as buffers of their own.
    std::vector<std::uint8_t> data() const;
    std::vector<std::uint8_t> dataWithLengthPrefix() const;
    std::vector<std::uint8_t> encodeWithKey(const CodingKeyWrapper& key) const;
};

} // namespace coding
