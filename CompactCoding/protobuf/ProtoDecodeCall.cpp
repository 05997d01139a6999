#include "CompactCoding/protobuf/ProtoDecodeCall.h"

#include <algorithm>
#include <iterator>

namespace coding {

namespace {

const CodingPath rootPath;

} // namespace

ProtoDecodeCall::ProtoDecodeCall(const UserInfo& userInfo)
    : codingPath_(std::shared_ptr<void>(), &rootPath), userInfo_(std::shared_ptr<void>(), &userInfo) {}

std::vector<ProtoDecodeCall::Learned>::const_iterator ProtoDecodeCall::find(const std::vector<Learned>& fields,
                                                                            const ProtoListField& field) {
    const void* keys = field.keys->identity();
    return std::lower_bound(fields.begin(), fields.end(), field,
                            [keys](const Learned& learned, const ProtoListField& sought) {
                                return learned.isBefore(keys, sought.number);
                            });
}

bool ProtoDecodeCall::isKnown(const ProtoListField& field) const {
    const auto found = find(known_, field);
    return found != known_.end() && found->is(field.keys->identity(), field.number);
}

void ProtoDecodeCall::guessedWrong(const ProtoListField& field) {
    // Only a field not known can guess wrong; ignoring any other keeps every pass that guessed wrong
    // learning something new, so that the passes end.
    if (isKnown(field))
        return;
    const auto place = find(guessed_, field);
    if (place != guessed_.end() && place->is(field.keys->identity(), field.number))
        return;
    guessed_.insert(place, Learned{field.keys->identity(), field.number, *field.keys});
}

bool ProtoDecodeCall::learnGuesses() {
    if (guessed_.empty())
        return false;
    std::vector<Learned> merged;
    merged.reserve(known_.size() + guessed_.size());
    std::merge(std::make_move_iterator(known_.begin()), std::make_move_iterator(known_.end()),
               std::make_move_iterator(guessed_.begin()), std::make_move_iterator(guessed_.end()),
               std::back_inserter(merged),
               [](const Learned& a, const Learned& b) { return a.isBefore(b.keys, b.number); });
    known_ = std::move(merged);
    guessed_.clear();
    return true;
}

} // namespace coding
