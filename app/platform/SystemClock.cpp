#include "app/platform/SystemClock.h"

namespace lumenscroll {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

} // namespace lumenscroll
