#include "app/shell/WindowAccessor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

using WindowMonitor = WindowAccessor::WindowMonitor;

// How the window's widget answers a close.
enum class Answer { accept, refuse, hideInstead, askFirst };

class ClosingWidget : public QWidget {
public:
    Answer answer = Answer::accept;

protected:
    void closeEvent(QCloseEvent* event) override {
        switch (answer) {
        case Answer::accept:
            event->accept();
            return;
        case Answer::refuse:
            event->ignore();
            return;
        case Answer::hideInstead:
            event->ignore();
            hide();
            return;
        case Answer::askFirst: {
            // A question shown before closing runs an event loop of its own.
            QEventLoop question;
            QTimer::singleShot(0, &question, &QEventLoop::quit);
            question.exec();
            event->accept();
            return;
        }
        }
    }
};

enum class Path { windowSystem, widgetClose, windowClose };

void closeBy(Path path, ClosingWidget& widget) {
    switch (path) {
    case Path::windowSystem: {
        // What the window system's close button delivers.
        QCloseEvent close;
        QCoreApplication::sendEvent(widget.windowHandle(), &close);
        break;
    }
    case Path::widgetClose:
        widget.close();
        break;
    case Path::windowClose:
        widget.windowHandle()->close();
        break;
    }
    QCoreApplication::processEvents();
}

class WindowMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget.resize(200, 100);
        widget.show();
        monitor->observe(widget.windowHandle());
    }

    ClosingWidget widget;
    int calls = 0;
    std::unique_ptr<WindowMonitor> monitor = std::make_unique<WindowMonitor>([this](QWindow* window) {
        EXPECT_EQ(window, nullptr);
        ++calls;
    });
};

TEST_F(WindowMonitorTest, EveryWayOfClosingIsToldOnlyWhenTheCloseGoesAhead) {
    const struct {
        Path path;
        Answer answer;
        int calls;
    } cases[] = {
        {Path::windowSystem, Answer::accept, 1},     {Path::widgetClose, Answer::accept, 1},
        {Path::windowClose, Answer::accept, 1},      {Path::windowSystem, Answer::askFirst, 1},
        {Path::widgetClose, Answer::askFirst, 1},    {Path::windowClose, Answer::askFirst, 1},
        {Path::windowSystem, Answer::refuse, 0},     {Path::widgetClose, Answer::refuse, 0},
        {Path::windowClose, Answer::refuse, 0},      {Path::windowSystem, Answer::hideInstead, 0},
        {Path::widgetClose, Answer::hideInstead, 0}, {Path::windowClose, Answer::hideInstead, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "path " << static_cast<int>(c.path) << ", answer " << static_cast<int>(c.answer));
        ClosingWidget window;
        window.answer = c.answer;
        window.show();
        calls = 0;
        WindowMonitor closing([this](QWindow*) { ++calls; });
        closing.observe(window.windowHandle());
        closeBy(c.path, window);
        EXPECT_EQ(calls, c.calls);

        // A refused close leaves the window observed: the one that goes ahead is told.
        window.answer = Answer::accept;
        window.show();
        closeBy(c.path, window);
        EXPECT_EQ(calls, 1);
        // Destroying the window's surface after the close was refused is no close.
        if (c.calls == 0) {
            calls = 0;
            window.answer = Answer::refuse;
            window.show();
            WindowMonitor again([this](QWindow*) { ++calls; });
            again.observe(window.windowHandle());
            closeBy(c.path, window);
            window.windowHandle()->destroy();
            EXPECT_EQ(calls, 0);
        }
    }
}

TEST_F(WindowMonitorTest, OnlyTheFirstCloseIsToldForEveryWindowObserved) {
    ClosingWidget other;
    other.show();
    monitor->observe(other.windowHandle());
    monitor->observe(widget.windowHandle());
    widget.close();
    EXPECT_EQ(calls, 1);
    widget.show();
    widget.close();
    other.close();
    EXPECT_EQ(calls, 1);
}

TEST_F(WindowMonitorTest, HidingShowingAndResizingAreNoClose) {
    widget.hide();
    widget.show();
    widget.resize(300, 200);
    widget.windowHandle()->resize(320, 240);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
    widget.close();
    EXPECT_EQ(calls, 1);
}

TEST_F(WindowMonitorTest, AMonitorDestroyedBeforeTheCloseIsNeverCalled) {
    monitor.reset();
    widget.close();
    EXPECT_EQ(calls, 0);
}

TEST_F(WindowMonitorTest, TheCallbackMayDestroyItsMonitor) {
    monitor->onChange = [this](QWindow*) {
        monitor.reset();
        ++calls;
    };
    widget.close();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(monitor, nullptr);
}

TEST_F(WindowMonitorTest, AWindowDeletedWhileObservedIsLetGo) {
    // A window of its own, deleted, closes nothing.
    auto* window = new QWindow;
    window->show();
    monitor->observe(window);
    delete window;
    EXPECT_EQ(calls, 0);

    // A shown widget deleted is closed first, and that close cannot be refused.
    auto* shown = new ClosingWidget;
    shown->answer = Answer::refuse;
    shown->show();
    monitor->observe(shown->windowHandle());
    delete shown;
    EXPECT_EQ(calls, 1);
    monitor.reset();
}

} // namespace
} // namespace lumenscroll
