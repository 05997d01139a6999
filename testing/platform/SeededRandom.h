#pragma once

#include "app/platform/RandomSource.h"

#include <QRandomGenerator>

namespace lumenscroll {

// The same sequence for the same seed, run after run (tests).
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(quint32 seed)
        : generator_(seed) {}
    int below(int upperBound) override { return upperBound <= 1 ? 0 : generator_.bounded(upperBound); }

private:
    QRandomGenerator generator_;
};

} // namespace lumenscroll
