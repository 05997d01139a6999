#include "app/platform/QtScheduler.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace lumenscroll {

namespace {

QObject* requireContext(QObject* context, const char* operation) {
    if (context == nullptr) {
        qFatal("QtScheduler::%s: work must be tied to a context object", operation);
    }
    return context;
}

} // namespace

void QtScheduler::post(QObject* context, Task task) {
    // A queued call is delivered through the context's event queue, which Qt clears when the
    // context is destroyed: that is the cancellation.
    QMetaObject::invokeMethod(requireContext(context, "post"), std::move(task), Qt::QueuedConnection);
}

void QtScheduler::postAfter(QObject* context, std::chrono::milliseconds delay, Task task) {
    QTimer::singleShot(delay, requireContext(context, "postAfter"), std::move(task));
}

Subscription QtScheduler::repeatEvery(QObject* context, std::chrono::milliseconds interval, Task task) {
    auto* timer = new QTimer(requireContext(context, "repeatEvery"));
    timer->setInterval(interval);
    QObject::connect(timer, &QTimer::timeout, context, std::move(task));
    timer->start();
    QPointer<QTimer> guard(timer);
    return Subscription([guard] {
        if (guard) {
            guard->stop();
            // Not deleted here: the subscription may be dropped from inside the timer's own call.
            guard->deleteLater();
        }
    });
}

std::chrono::milliseconds QtScheduler::now() const {
    return std::chrono::milliseconds{clock_.elapsed()};
}

} // namespace lumenscroll
