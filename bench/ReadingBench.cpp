// The reading page's hot paths: loading a chapter from its book's text resource (the whole
// book is read and cut into lines at every load), saving the open pages (a compact file per
// page, two JSON user defaults) and bringing them back at the next launch.

#include "app/model/BibleKind.h"
#include "app/reading/BibleView.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselView.h"
#include "testing/platform/BuiltResources.h"
#include "testing/platform/SilencedTrace.h"
#include "testing/platform/TestAppContext.h"
#include "testing/reading/PageListKeyForTests.h"
#include "testing/reading/TestPages.h"

#include <QCoreApplication>
#include <QDateTime>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lumenscroll;

// The real resources, a temporary Documents folder and settings file written as the program
// writes the user's (on the settings store's writer thread), and trace lines dropped (printing
// them is the terminal's cost, not the page's).
constexpr auto settingsWrites = SettingsStore::Writes::onWriterThread;

class Bench {
public:
    Bench()
        : app_(LUMENSCROLL_RESOURCE_DIR, 1, settingsWrites) {
        // The program's clock: the resources were built a while ago.
        app_.fixedClock().set(QDateTime::currentDateTime());
    }

    static bool hasText(const char* fileName) {
        return !testing::builtResourceDirectory({QString::fromUtf8(fileName)}).isEmpty();
    }
    // The pages' chapters are Genesis: without its text the benchmark is skipped.
    static bool hasGenesis(benchmark::State& state) {
        if (hasText("01창세기.txt")) {
            return true;
        }
        state.SkipWithError("the Korean text resources were not built");
        return false;
    }

    BibleView page(std::int64_t index) { return testing::makePage(settings, app_.context(), index); }

    // `count` pages on Genesis 1, 2, ... in Korean, each loaded from the resources.
    void openPages(std::int64_t count) {
        settings.selectedBibleArray.set(testing::pageListKey(),
                                        std::vector<BibleStructure>(static_cast<std::size_t>(count)));
        std::vector<BibleView> views;
        for (std::int64_t i = 0; i < count; ++i) {
            views.push_back(page(i));
            views.back().loadPageText(0, i + 1, BibleKind::kr01);
        }
        settings.roles.set(testing::pageListKey(), std::move(views));
    }

    AppContext& context() { return app_.context(); }
    // The folder a later launch finds this one's files and settings in.
    QString home() const { return app_.rootPath(); }
    QString settingsFile() const { return app_.settingsFilePath(); }

    UserSettings settings;

private:
    TestAppContext app_;
    SilencedTrace silenced_;
};

void loadChapter(benchmark::State& state, std::int64_t book, std::int64_t chapter, const char* fileName,
                 std::size_t verses) {
    if (!Bench::hasText(fileName)) {
        state.SkipWithError("the Korean text resources were not built");
        return;
    }
    Bench bench;
    bench.settings.selectedBibleArray.set(testing::pageListKey(), {BibleStructure{}});
    const BibleView page = bench.page(0);
    for (auto _ : state) {
        page.loadPageText(book, chapter, BibleKind::kr01);
    }
    if (bench.settings.selectedBibleArray()[0].praises.size() != verses) {
        state.SkipWithError("the chapter did not load");
    }
}

void BM_LoadPageText_Genesis1(benchmark::State& state) {
    loadChapter(state, 0, 1, "01창세기.txt", 31);
}
BENCHMARK(BM_LoadPageText_Genesis1)->Unit(benchmark::kMicrosecond);

void BM_LoadPageText_Psalm119(benchmark::State& state) {
    loadChapter(state, 18, 119, "19시편.txt", 176);
}
BENCHMARK(BM_LoadPageText_Psalm119)->Unit(benchmark::kMicrosecond);

// Marks verse 0 of `page` with a different highlight, so that its file and the stored page
// list have something new to save.
void highlightAgain(UserSettings& settings, std::size_t page) {
    settings.selectedBibleArray.modify(testing::pageListKey(), [page](std::vector<BibleStructure>& pages) {
        std::int64_t& color = pages[page].praises[0].bgColor;
        color = color == 1 ? 2 : 1;
    });
}

