// The carousel of reading pages with many pages open: "New Page" and the close button, through
// the real widgets of the main view (on the offscreen platform), each run until its page is on
// screen and every reaction to it has run. The pages that stay keep their widgets, so the
// cost is that of the one page added or closed, and of the save that each makes. And the
// preferences and the About panel opened over the current page, until the window has painted
// them. And the marks on the page in front: a tap on a verse, a highlight and a bookmark, each
// until the window is drawn again, and a frame of a selected verse's shimmer; with one page open
// and with fifty, which should cost the same.

#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/CarouselViewWidget.h"
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
    // Out of the overview that "New Page" leaves, as "Bible" takes it: one press after another
    // button ends the overview, and with "Bible" already selected a press toggles it.
    void showOnePage() {
        for (int press = 0; press < 2 && (view_.index() != MainView::bibleIndex || view_.isShrinked()); ++press) {
            view_.bibleButtonPressed();
            pause();
        }
        settle();
        // The window is drawn only once the platform says it is exposed.
        QCoreApplication::processEvents();
    }
    // A widget of the page in front, by name.
    template <class Widget> Widget* onPageInFront(const char* name) const {
        const CarouselViewPageCell* cell =
            widget_->carouselView()->cell(static_cast<int>(view_.carousel().selectedTab()));
        return cell == nullptr ? nullptr : cell->page()->findChild<Widget*>(QString::fromLatin1(name));
    }
    // Taps the verse, presses a button of the bar under it, or draws a frame: then the window
    // is drawn, as the next frame on screen would be.
    void tapVerse(const char* row) {
        emit onPageInFront<BibleContentCellWidget>(row)->tapped();
        settle();
        widget_->repaint();
    }
    void press(const char* barButton) {
        onPageInFront<QAbstractButton>(barButton)->click();
        settle();
        widget_->repaint();
    }
    void drawFrame(const char* row) { onPageInFront<BibleContentCellWidget>(row)->repaint(); }

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
    bench.showOnePage();
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

constexpr const char* selectedRow = "verseRow_1";

// With `range(0)` pages open, the page in front out of the overview and verse 1 selected, times
// `input` twice: the second puts the page back as it was (a verse tapped again is let go, a
// swatch or the bookmark pressed again takes the mark off).
template <class Input> void markTwice(benchmark::State& state, Input input) {
    if (!Bench::hasText()) {
        state.SkipWithError("the Korean text resources were not built");
        return;
    }
    Bench bench(state.range(0));
    bench.showOnePage();
    if (bench.onPageInFront<BibleContentCellWidget>(selectedRow) == nullptr) {
        state.SkipWithError("no verse on the page in front");
        return;
    }
    bench.tapVerse(selectedRow);
    if (bench.onPageInFront<BibleContentCellWidget>(selectedRow)->visibleRegion().isEmpty()) {
        state.SkipWithError("the verse is not on screen");
        return;
    }
    for (auto _ : state) {
        input(bench);
        input(bench);
    }
}
void BM_TapVerseTwice(benchmark::State& state) {
    markTwice(state, [](Bench& bench) { bench.tapVerse(selectedRow); });
}
BENCHMARK(BM_TapVerseTwice)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_HighlightTwice(benchmark::State& state) {
    markTwice(state, [](Bench& bench) { bench.press("highlightColor_1"); });
}
BENCHMARK(BM_HighlightTwice)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_BookmarkTwice(benchmark::State& state) {
    markTwice(state, [](Bench& bench) { bench.press("bookmarkButton"); });
}
BENCHMARK(BM_BookmarkTwice)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

// The selected verse drawn twice, as its shimmer draws it on every frame (here with the band
// standing still): what a selection left alone costs.
void BM_SelectedVerseFrames(benchmark::State& state) {
    markTwice(state, [](Bench& bench) { bench.drawFrame(selectedRow); });
}
BENCHMARK(BM_SelectedVerseFrames)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond);

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
