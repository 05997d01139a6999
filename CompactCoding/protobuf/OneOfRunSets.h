#pragma once

#include "CompactCoding/protobuf/OneOfRuns.h"
#include "coding/KeySet.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace coding {

class ProtoKeyedDecoder;

// What one read of a oneof knows of its cases: their runs (OneOfRuns) for each key set the
// enumeration reads itself through, each read once, whichever of its reads asks first. The
// enumeration reads itself once for every run, so that a case replaced is read as well; a set
// that lists runs anew for each of those reads makes the oneof quadratic in them.
//
// The oneof's own keys outlive its read. Any other set may die with the container it was given
// to (an enumeration may make its keys inside its decode, anew for each of its reads), so another
// set is known again by its keys, not by where it stands, and its runs point into a copy of it,
// which keeps those keys alive.
class OneOfRunSets {
public:
    // `message` holds the oneof's cases and outlives this; `ownKeys`, when given, name them and
    // outlive it too: their runs are read now.
    OneOfRunSets(const ProtoKeyedDecoder& message, const KeySet* ownKeys) : message_(&message), ownKeys_(ownKeys) {
        if (ownKeys_) {
            own_.read(message, *ownKeys_);
            count(own_);
        }
    }

    // The runs of the oneof's own keys (none when it has none).
    const OneOfRuns& own() const { return own_; }
    // How many times the enumeration reads itself: once for each run of the set with the most,
    // as far as its reads have asked for sets, and at least once.
    std::size_t reads() const { return mostRuns_ == 0 ? 1 : mostRuns_; }
    // The runs of the cases `keys` names, read on the first asking for a set of the same keys.
    const OneOfRuns& of(const KeySet& keys);

private:
    struct Other {
        explicit Other(const KeySet& keys) : keys(keys) {}
        KeySet keys; // a copy, which keeps the keys the runs point at
        OneOfRuns runs;
    };

    static bool sameKeys(const KeySet& a, const KeySet& b);
    void count(const OneOfRuns& runs) { mostRuns_ = std::max(mostRuns_, runs.runs().size()); }

    const ProtoKeyedDecoder* message_;
    const KeySet* ownKeys_;
    OneOfRuns own_;
    std::vector<std::unique_ptr<Other>> others_; // each in a block of its own: containers point at it
    std::size_t mostRuns_ = 0;
};

} // namespace coding
