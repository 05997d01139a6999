#pragma once

#include "app/platform/Scheduler.h"

#include <QElapsedTimer>

namespace lumenscroll {

// The scheduler of a running application: Qt's event loop and timers.
class QtScheduler final : public Scheduler {
public:
    QtScheduler() { clock_.start(); }
    void post(QObject* context, Task task) override;
    void postAfter(QObject* context, std::chrono::milliseconds delay, Task task) override;
    [[nodiscard]] Subscription repeatEvery(QObject* context, std::chrono::milliseconds interval,
                                           Task task) override;
    std::chrono::milliseconds now() const override;

private:
    QElapsedTimer clock_;
};

} // namespace lumenscroll
