#include "app/shell/WindowAccessor.h"

#include <QEvent>
#include <QPlatformSurfaceEvent>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace lumenscroll {

WindowAccessor::WindowMonitor::WindowMonitor(std::function<void(QWindow*)> onChange)
    : onChange(std::move(onChange)) {}

WindowAccessor::WindowMonitor::~WindowMonitor() {
    stopObserving();
}

void WindowAccessor::WindowMonitor::observe(QWindow* window) {
    if (window == nullptr || std::any_of(observed_.begin(), observed_.end(),
                                         [&](const Observed& o) { return o.window == window; })) {
        return;
    }
    observed_.push_back({window, nullptr});
    window->installEventFilter(this);
}

// Every way of closing a window ends in a close event delivered to it, and a close the window
// accepts destroys its surface before that delivery returns; a refused one leaves it. The event
// alone cannot tell the two apart, as the window decides after every filter has seen it, so the
// close is told when the surface goes while the request is still being delivered. A marker
// deleted later stands for "still being delivered": Qt deletes it only once control is back in
// the event loop the request came from, not in a loop nested in the close handler (a question
// asked before closing), by when the window has decided.
bool WindowAccessor::WindowMonitor::eventFilter(QObject* watched, QEvent* event) {
    const auto entry = std::find_if(observed_.begin(), observed_.end(),
                                    [&](const Observed& o) { return o.window == watched; });
    if (entry == observed_.end()) {
        return false;
    }
    if (event->type() == QEvent::Close) {
        entry->closeRequested = new QObject(this);
        entry->closeRequested->deleteLater();
        return false;
    }
    const bool surfaceGoes = event->type() == QEvent::PlatformSurface &&
                             static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                                 QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed;
    if (surfaceGoes && entry->closeRequested) {
        stopObserving();
        // The callback may destroy this monitor, and its callback with it.
        const std::function<void(QWindow*)> callback = onChange;
        if (callback) {
            callback(nullptr);
        }
    }
    return false;
}

void WindowAccessor::WindowMonitor::stopObserving() {
    for (Observed& o : observed_) {
        if (o.window) {
            o.window->removeEventFilter(this);
        }
        delete o.closeRequested;
    }
    observed_.clear();
}

} // namespace lumenscroll
