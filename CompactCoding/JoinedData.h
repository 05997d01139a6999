#pragma once

#include "CompactCoding/ElementList.h"

#include <cstdint>
#include <vector>

namespace coding {

// The elements of a list one after the other, each in its length-prefixed form; nothing for no
// elements.
inline std::size_t joinedDataSize(const ElementList& elements) { return elements.dataSize(); }
inline void appendJoinedData(const ElementList& elements, std::vector<std::uint8_t>& out) {
    elements.appendData(out);
}
inline std::vector<std::uint8_t> joinedData(const ElementList& elements) {
    std::vector<std::uint8_t> out;
    out.reserve(elements.dataSize());
    elements.appendData(out);
    return out;
}

} // namespace coding
