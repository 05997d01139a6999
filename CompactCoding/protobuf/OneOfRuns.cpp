#include "CompactCoding/protobuf/OneOfRuns.h"

#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"

namespace coding {

void OneOfRuns::read(const ProtoKeyedDecoder& message, const KeySet& keys) {
    hasOnly_ = false;
    runs_.clear();
    cases_.clear();
    // The cases present, each once (keys of one number name one field), and their occurrences.
    std::vector<std::span<const ProtoOccurrence>> left;
    for (const CodingKey& key : keys.keys()) {
        const std::span<const ProtoOccurrence> occurrences = message.occurrences(key);
        if (occurrences.empty())
            continue;
        const auto isSame = [&](const CodingKey* other) {
            return key.intValue ? other->intValue == key.intValue : KeySet::same(*other, key);
        };
        if (!hasOnly_) {
            only_ = Run{&key, occurrences};
            hasOnly_ = true;
            continue;
        }
        if (isSame(only_.key))
            continue;
        if (cases_.empty()) {
            cases_.push_back(only_.key);
            left.push_back(only_.occurrences);
        }
        bool known = false;
        for (const CodingKey* other : cases_)
            known = known || isSame(other);
        if (known)
            continue;
        cases_.push_back(&key);
        left.push_back(occurrences);
    }
    if (cases_.empty())
        return;
    // Several cases: their occurrences merged in the order they stand. Their bytes lie in the
    // message's (or its parts', which stand in order too), so where they start tells the order.
    // The cases go in the order first met.
    const std::vector<const CodingKey*> byKeys = std::move(cases_);
    cases_.clear();
    std::vector<bool> met(byKeys.size());
    for (;;) {
        std::size_t next = left.size();
        for (std::size_t i = 0; i < left.size(); ++i)
            if (!left[i].empty() && (next == left.size() || left[i].front().data < left[next].front().data))
                next = i;
        if (next == left.size()) {
            listed_.fetch_add(runs_.size(), std::memory_order_relaxed);
            return;
        }
        // This case's occurrences up to the next one of another case.
        const std::uint8_t* other = nullptr;
        for (std::size_t i = 0; i < left.size(); ++i)
            if (i != next && !left[i].empty() && (!other || left[i].front().data < other))
                other = left[i].front().data;
        std::size_t count = 1;
        while (count < left[next].size() && (!other || left[next][count].data < other))
            ++count;
        if (!met[next]) {
            met[next] = true;
            cases_.push_back(byKeys[next]);
        }
        runs_.push_back({byKeys[next], left[next].first(count)});
        left[next] = left[next].subspan(count);
    }
}

} // namespace coding
