#include "CompactCoding/ElementList.h"

#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/VariableLengthInteger.h"

#include <algorithm>
#include <cstring>

namespace coding {

void ElementList::appendPrimitive(DataType dataType, std::span<const std::uint8_t> bytes) {
    std::uint8_t* out = bytes_.room(maxVariableLengthSize + bytes.size());
    if (dataType == DataType::variableLength)
        out = writeVariableLength(bytes.size(), out);
    copyBytes(out, bytes.data(), bytes.size());
    bytes_.commit(out + bytes.size());
    ++count_;
}

void ElementList::appendContainer(std::shared_ptr<EncodingContainer> container) {
    nested_.push_back(Nested{bytes_.size(), std::move(container)});
    ++count_;
}

std::size_t ElementList::dataSize() const {
    std::size_t size = bytes_.size();
    for (const Nested& nested : nested_)
        size += nested.container->dataWithLengthPrefixSize();
    return size;
}

void ElementList::appendData(std::vector<std::uint8_t>& out) const {
    const std::uint8_t* base = bytes_.data();
    std::size_t written = 0;
    for (const Nested& nested : nested_) {
        out.insert(out.end(), base + written, base + nested.offset);
        written = nested.offset;
        nested.container->appendDataWithLengthPrefix(out);
    }
    out.insert(out.end(), base + written, base + bytes_.size());
}

bool ElementList::isEmpty() const {
    // A primitive element of the compact format always has something to write.
    if (count_ != nested_.size())
        return false;
    return std::all_of(nested_.begin(), nested_.end(), [](const Nested& n) { return n.container->isEmpty(); });
}

} // namespace coding
