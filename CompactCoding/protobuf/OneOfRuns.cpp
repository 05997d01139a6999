#include "CompactCoding/protobuf/OneOfRuns.h"

#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"

namespace coding {

void OneOfRuns::read(const ProtoKeyedDecoder& message, const KeySet& keys) {
    isRead_ = true;
    cases_ = message.keysIn(keys);
    if (cases_.size() == 1) {
        runs_.push_back({cases_.front(), message.occurrences(cases_.front())});
        return;
    }
    // The cases' occurrences merged in the order they stand: their bytes lie in the message's (or
    // its parts', which stand in order too), so where they start tells the order.
    std::vector<std::span<const ProtoOccurrence>> left;
    for (const CodingKey& key : cases_)
        left.push_back(message.occurrences(key));
    for (;;) {
        std::size_t next = left.size();
        for (std::size_t i = 0; i < left.size(); ++i)
            if (!left[i].empty() && (next == left.size() || left[i].front().data < left[next].front().data))
                next = i;
        if (next == left.size())
            return;
        // This case's occurrences up to the next one of another case.
        const std::uint8_t* other = nullptr;
        for (std::size_t i = 0; i < left.size(); ++i)
            if (i != next && !left[i].empty() && (!other || left[i].front().data < other))
                other = left[i].front().data;
        std::size_t count = 1;
        while (count < left[next].size() && (!other || left[next][count].data < other))
            ++count;
        runs_.push_back({cases_[next], left[next].first(count)});
        left[next] = left[next].subspan(count);
    }
}

} // namespace coding