// The usual save: one page was changed (a highlight) since the last one. What the input waits
// for: the page's file is written, the user defaults are handed to the settings' writer thread;
// or, `untilWritten`, everything is on the disk.
void saveOneChangedPage(benchmark::State& state, bool untilWritten) {
    if (!Bench::hasGenesis(state)) {
        return;
    }
    Bench bench;
    bench.openPages(state.range(0));
    bench.settings.savePageState(bench.context());
    for (auto _ : state) {
        highlightAgain(bench.settings, 0);
        bench.settings.savePageState(bench.context());
        if (untilWritten) {
            bench.context().settings().sync();
        }
        // The event loop's turn: the outcomes of the writes done meanwhile come back.
        QCoreApplication::sendPostedEvents();
    }
    bench.context().settings().sync();
}

void BM_SavePageState(benchmark::State& state) {
    saveOneChangedPage(state, false);
}
BENCHMARK(BM_SavePageState)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_SavePageState_UntilWritten(benchmark::State& state) {
    saveOneChangedPage(state, true);
}
BENCHMARK(BM_SavePageState_UntilWritten)->Arg(10)->Unit(benchmark::kMillisecond);

// A reader's highlight on a verse of the first of `range(0)` pages, as the selection bar makes it:
// the verse's colour, what follows it on the other pages and in the marks kept for the run, and
// the save that follows every mark, down to the files written and the user defaults handed to the
// settings' writer thread.
void BM_SaveAfterHighlight(benchmark::State& state) {
    if (!Bench::hasGenesis(state)) {
        return;
    }
    Bench bench;
    bench.openPages(state.range(0));
    bench.settings.savePageState(bench.context());
    const BibleView first = bench.page(0);
    std::int64_t color = 1;
    for (auto _ : state) {
        color = color == 1 ? 2 : 1;
        first.highlight(0, color);
        QCoreApplication::sendPostedEvents();
    }
    bench.context().settings().sync();
    if (bench.settings.selectedBibleArray()[0].praises[0].bgColor != color) {
        state.SkipWithError("the verse was not highlighted");
    }
}
BENCHMARK(BM_SaveAfterHighlight)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// The heaviest save: every page changed, so every file is replaced.
void BM_SavePageState_EveryPageChanged(benchmark::State& state) {
    if (!Bench::hasGenesis(state)) {
        return;
    }
    Bench bench;
    bench.openPages(state.range(0));
    for (auto _ : state) {
        for (std::size_t page = 0; page < bench.settings.selectedBibleArray->size(); ++page) {
            highlightAgain(bench.settings, page);
        }
        bench.settings.savePageState(bench.context());
        QCoreApplication::sendPostedEvents();
    }
    bench.context().settings().sync();
}
BENCHMARK(BM_SavePageState_EveryPageChanged)->Arg(10)->Unit(benchmark::kMillisecond);

// A launch after a run that left `range(0)` marked pages: the settings file read anew, the
// stored page list and texts decoded, every page's verses read from the text resources and
// the save that ends the restore.
void BM_RestorePages(benchmark::State& state) {
    if (!Bench::hasGenesis(state)) {
        return;
    }
    Bench lastRun;
    lastRun.openPages(state.range(0));
    for (std::size_t page = 0; page < lastRun.settings.selectedBibleArray->size(); ++page) {
        highlightAgain(lastRun.settings, page);
    }
    lastRun.settings.savePageState(lastRun.context());
    lastRun.context().settings().sync();

    // Settings read in this process stay read; a new time on the file makes each launch read
    // and parse it, as a new process does.
    const std::filesystem::path settingsFile = lastRun.settingsFile().toStdString();
    std::size_t restored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::last_write_time(settingsFile, std::filesystem::last_write_time(settingsFile) +
                                                           std::chrono::seconds(1));
        state.ResumeTiming();
        auto launch = TestAppContext::inHome(lastRun.home(), LUMENSCROLL_RESOURCE_DIR, 1, settingsWrites);
        launch->fixedClock().set(QDateTime::currentDateTime());
        auto settings = std::make_unique<UserSettings>();
        bool flag = false;
        auto carousel = std::make_unique<CarouselView>(*settings, launch->context(), Binding<bool>::to(flag),
                                                       Binding<bool>::constant(false),
                                                       Binding<bool>::to(flag), Binding<bool>::to(flag));
        carousel->appear();
        launch->manualScheduler().runReady();
        state.PauseTiming();
        launch->context().settings().sync();
        restored = settings->roles->size();
        carousel.reset();
        settings.reset();
        launch.reset();
        state.ResumeTiming();
    }
    if (restored != lastRun.settings.selectedBibleArray->size()) {
        state.SkipWithError("the pages did not come back");
    }
}
BENCHMARK(BM_RestorePages)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

// The settings' writer thread runs an event loop, which wants the application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
