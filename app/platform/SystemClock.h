#pragma once

#include "app/platform/Clock.h"

namespace lumenscroll {

// The system's local time.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

} // namespace lumenscroll
