#include "CompactCoding/protobuf/ProtoDictPair.h"

#include "CompactCoding/protobuf/IntKeyWrapper.h"

namespace coding {

std::size_t ProtoDictPair::entriesSize(std::span<const ProtoDictPair> entries, const CodingKeyWrapper* field) {
    const std::size_t tagSize = field ? field->headerSize(DataType::variableLength) : 0;
    std::size_t size = 0;
    for (const ProtoDictPair& entry : entries)
        size += tagSize + entry.dataWithLengthPrefixSize();
    return size;
}

void ProtoDictPair::appendEntries(std::span<const ProtoDictPair> entries, const CodingKeyWrapper* field,
                                  std::vector<std::uint8_t>& out) {
    for (const ProtoDictPair& entry : entries) {
        if (field)
            entry.appendOccurrence(*field, out);
        else
            entry.appendDataWithLengthPrefix(out);
    }
}

std::size_t ProtoDictPair::dataSize() const {
    if (cachedSize_ == std::numeric_limits<std::size_t>::max())
        cachedSize_ = key_.container().occurrenceSize(IntKeyWrapper::field(1)) +
                      value_.container().occurrenceSize(IntKeyWrapper::field(2));
    return cachedSize_;
}

void ProtoDictPair::appendData(std::vector<std::uint8_t>& out) const {
    key_.container().appendOccurrence(IntKeyWrapper::field(1), out);
    value_.container().appendOccurrence(IntKeyWrapper::field(2), out);
}

} // namespace coding
