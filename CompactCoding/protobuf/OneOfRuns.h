#pragma once

#include "CompactCoding/protobuf/ProtoOccurrence.h"
#include "coding/CodingKey.h"
#include "coding/KeySet.h"

#include <cstddef>
#include <span>
#include <vector>

namespace coding {

class ProtoKeyedDecoder;

// A oneof's cases as they stand among a message's fields: runs of occurrences of one case each, in
// the order written. As in protobuf, a case written after another replaces it, and the occurrences
// of one case next to each other make one value (the last of them for a scalar, all of them merged
// for a message): the last run is the oneof's value, and the runs before it are values replaced.
class OneOfRuns {
public:
    struct Run {
        CodingKey key;
        std::span<const ProtoOccurrence> occurrences; // of the message's, which outlives the runs
    };

    bool isRead() const { return isRead_; }
    // Finds the runs of the cases `keys` names in `message`.
    void read(const ProtoKeyedDecoder& message, const KeySet& keys);

    // Every run, the oneof's value last.
    const std::vector<Run>& runs() const { return runs_; }
    // The cases present, in the order first met.
    const std::vector<CodingKey>& cases() const { return cases_; }

private:
    bool isRead_ = false;
    std::vector<Run> runs_;
    std::vector<CodingKey> cases_;
};

} // namespace coding
