#include "app/shell/WindowAccessor.h"

#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

using WindowMonitor = WindowAccessor::WindowMonitor;

// The monitors alive, for a close one of them delivers to tell every monitor of its window.
std::vector<WindowMonitor*>& liveMonitors() {
    static std::vector<WindowMonitor*> monitors;
    return monitors;
}

std::uint64_t nextObservation() {
    static std::uint64_t last = 0;
    return ++last;
}

} // namespace

WindowAccessor::WindowMonitor::WindowMonitor(std::function<void(QWindow*)> onChange)
    : onChange(std::move(onChange)) {
    liveMonitors().push_back(this);
}

WindowAccessor::WindowMonitor::~WindowMonitor() {
    stopObserving();
    std::erase(liveMonitors(), this);
}

void WindowAccessor::WindowMonitor::observe(QWindow* window) {
    std::erase_if(observed_, [](const Observed& o) { return o.window.isNull(); });
    if (window == nullptr || observing(window) != nullptr) {
        return;
    }
    observed_.push_back({window, nextObservation()});
    window->installEventFilter(this);
}

const WindowAccessor::WindowMonitor::Observed*
WindowAccessor::WindowMonitor::observing(const QObject* window) const {
    const auto entry = std::find_if(observed_.begin(), observed_.end(),
                                    [&](const Observed& o) { return o.window == window; });
    return entry == observed_.end() ? nullptr : &*entry;
}

// Whether a close goes ahead is the window's answer to its close event: every way of closing
// sends it one, and the window (through its widget's close handler, which may ask a question in
// an event loop of its own first) accepts or refuses it before the delivery returns. A filter
// sees the event before that, and nothing the window does afterwards tells a refusal apart from
// other things (a refused close followed by destroying the surface looks like one that went
// ahead), so the window's first observer delivers the event itself and reads the answer.
bool WindowAccessor::WindowMonitor::eventFilter(QObject* watched, QEvent* event) {
    const Observed* mine = observing(watched);
    if (event->type() != QEvent::Close || mine == nullptr) {
        return false;
    }
    struct Listener {
        QPointer<WindowMonitor> monitor;
        std::uint64_t ended;
    };
    std::vector<Listener> listeners;
    for (WindowMonitor* monitor : liveMonitors()) {
        const Observed* theirs = monitor->observing(watched);
        if (theirs == nullptr) {
            continue;
        }
        if (theirs->since < mine->since) {
            // An earlier observer, still to see the event, delivers it.
            return false;
        }
        listeners.push_back({monitor, monitor->ended_});
    }

    // The window, its widget and this monitor may all be gone once the window has answered.
    watched->event(event);
    if (!event->isAccepted()) {
        return true;
    }
    for (const Listener& listener : listeners) {
        if (listener.monitor && listener.monitor->ended_ == listener.ended) {
            listener.monitor->tellClosed();
        }
    }
    return true;
}

void WindowAccessor::WindowMonitor::tellClosed() {
    stopObserving();
    // The callback may destroy this monitor, and its callback with it.
    const std::function<void(QWindow*)> callback = onChange;
    if (callback) {
        callback(nullptr);
    }
}

void WindowAccessor::WindowMonitor::stopObserving() {
    for (const Observed& o : observed_) {
        if (o.window) {
            o.window->removeEventFilter(this);
        }
    }
    observed_.clear();
    ++ended_;
}

} // namespace lumenscroll
