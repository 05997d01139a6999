#pragma once

#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "coding/CodingKey.h"
#include "coding/KeySet.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace coding {

class ProtoKeyedDecoder;

// A oneof's cases as they stand among a message's fields: runs of occurrences of one case each, in
// the order written. As in protobuf, a case written after another replaces it, and the occurrences
// of one case next to each other make one value (the last of them for a scalar, all of them merged
// for a message): the last run is the oneof's value, and the runs before it are values replaced.
// A oneof mostly has one case on the wire, or none: that takes no memory of its own.
class OneOfRuns {
public:
    struct Run {
        const CodingKey* key; // of the keys the runs were read for, which outlive them
        std::span<const ProtoOccurrence> occurrences; // of the message's, which outlives the runs
    };

    // Finds the runs of the cases `keys` names in `message`; both outlive the runs.
    void read(const ProtoKeyedDecoder& message, const KeySet& keys);
    // How many runs `read` has listed since the program started, of oneofs with more than one (a
    // single run is kept without listing): what tests count the work of reading oneofs by.
    static std::uint64_t runsListed() { return listed_.load(std::memory_order_relaxed); }

    // Every run, the oneof's value last.
    std::span<const Run> runs() const {
        return runs_.empty() ? std::span<const Run>(&only_, hasOnly_ ? 1 : 0) : std::span<const Run>(runs_);
    }
    // The cases present, in the order first met.
    std::span<const CodingKey* const> cases() const {
        return cases_.empty() ? std::span<const CodingKey* const>(&only_.key, hasOnly_ ? 1 : 0)
                              : std::span<const CodingKey* const>(cases_);
    }

private:
    static inline std::atomic<std::uint64_t> listed_{0};

    bool hasOnly_ = false;
    Run only_{nullptr, {}}; // the run of the one case present, when only one is
    std::vector<Run> runs_; // when more are
    std::vector<const CodingKey*> cases_;
};

} // namespace coding
