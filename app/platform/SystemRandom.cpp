#include "app/platform/SystemRandom.h"

#include <QRandomGenerator>

namespace lumenscroll {

int SystemRandom::below(int upperBound) {
    return upperBound <= 1 ? 0 : QRandomGenerator::global()->bounded(upperBound);
}

} // namespace lumenscroll
