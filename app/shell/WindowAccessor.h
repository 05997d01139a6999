#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>

class QEvent;
class QWindow;

namespace lumenscroll {

// Hands its owner a window, or no window once the one it had has gone.
struct WindowAccessor {
    std::function<void(QWindow*)> onChange;

    // Tells that an observed window closes, however the close was asked for: the window system's
    // close button, QWidget::close() on the window's widget, QWindow::close(). A close the window
    // refuses (its widget ignores the close event) is none, whatever happens to the window after
    // it: only a close that goes ahead is told. The first close told ends every observation, so a
    // window shown and closed again is not told twice; hiding, showing, resizing and destroying
    // the window's surface are no close. Every monitor observing the window is told. A monitor
    // destroyed first is never called, and a window deleted while observed is let go.
    //
    // The callback runs once the window has carried out its close (its surface is gone), before
    // the code that asked for the close goes on, as a close handler would. It may destroy its
    // monitor or any other, and delete the window or its widget, except in the close that deleting
    // that widget makes (a shown widget deleted is closed first, and that close is told).
    //
    // To learn the window's answer, a monitor hands the close event to the window itself and reads
    // whether it was accepted: event filters the window had before it was first observed are
    // passed over for close events. Main thread only.
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
        struct Observed {
            QPointer<QWindow> window;
            // When this window's observation began, among all monitors': the first observer of a
            // window delivers its close events, the other filters of the window having seen them.
            std::uint64_t since = 0;
        };

        const Observed* observing(const QObject* window) const;
        void stopObserving();
        // The close of an observed window went ahead.
        void tellClosed();

        std::vector<Observed> observed_;
        // Counts the observations this monitor ended: a monitor told while a close was delivered
        // is not told again by the close it was inside.
        std::uint64_t ended_ = 0;
    };
};

} // namespace lumenscroll
