#pragma once

#include <QDateTime>

namespace lumenscroll {

// The local date and time, for what is named or stamped by it (the backups of stored values):
// reached only through AppContext, so that a test says what time it is.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

} // namespace lumenscroll
