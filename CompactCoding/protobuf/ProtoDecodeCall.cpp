#include "CompactCoding/protobuf/ProtoDecodeCall.h"

#include "coding/DecodingError.h"

#include <algorithm>

namespace coding {

namespace {

const CodingPath rootPath;

} // namespace

ProtoDecodeCall::ProtoDecodeCall(const UserInfo& userInfo)
    : codingPath_(std::shared_ptr<void>(), &rootPath), userInfo_(std::shared_ptr<void>(), &userInfo) {}

bool ProtoDecodeCall::isKnown(const std::uint8_t* list) const {
    return std::binary_search(known_.begin(), known_.end(), list);
}

void ProtoDecodeCall::learnGuesses() {
    if (passes_ == 2)
        throw DecodingError::dataCorrupted(*codingPath_, "Premature end of data");
    ++passes_;
    known_.insert(known_.end(), guessed_.begin(), guessed_.end());
    guessed_.clear();
    std::sort(known_.begin(), known_.end());
    known_.erase(std::unique(known_.begin(), known_.end()), known_.end());
}

} // namespace coding
