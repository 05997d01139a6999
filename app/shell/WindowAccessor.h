#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QEvent;
class QWindow;

namespace lumenscroll {

// Hands its owner a window, or no window once the one it had has gone.
struct WindowAccessor {
    std::function<void(QWindow*)> onChange;

    // Tells when an observed window is about to close, however the close was asked for: the
    // window system's close button, QWidget::close() on the window's widget, QWindow::close().
    // A close the window refuses (its widget ignores the close event) is none: only a close that
    // goes ahead is told. The first close told ends every observation, so a window shown and
    // closed again is not told twice; hiding, showing and resizing are no close. A monitor
    // destroyed first is never called, and a window deleted while observed is let go.
    class WindowMonitor : public QObject {
    public:
        // There is no monitor without its callback.
        explicit WindowMonitor(std::function<void(QWindow*)> onChange);
        ~WindowMonitor() override;
        WindowMonitor(const WindowMonitor&) = delete;
        WindowMonitor& operator=(const WindowMonitor&) = delete;

        // From now until the first close, a close of `window` calls onChange(nullptr) once.
        // Observing a window already observed adds nothing.
        void observe(QWindow* window);

        std::function<void(QWindow*)> onChange;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void stopObserving();

        struct Observed {
            QPointer<QWindow> window;
            // Alive from a close request until control is back in the event loop that delivered
            // it: while it lives, the window's surface going away is that close going ahead.
            QPointer<QObject> closeRequested;
        };
        std::vector<Observed> observed_;
    };
};

} // namespace lumenscroll
