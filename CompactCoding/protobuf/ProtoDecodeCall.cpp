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
    for (Frame* active = top_; active; active = active->outer_) {
        marked = active;
        if (active->id_ == frame)
            break;
    }
    if (marked)
        marked->marked_ = true;
}

bool ProtoDecodeCall::mustRunAgain(Frame& frame, bool threw) {
    // Only a run that learned a place can read differently the next time.
    if ((threw || !frame.outer_) && numbers_.size() > frame.knownBefore_)
        return true;
    if (frame.outer_)
        frame.outer_->marked_ = true;
    return false;
}

} // namespace coding
