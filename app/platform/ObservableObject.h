#pragma once

#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/Subscription.h"

#include <QObject>

namespace lumenscroll {

// Base of a shared state object whose fields are Published<T>: every write to any of its
// fields emits objectWillChange() once, before the change, for widgets to connect to; the
// same announcement is available to plain C++ listeners (change watchers) through publisher().
// Subclasses need no Q_OBJECT of their own unless they add signals.
class ObservableObject : public QObject {
    Q_OBJECT

public:
    explicit ObservableObject(QObject* parent = nullptr);
    ~ObservableObject() override;

    ObjectWillChangePublisher& publisher() { return publisher_; }

signals:
    void objectWillChange();

private:
    ObjectWillChangePublisher publisher_;
    Subscription forwardToSignal_;
};

} // namespace lumenscroll
