#pragma once

#include "coding/CodingKey.h"
#include "coding/UserInfo.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace coding {

// What the nodes of one protobuf decode share: the call's path and options, what the call has
// learned about the places of the input that hold numbers, and the decodes it is running.
//
// A list read element by element by a record's own code, or by a list type of its own, is asked
// isAtEnd() before it is told what its elements are, and the bytes cannot always tell: an empty
// length-delimited occurrence is an element of a list of texts, bytes or messages, but an empty
// packed run, holding nothing, of a list of numbers. Such a list takes it for an element. When it is
// then asked for a number where only empty runs are left, it has guessed wrong: it says so
// (guessedWrong), hands out a zero and stands at its end, and the value is read on, no error passing
// through the record's code. The zero may still make the record's code fail (an element type that
// refuses it).
//
// What a wrong guess teaches is a fact about the input: the repeated field whose first occurrence
// starts at that byte holds numbers. The input lives for the whole call and a field's first
// occurrence starts where no other's does, so the place names the field, whatever record, key set
// or container read it; nothing of those is kept. Only such a fact decides an element count.
//
// Every decode of a type's own code from a node of its own (the root, a record, a list type, a map,
// a value of a oneof's case) runs in a frame (Frame, inFrame), and a list remembers the frame it was
// made in; a oneof's own decode reads in its record's frame. A wrong guess marks that frame
// (the outermost one when it has ended). A marked frame whose decode threw runs again, with what the
// call learned since it began: the decode is a function of its bytes and of what is known. A marked
// frame that returned (its code may have swallowed the error) hands its mark to the frame around
// it, so a value read wrong is mended by the nearest decode that failed on it or, at the latest,
// by the root's running again once for all the lessons of its pass: records within each other
// that all guess are then read twice each, not once for every record around them. A frame runs
// again only when the call learned a place during its run, so every frame runs a bounded number
// of times.
class ProtoDecodeCall {
public:
    using Place = const std::uint8_t*;
    using FrameId = std::uint64_t;

    explicit ProtoDecodeCall(const UserInfo& userInfo);
    ProtoDecodeCall(const ProtoDecodeCall&) = delete;
    ProtoDecodeCall& operator=(const ProtoDecodeCall&) = delete;

    // The nodes of one call, and the containers they hand out, live no longer than the call: they
    // borrow its path and options instead of counting references to them.
    const std::shared_ptr<const CodingPath>& codingPath() const { return codingPath_; }
    const std::shared_ptr<const UserInfo>& userInfo() const { return userInfo_; }

    // Runs `decode`, a decode of a type's own code, in a frame of its own, and runs it again while
    // a list guessed wrong in it and it threw (the root: whatever it did); returns what it returns,
    // throws what it throws. `decode` starts again from the same bytes each time.
    template <class Decode>
    auto inFrame(Decode&& decode) -> decltype(decode());

    // One run of a decode in a frame: made when the run begins, left when it ends.
    class Frame {
    public:
        explicit Frame(ProtoDecodeCall& call)
            : call_(call), id_(call.nextFrame_++), knownBefore_(call.numbers_.size()), outer_(call.top_) {
            call.top_ = this;
        }
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;

        // Leaves the frame; whether its decode must run again. One that does not hands a mark
        // outwards.
        bool leave(bool threw) {
            call_.top_ = outer_;
            return marked_ && call_.mustRunAgain(*this, threw);
        }

    private:
        friend class ProtoDecodeCall;
        ProtoDecodeCall& call_;
        FrameId id_;
        std::size_t knownBefore_; // places known when the run began
        Frame* outer_;
        bool marked_ = false;
    };

    // The frame a list made now belongs to.
    FrameId currentFrame() const { return top_ ? top_->id_ : 0; }
    // Whether a list whose field's first occurrence starts at `place` was found to hold numbers.
    bool holdsNumbers(Place place) const { return !numbers_.empty() && numbers_.count(place) != 0; }
    // A list of `frame` took the empty runs of the field at `place` for elements.
    void guessedWrong(Place place, FrameId frame);

private:
    bool mustRunAgain(Frame& frame, bool threw);

    std::shared_ptr<const CodingPath> codingPath_;
    std::shared_ptr<const UserInfo> userInfo_;
    std::unordered_set<Place> numbers_;
    Frame* top_ = nullptr;
    FrameId nextFrame_ = 1;
};

template <class Decode>
auto ProtoDecodeCall::inFrame(Decode&& decode) -> decltype(decode()) {
    using Value = decltype(decode());
    for (;;) {
        Frame frame(*this);
        try {
            if constexpr (std::is_void_v<Value>) {
                decode();
                if (!frame.leave(false))
                    return;
            } else {
                Value value = decode();
                if (!frame.leave(false))
                    return value;
            }
        } catch (...) {
            if (!frame.leave(true))
                throw;
        }
    }
}

} // namespace coding
