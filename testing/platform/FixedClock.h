#pragma once

#include "app/platform/Clock.h"

#include <QDate>
#include <QTime>

namespace lumenscroll {

// Stands still at whatever time the test set: one fixed morning until it is set (tests).
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }

private:
    QDateTime now_{QDate(2024, 3, 1), QTime(9, 15, 0)};
};

} // namespace lumenscroll
