#include "CompactCoding/protobuf/ProtoElementReader.h"

#include "coding/DecodingError.h"

namespace coding {

const ProtoOccurrence& ProtoElementReader::currentOccurrence(const CodingPath& path) const {
    if (index_ == occurrences_.size())
        throw DecodingError::dataCorrupted(path, "Premature end of data");
    return occurrences_[index_];
}

std::span<const std::uint8_t> ProtoElementReader::nextValue(DataType dataType, const CodingPath& path) {
    if (!isField_) {
        if (dataType == DataType::variableLength)
            return ProtoOccurrence::readPayload(bytes_, index_, path);
        return ProtoOccurrence::readValue(bytes_, index_, dataType, path).bytes();
    }
    if (dataType == DataType::variableLength) {
        const ProtoOccurrence& occurrence = currentOccurrence(path);
        if (occurrence.wireType != DataType::variableLength || packedOffset_ != 0)
            unexpectedWireType(occurrence.wireType, path);
        nextOccurrence();
        return occurrence.bytes();
    }
    // A number: in an occurrence of its own or in a packed run, where the numbers lie back to back
    // in the payload. An empty run holds none: when only empty runs were left, the list's end was
    // taken for an element. The decode that made the list is read again, and this run reads on past
    // a zero.
    const std::size_t first = index_;
    passEmptyRuns();
    if (index_ == occurrences_.size() && index_ != first && call_) {
        call_->guessedWrong(occurrences_.front().data, frame_);
        static constexpr std::uint8_t zeros[8] = {};
        std::size_t index = 0;
        return ProtoOccurrence::readValue(zeros, index, dataType, path).bytes();
    }
    const ProtoOccurrence& occurrence = currentOccurrence(path);
    std::span<const std::uint8_t> value;
    if (occurrence.wireType == dataType && packedOffset_ == 0) {
        nextOccurrence();
        value = occurrence.bytes();
    } else {
        if (occurrence.wireType != DataType::variableLength)
            unexpectedWireType(occurrence.wireType, path);
        const auto run = occurrence.bytes();
        std::size_t offset = packedOffset_;
        value = ProtoOccurrence::readValue(run, offset, dataType, path).bytes();
        packedOffset_ = static_cast<std::uint32_t>(offset);
        if (offset == run.size())
            nextOccurrence();
    }
    // The elements are numbers: an empty run after this one holds nothing more.
    passEmptyRuns();
    return value;
}

std::span<const std::uint8_t> ProtoElementReader::nextPayload(const CodingPath& path) {
    if (!isField_)
        return ProtoOccurrence::readPayload(bytes_, index_, path);
    const ProtoOccurrence& occurrence = currentOccurrence(path);
    if (occurrence.wireType != DataType::variableLength || packedOffset_ != 0)
        unexpectedWireType(occurrence.wireType, path);
    nextOccurrence();
    return occurrence.bytes();
}

} // namespace coding
