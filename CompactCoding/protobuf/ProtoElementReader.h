#pragma once

#include "CompactCoding/DataType.h"
#include "CompactCoding/protobuf/ProtoDecodeCall.h"
#include "CompactCoding/protobuf/ProtoListField.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "coding/CodingKey.h"

#include <cstdint>
#include <span>

namespace coding {

// Where the elements of a protobuf list are read from, one after the other, in one of two forms:
//  - a repeated field: its occurrences, each holding one element or (for numbers) a packed run of
//    them; numbers are read alike from packed runs and from occurrences of their own. A run may be
//    empty: it holds no number, where an empty occurrence is an element (empty text, a message of
//    defaults) for anything else, so empty runs are passed over once the reader knows its
//    elements are numbers (from the list's type, from the number just read, or from an earlier
//    pass of the decode over a list of the same field: ProtoDecodeCall);
//  - a list standing alone (a root, a value of a map or a oneof, an element of another list): the
//    elements back to back, each length-delimited one behind its byte count.
// The occurrences and bytes are views; their owner outlives the reader.
class ProtoElementReader {
public:
    // The list of `field`. `packedElements`: the elements are numbers. Without it, the reader takes
    // an empty run for an element until it is asked for a number, unless `call` knows the lists of
    // the field to hold numbers. One asked for a number where only empty runs are left has guessed
    // wrong: it tells `call`, which outlives it, and hands out a zero as the last element.
    static ProtoElementReader repeatedField(std::span<const ProtoOccurrence> occurrences, ProtoDecodeCall& call,
                                            const ProtoListField& field, bool packedElements = false) {
        ProtoElementReader reader;
        reader.occurrences_ = occurrences;
        reader.call_ = &call;
        reader.field_ = field;
        reader.isField_ = true;
        if (packedElements || (!occurrences.empty() && call.holdsNumbers(field)))
            reader.passEmptyRuns();
        return reader;
    }
    static ProtoElementReader elements(std::span<const std::uint8_t> bytes) {
        ProtoElementReader reader;
        reader.bytes_ = bytes;
        return reader;
    }

    bool atEnd() const { return isField_ ? index_ == occurrences_.size() : index_ == bytes_.size(); }
    // Moves with every read; equal before and after a read that took nothing.
    std::uint64_t position() const { return (std::uint64_t{index_} << 32) | packedOffset_; }

    // The bytes of the next value of `dataType` (text and bytes without their count). A value of
    // another wire type than the list holds is the data-corrupted error "Unexpected data type N".
    std::span<const std::uint8_t> nextValue(DataType dataType, const CodingPath& path);
    // The next length-delimited value's payload: a message, a list or map standing as an element.
    std::span<const std::uint8_t> nextPayload(const CodingPath& path);

private:
    ProtoElementReader() = default;

    const ProtoOccurrence& currentOccurrence(const CodingPath& path) const;
    void nextOccurrence() {
        ++index_;
        packedOffset_ = 0;
    }
    // Moves past the empty runs that come next.
    void passEmptyRuns() {
        while (packedOffset_ == 0 && index_ < occurrences_.size() &&
               occurrences_[index_].wireType == DataType::variableLength && occurrences_[index_].size == 0)
            ++index_;
    }

    std::span<const ProtoOccurrence> occurrences_;
    ProtoDecodeCall* call_ = nullptr; // of a repeated field
    ProtoListField field_;            // of a repeated field
    std::span<const std::uint8_t> bytes_;
    std::size_t index_ = 0;        // of the next occurrence, or of the next byte
    std::uint32_t packedOffset_ = 0; // within the current occurrence's packed run
    bool isField_ = false;
};

} // namespace coding
