#pragma once

#include "CarouselViewTestSupport.h"
#include "FakeMoviePlayer.h"

#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"

#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <Qt>

#include <cstdint>
#include <memory>

class QWidget;

namespace lumenscroll {

class BibleViewWidget;
class CarouselView;
class MainBarButton;
class MainViewWidget;
class SearchBibleViewWidget;

namespace testing {

// The program's own window, past its start-up screen, with input delivered to it as the window
// system delivers it: clicks at the point in the window where the target is drawn, keys and text
// to the window handle. Each launch is a run of its own, in a home of its own.
class ProgramWindowTest : public CarouselTest {
protected:
    // Made the active window once the main view is up, as a window manager or a first click
    // does; drawn scaled down when `scaled`.
    void launch(bool scaled = false);
    // The program quit as the user quits it (Ctrl+Q), and launched again in the same home.
    void relaunch();
    // Another window active for a moment, and then the program's again.
    void turnAwayAndBack();
    // The work the event loop and the scheduler have ready, done.
    void settle();

    MainViewWidget& main() const;
    CarouselView& carousel() const;
    BibleViewWidget* page() const;
    MainBarButton* bar(std::int64_t index) const;
    // The search page of the page on screen, while it is open.
    SearchBibleViewWidget* searchPage() const;
    // How far the verses of the page on screen are scrolled.
    int scrolled() const;

    // Where a point of the content stands in the window, scaled or not.
    QPoint inWindow(const QWidget* widget, QPoint at) const;
    // A click at `at` in `widget` (its centre by default).
    void click(const QWidget* widget, QPoint at = QPoint(-1, -1));
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Text typed a character at a time.
    void type(const QString& text);

    struct Run {
        // A run in `home` as the last run there left it.
        explicit Run(const QString& home)
            : context(TestAppContext::inHome(home, builtResourceDirectory())) {}

        std::unique_ptr<TestAppContext> context;
        TestAppContext& test{*context};
        LumenscrollApp app{test.context()};
        FakeMoviePlayer movie;
    };
    // The home of the runs since the last launch.
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<Run> run;
    // Goes before the run it draws.
    std::unique_ptr<LumenscrollAppWidget> window;

private:
    // A run in the home, its window past the start-up screen.
    void start(bool scaled);
};

} // namespace testing
} // namespace lumenscroll
