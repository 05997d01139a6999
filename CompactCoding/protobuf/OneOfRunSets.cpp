#include "CompactCoding/protobuf/OneOfRunSets.h"

#include <algorithm>

namespace coding {

const OneOfRuns& OneOfRunSets::of(const KeySet& keys) {
    if (ownKeys_ && (&keys == ownKeys_ || sameKeys(keys, *ownKeys_)))
        return own_;
    for (const std::unique_ptr<Other>& other : others_)
        if (sameKeys(keys, other->keys))
            return other->runs;
    Other& other = *others_.emplace_back(std::make_unique<Other>(keys));
    other.runs.read(*message_, other.keys);
    count(other.runs);
    return other.runs;
}

bool OneOfRunSets::sameKeys(const KeySet& a, const KeySet& b) {
    // One table is one set of keys while a set holding it lives, as `b` does here.
    if (a.identity() == b.identity())
        return true;
    const std::vector<CodingKey>& keysOfA = a.keys();
    const std::vector<CodingKey>& keysOfB = b.keys();
    return a.kind() == b.kind() &&
           std::equal(keysOfA.begin(), keysOfA.end(), keysOfB.begin(), keysOfB.end(), KeySet::same);
}

} // namespace coding
