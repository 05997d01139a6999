#pragma once

#include "CompactCoding/DataType.h"
#include "CompactCoding/protobuf/ProtoDecodeCall.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "coding/CodingKey.h"

#include <cstdint>
#include <span>

namespace coding {

// Where the elements of a protobuf list are read from, one after the other, in one of two forms:
//  - a repeated field: its occurrences, each holding one element or (for numbers) a packed run of
//    them; numbers are read alike from packed runs and from occurrences of their own. A run may be
//    empty: it holds no number, where an empty occurrence is an element (empty text, a message of
//    defaults) for anything else. A list whose element type is known passes empty runs over (numbers)
//    or takes every occurrence for an element (texts, bytes, messages) and asks nothing more. Any
//    other passes them over once it knows its elements are numbers: from the number just read, or
//    from what the call learned about the place of the field's first occurrence (ProtoDecodeCall);
//    until then it takes an empty run for an element;
//  - a list standing alone (a root, a value of a map or a oneof, an element of another list): the
//    elements back to back, each length-delimited one behind its byte count.
// The occurrences and bytes are views; their owner outlives the reader. The reader keeps nothing of
// the key set or container its field was read through.
class ProtoElementReader {
public:
    // What a list's type tells of its elements.
    enum class Elements : std::uint8_t { unknown, numbers, lengthDelimited };

    // The list of a message's field. One of unknown elements asked for a number where only empty
    // runs are left has guessed wrong: it tells `call`, which outlives it, for the frame it was made
    // in, and hands out a zero as the last element.
    static ProtoElementReader repeatedField(std::span<const ProtoOccurrence> occurrences, ProtoDecodeCall& call,
                                            Elements elements = Elements::unknown) {
        ProtoElementReader reader;
        reader.occurrences_ = occurrences;
        reader.isField_ = true;
        if (elements == Elements::unknown) {
            reader.call_ = &call;
            reader.frame_ = call.currentFrame();
            if (!occurrences.empty() && call.holdsNumbers(occurrences.front().data))
                elements = Elements::numbers;
        }
        if (elements == Elements::numbers)
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
    // Back to where it stood at `position`, for a value read again from the same bytes.
    void restore(std::uint64_t position) {
        index_ = static_cast<std::size_t>(position >> 32);
        packedOffset_ = static_cast<std::uint32_t>(position);
    }

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
    ProtoDecodeCall* call_ = nullptr;  // of a repeated field of unknown elements
    ProtoDecodeCall::FrameId frame_ = 0; // the same
    std::span<const std::uint8_t> bytes_;
    std::size_t index_ = 0;        // of the next occurrence, or of the next byte
    std::uint32_t packedOffset_ = 0; // within the current occurrence's packed run
    bool isField_ = false;
};

} // namespace coding
