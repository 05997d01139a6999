#pragma once

namespace lumenscroll {

// Random choices (a title photo for a new page).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly chosen integer in [0, upperBound); 0 when upperBound is 1 or less, so a
    // caller choosing from an empty list gets an index it must still check.
    virtual int below(int upperBound) = 0;
};

} // namespace lumenscroll
