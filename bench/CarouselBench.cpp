// The carousel of reading pages with many pages open: "New Page" and the close button, through
// the real widgets of the main view (on the offscreen platform), each run until its page is on
// screen and every reaction to it has run. The pages that stay keep their widgets, so the
// cost is that of the one page added or closed, and of the save that each makes. And the
// preferences and the About panel opened over the current page, until the window has painted
// them.

#include "app/reading/UserSettings.h"
#include "app/shell/CarouselView.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/MediaMoviePlayer.h"
#include "testing/platform/BuiltResources.h"
#include "testing/platform/SilencedTrace.h"
#include "testing/platform/TestAppContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDateTime>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

using namespace lumenscroll;

// The main view with `pages` pages of Genesis 1 open, the first one as the carousel opens it on
// a first run.
class Bench {
public:
    explicit Bench(std::int64_t pages)
        : app_(LUMENSCROLL_RESOURCE_DIR) {
        // The program's clock: the resources were built a while ago.
        app_.fixedClock().set(QDateTime::currentDateTime());
        widget_ = std::make_unique<MainViewWidget>(view_, nullptr, &movie_);
        widget_->show();
        app_.manualScheduler().advance(MainView::firstSelectionDelay);
        settle();
        while (pageCount() < pages) {
            addPage();
            pause();
        }
    }

    static bool hasText() {
        return !testing::builtResourceDirectory({QStringLiteral("01창세기.txt")}).isEmpty();
    }

    std::int64_t pageCount() const { return static_cast<std::int64_t>(settings_.roles->size()); }

    void addPage() {
        button("newPageButton")->click();
        settle();
    }
    void closePage() {
        button("closePageButton")->click();
        settle();
    }
    // Presses a button of the main view's bar and lets the window paint what it changed.
    void pressAndPaint(const char* name) {
        button(name)->click();
        settle();
        QCoreApplication::processEvents();
    }
    // The overview that "New Page" leaves ends.
    void showCurrentPage() {
        view_.carousel().tapPage();
        settle();
        QCoreApplication::processEvents();
    }
    // What a user leaves between two presses: the close's delayed work runs out, and the
    // event loop deletes the widgets of a closed page.
    void pause() {
        app_.manualScheduler().advance(CarouselView::deleteProcessDuration);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    void settle() { app_.manualScheduler().runReady(); }
    QAbstractButton* button(const char* name) const {
        return widget_->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    TestAppContext app_;
    SilencedTrace silenced_;
    UserSettings settings_;
    bool pagesRestored_ = false;
    MainView view_{settings_, app_.context(), Binding<bool>::to(pagesRestored_)};
    // The program's one movie player, done with the intro movie.
    MediaMoviePlayer movie_;
    std::unique_ptr<MainViewWidget> widget_;
};

// With `range(0)` pages open, times `timed` and then runs `untimed`, which brings the pages
// back to as many.
template <class Timed, class Untimed> void pageComesAndGoes(benchmark::State& state, Timed timed, Untimed untimed) {
    if (!Bench::hasText()) {
        state.SkipWithError("the Korean text resources were not built");
        return;
    }
    Bench bench(state.range(0));
    for (auto _ : state) {
        timed(bench);
        state.PauseTiming();
        untimed(bench);
        state.ResumeTiming();
    }
    if (bench.pageCount() != state.range(0)) {
        state.SkipWithError("the pages did not come and go");
    }
}

void BM_AddPage(benchmark::State& state) {
    pageComesAndGoes(
        state, [](Bench& bench) { bench.addPage(); },
        [](Bench& bench) {
            bench.closePage();
            bench.pause();
        });
}
BENCHMARK(BM_AddPage)->Arg(20)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ClosePage(benchmark::State& state) {
    pageComesAndGoes(
        state, [](Bench& bench) { bench.closePage(); },
        [](Bench& bench) {
            bench.pause();
            bench.addPage();
        });
}
BENCHMARK(BM_ClosePage)->Arg(20)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// With `range(0)` pages open and the current one on screen, the press of the bar's button
// `name` until the window has painted the panel it opens; pressed again untimed, it closes.
void panelOpens(benchmark::State& state, const char* name) {
    if (!Bench::hasText()) {
        state.SkipWithError("the Korean text resources were not built");
        return;
    }
    Bench bench(state.range(0));
    bench.showCurrentPage();
    for (auto _ : state) {
        bench.pressAndPaint(name);
        state.PauseTiming();
        bench.pressAndPaint(name);
        bench.pause();
        state.ResumeTiming();
    }
}

void BM_OpenPreferences(benchmark::State& state) {
    panelOpens(state, "settingsButton");
}
BENCHMARK(BM_OpenPreferences)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenAbout(benchmark::State& state) {
    panelOpens(state, "aboutButton");
}
BENCHMARK(BM_OpenAbout)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
