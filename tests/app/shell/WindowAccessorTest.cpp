#include "app/shell/WindowAccessor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
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
constexpr Path everyPath[] = {Path::windowSystem, Path::widgetClose, Path::windowClose};

// Asks for the close, and returns as soon as the window has answered: `window` may be gone then.
void askToClose(Path path, QWindow& window) {
    switch (path) {
    case Path::windowSystem: {
        // What the window system's close button delivers.
        QCloseEvent close;
        QCoreApplication::sendEvent(&window, &close);
        break;
    }
    case Path::widgetClose:
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == &window) {
                widget->close();
                break;
            }
        }
        break;
    case Path::windowClose:
        window.close();
        break;
    }
}

void closeBy(Path path, ClosingWidget& widget) {
    askToClose(path, *widget.windowHandle());
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

TEST_F(WindowMonitorTest, ARefusedCloseIsNoneWhateverFollowsIt) {
    // Asked from here, outside any event loop, so that control never goes back to the loop the
    // request came from; the surface then goes at once, or after an event loop of its own.
    for (const Path path : everyPath) {
        for (const bool loopBetween : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "path " << static_cast<int>(path) << ", loop " << loopBetween);
            ClosingWidget window;
            window.answer = Answer::refuse;
            window.show();
            calls = 0;
            WindowMonitor closing([this](QWindow*) { ++calls; });
            closing.observe(window.windowHandle());
            askToClose(path, *window.windowHandle());
            if (loopBetween) {
                QEventLoop later;
                QTimer::singleShot(50, &later, &QEventLoop::quit);
                later.exec();
            }
            window.windowHandle()->destroy();
            EXPECT_EQ(calls, 0);
        }
    }
}

TEST_F(WindowMonitorTest, TheCallbackMayDeleteTheWindowItWasToldAbout) {
    for (const Path path : everyPath) {
        SCOPED_TRACE(::testing::Message() << "path " << static_cast<int>(path));
        // A widget's window, deleted with its widget, and a window of its own.
        auto* widget = new ClosingWidget;
        widget->show();
        const QPointer<ClosingWidget> widgetAlive(widget);
        calls = 0;
        WindowMonitor closing([&](QWindow*) {
            ++calls;
            delete widget;
        });
        closing.observe(widget->windowHandle());
        askToClose(path, *widget->windowHandle());
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(widgetAlive.isNull());

        if (path == Path::widgetClose) {
            continue;
        }
        auto* window = new QWindow;
        window->show();
        const QPointer<QWindow> windowAlive(window);
        WindowMonitor own([&](QWindow*) {
            ++calls;
            delete window;
        });
        own.observe(window);
        askToClose(path, *window);
        EXPECT_EQ(calls, 2);
        EXPECT_TRUE(windowAlive.isNull());
    }
}

// Counts the close events its object receives.
class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        closes += event->type() == QEvent::Close ? 1 : 0;
        return false;
    }
};

TEST_F(WindowMonitorTest, EveryMonitorOfAWindowIsToldOnceAndMayDestroyAnother) {
    int others = 0;
    CloseCounter between;
    widget.windowHandle()->installEventFilter(&between);
    auto second = std::make_unique<WindowMonitor>([&](QWindow*) { ++others; });
    auto third = std::make_unique<WindowMonitor>([&](QWindow*) { ++others; });
    second->observe(widget.windowHandle());
    third->observe(widget.windowHandle());
    monitor->onChange = [&](QWindow*) {
        ++calls;
        third.reset();
    };
    widget.close();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(others, 1);
    // A filter the window took after it was first observed sees the close as ever.
    EXPECT_EQ(between.closes, 1);
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
