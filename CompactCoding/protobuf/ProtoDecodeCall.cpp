#include "CompactCoding/protobuf/ProtoDecodeCall.h"

namespace coding {

namespace {

const CodingPath rootPath;

} // namespace

ProtoDecodeCall::ProtoDecodeCall(const UserInfo& userInfo)
    : codingPath_(std::shared_ptr<void>(), &rootPath), userInfo_(std::shared_ptr<void>(), &userInfo) {}

void ProtoDecodeCall::guessedWrong(Place place, FrameId frame) {
    numbers_.insert(place);
    // The frame the list was made in reads it; once that has ended, only the whole value, read
    // again from the start, makes the list anew.
    Frame* marked = top_;
    for (Frame* active = top_; active; active = active->outer) {
        marked = active;
        if (active->id == frame)
            break;
    }
    if (marked)
        marked->marked = true;
}

bool ProtoDecodeCall::leave(Frame& frame, bool threw) {
    top_ = frame.outer;
    if (!frame.marked)
        return false;
    // Only a run that learned a place can read differently the next time.
    if ((threw || !frame.outer) && numbers_.size() > frame.knownBefore)
        return true;
    if (frame.outer)
        frame.outer->marked = true;
    return false;
}

} // namespace coding
