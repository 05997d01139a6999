#pragma once

#include "app/platform/RandomSource.h"

namespace lumenscroll {

// The system's random source.
class SystemRandom final : public RandomSource {
public:
    int below(int upperBound) override;
};

} // namespace lumenscroll
