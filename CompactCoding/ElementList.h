#pragma once

#include "CompactCoding/ArenaAllocator.h"
#include "CompactCoding/ArenaBytes.h"
#include "CompactCoding/DataType.h"
#include "CompactCoding/EncodingContainer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace coding {

// The elements of a list, each in its length-prefixed form, in the order they were added. A
// primitive's bytes are written at once into one buffer; a nested container is kept where it
// was added and asked for its bytes only when the list's are, so that what is written into it
// later still counts.
class ElementList {
public:
    explicit ElementList(EncodingArena& arena) : bytes_(arena), nested_(ArenaAllocator<Nested>(arena)) {}

    std::size_t count() const { return count_; }
    bool empty() const { return count_ == 0; }

    // The value's length prefix (for variableLength) and its bytes.
    void appendPrimitive(DataType dataType, std::span<const std::uint8_t> bytes);
    void appendContainer(std::shared_ptr<EncodingContainer> container);

    // All elements one after the other (the list's content without any header of its own).
    std::size_t dataSize() const;
    void appendData(std::vector<std::uint8_t>& out) const;

    // Whether every element has nothing to write (true for no elements).
    bool isEmpty() const;

private:
    struct Nested {
        std::size_t offset; // in bytes_, where the container's bytes go
        std::shared_ptr<EncodingContainer> container;
    };

    ArenaBytes bytes_;
    ArenaVector<Nested> nested_;
    std::size_t count_ = 0;
};

} // namespace coding
