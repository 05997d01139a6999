// The search page's costs over the whole texts (31,099 verses a translation): the first search
// in a translation (the whole load, the match and the list), the load alone, later queries of
// one, two and three words, and the hit list's first paint for 20,000 hits. `grep -F -c` over
// the same text files runs beside the one-word query, and the ratio of the two is printed
// after the run.

#include "app/model/BibleBook.h"
#include "app/model/BibleKind.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/search/SearchBibleView.h"
#include "app/search/SearchBibleViewWidget.h"
#include "testing/platform/BuiltResources.h"
#include "testing/platform/SilencedTrace.h"
#include "testing/platform/TestAppContext.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QListView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lumenscroll;

struct Translation {
    BibleKind kind;
    const char* name;
    // One, two and three words; the first is the one grep counts.
    std::vector<std::string> queries;
};

const Translation korean{BibleKind::kr01, "kr01", {"하나님", "하나님 사랑", "하나님 사랑 믿음"}};
const Translation english{BibleKind::en01, "en01", {"God", "God love", "God love faith"}};

bool hasText(const Translation& translation) {
    const QString last = QString::fromStdString(TextResource::name(translation.kind, bibleBookCount - 1));
    return !testing::builtResourceDirectory({last + QStringLiteral(".txt")}).isEmpty();
}

// A search page of its own over the built resources, trace lines dropped.
class Search {
public:
    explicit Search(BibleKind kind)
        : app_(LUMENSCROLL_RESOURCE_DIR)
        , settings_(std::make_unique<UserSettings>()) {
        // The program's clock: the resources were built a while ago.
        app_.fixedClock().set(QDateTime::currentDateTime());
        page_ = std::make_unique<SearchBibleView>(Binding<std::int64_t>::constant(0),
                                                  Binding<bool>::constant(true), *settings_, app_.context());
        page_->kindOfBible.set(kind);
    }
    // What the page does when the search bar submits `query`.
    std::size_t run(const std::string& query) {
        page_->searchWord.set(query);
        page_->findBtn.set(true);
        page_->search();
        return page_->foundWordArray->size();
    }

    SearchBibleView& page() { return *page_; }
    TestAppContext& app() { return app_; }
    UserSettings& settings() { return *settings_; }

private:
    TestAppContext app_;
    SilencedTrace silenced_;
    std::unique_ptr<UserSettings> settings_;
    std::unique_ptr<SearchBibleView> page_;
};

void firstSearch(benchmark::State& state, const Translation& translation, const std::string& query) {
    if (!hasText(translation)) {
        state.SkipWithError("the text resources were not built");
        return;
    }
    std::size_t hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto search = std::make_unique<Search>(translation.kind);
        state.ResumeTiming();
        hits = search->run(query);
        state.PauseTiming();
        search.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void laterQuery(benchmark::State& state, const Translation& translation, std::size_t words) {
    if (!hasText(translation)) {
        state.SkipWithError("the text resources were not built");
        return;
    }
    Search search(translation.kind);
    search.run(translation.queries[0]);
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = search.run(translation.queries[words - 1]);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void grepCount(benchmark::State& state, const Translation& translation) {
    if (!hasText(translation)) {
        state.SkipWithError("the text resources were not built");
        return;
    }
    std::string command = "grep -F -c '" + translation.queries[0] + "'";
    for (std::int64_t book = 0; book < bibleBookCount; ++book) {
        command += " '" +
                   QDir(LUMENSCROLL_RESOURCE_DIR)
                       .filePath(QString::fromStdString(TextResource::name(translation.kind, book) + ".txt"))
                       .toStdString() +
                   "'";
    }
    std::int64_t lines = 0;
    for (auto _ : state) {
        FILE* grep = popen(command.c_str(), "r");
        if (!grep) {
            state.SkipWithError("grep did not start");
            return;
        }
        lines = 0;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, grep)) {
            const std::string line(buffer);
            lines += std::stoll(line.substr(line.rfind(':') + 1));
        }
        pclose(grep);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// From a new list of hits to the first paint of its rows on screen.
void paintHitList(benchmark::State& state) {
    if (!hasText(english)) {
        state.SkipWithError("the text resources were not built");
        return;
    }
    const auto rows = static_cast<std::size_t>(state.range(0));
    Search search(english.kind);
    search.run("the");
    std::vector<std::string> lines = search.page().foundWordArray();
    while (lines.size() < rows) {
        lines.insert(lines.end(), lines.begin(),
                     lines.begin() + static_cast<std::ptrdiff_t>(rows - lines.size()));
    }
    lines.resize(rows);

    SearchBibleViewWidget widget(Binding<std::int64_t>::constant(0), Binding<bool>::constant(true),
                                 search.settings(), search.app().context());
    widget.show();
    search.app().manualScheduler().runReady();
    QCoreApplication::processEvents();
    PaintCounter counter;
    QListView* list = widget.hitList();
    list->viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        state.PauseTiming();
        widget.view().foundWordArray.set({});
        search.app().manualScheduler().runReady();
        QCoreApplication::processEvents();
        std::vector<std::string> shown = lines;
        state.ResumeTiming();
        widget.view().foundWordArray.set(std::move(shown));
        search.app().manualScheduler().runReady();
        // Until the list has painted with its first rows laid out.
        const int before = counter.paints;
        while (counter.paints == before || !list->indexAt(QPoint(1, 1)).isValid()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    }
    state.counters["rows"] = static_cast<double>(widget.hitList()->model()->rowCount());
}

// The median of every benchmark run, by name, for the ratios printed at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median" ||
                (run.run_type == Run::RT_Iteration && !medians.contains(run.run_name.function_name))) {
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);

    for (const Translation* translation : {&korean, &english}) {
        const std::string name = translation->name;
        benchmark::RegisterBenchmark(("FirstSearch/" + name).c_str(), firstSearch, *translation,
                                     translation->queries[0])
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Load/" + name).c_str(), firstSearch, *translation, std::string(" "))
            ->Unit(benchmark::kMillisecond);
        for (std::size_t words = 1; words <= 3; ++words) {
            benchmark::RegisterBenchmark(
                ("LaterQuery/" + name + "/" + std::to_string(words) + "words").c_str(), laterQuery,
                *translation, words)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("GrepF/" + name).c_str(), grepCount, *translation)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("HitListFirstPaint", paintHitList)
        ->Arg(20000)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nA later one-word query against grep -F -c over the same files (medians):\n");
    for (const Translation* translation : {&korean, &english}) {
        const std::string name = translation->name;
        const auto query = reporter.medians.find("LaterQuery/" + name + "/1words");
        const auto grep = reporter.medians.find("GrepF/" + name);
        if (query == reporter.medians.end() || grep == reporter.medians.end() || grep->second <= 0) {
            std::printf("  %s: not measured\n", name.c_str());
            continue;
        }
        std::printf("  %s: query %.2f ms, grep %.2f ms, ratio %.2f\n", name.c_str(), query->second,
                    grep->second, query->second / grep->second);
    }
    benchmark::Shutdown();
    return 0;
}
