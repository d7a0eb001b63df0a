// Reading values off the graph: a mouse move's arithmetic and readout texts over a 1M-sample
// log with 10 locked items, against redrawing the graph for it; marking a cell's samples
// against building the cell table; finding the next run of marked samples.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <string>

#include "graph/GraphDrawing.h"
#include "tables/CellSamples.h"
#include "views/Readout.h"

namespace {

using namespace grafolux;

constexpr int32_t kSamples = 1'000'000;
constexpr int kLocked = 10;
constexpr int kAreaWidth = 1600, kAreaHeight = 800;  // pixels

struct Random {  // splitmix64
    uint64_t state = 1;
    double Uniform() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }
};

// A drive cycle: engine speed and pressure follow a wandering throttle; ten further items
// wander with two decimals. Items 2.. are locked.
LogData MakeLog() {
    LogData log;
    log.lngItemCount = 2 + kLocked;
    log.lngSampleCount = kSamples;
    log.udtItems.push_back({"SENSOR:RPM", false, RGB(0, 0, 192)});
    log.udtItems.push_back({"SENSOR:MAP", true, RGB(0, 160, 0)});
    for (int k = 1; k < kLocked; ++k)
        log.udtItems.push_back({"SENSOR:AUX" + std::to_string(k), true, RGB(0, 0, 192)});
    log.dblSamples.resize(static_cast<size_t>(log.lngItemCount) * kSamples);
    Random random;
    double throttle = 10, target = 10, rpm = 850, map = 30;
    std::vector<double> aux(kLocked, 50);
    for (int32_t s = 0; s < kSamples; ++s) {
        if (random.Uniform() < 1.0 / 400) target = random.Uniform() * 100;
        throttle = std::fmin(100, std::fmax(0, throttle + (target - throttle) * 0.05 +
                                                   (random.Uniform() - 0.5) * 2));
        rpm += ((800 + throttle * 55) - rpm) * 0.02 + (random.Uniform() - 0.5) * 40;
        map += ((20 + throttle * 0.8) - map) * 0.1 + (random.Uniform() - 0.5);
        log.dblSamples[static_cast<size_t>(s)] = std::round(rpm);
        log.dblSamples[static_cast<size_t>(kSamples + s)] = std::round(map * 10) / 10;
        for (int k = 1; k < kLocked; ++k) {
            aux[k] += random.Uniform() - 0.5;
            log.dblSamples[static_cast<size_t>((k + 1) * kSamples + s)] =
                std::round(aux[k] * 100) / 100;
        }
    }
    return log;
}

const LogData& Log() {
    static const LogData log = MakeLog();
    return log;
}

struct Graph {
    DrawingArea area;
    SampleAxis axis;
    int width = 0;
};

const Graph& DrawnGraph() {
    static const Graph graph = [] {
        Graph g;
        g.area.pbGraph.SetSize(kAreaWidth * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
        g.axis = DrawGraph(g.area, Log(), {1, 1, kSamples, 1, 0}, {}).axis.value();
        g.width = g.area.pbGraphContents.image().width();
        return g;
    }();
    return graph;
}

// One mouse move: the sample under the mouse, its column, the readout's texts.
void BM_CursorMove(benchmark::State& state) {
    const Graph& graph = DrawnGraph();
    const Markers markers = state.range(0) ? Markers{kSamples / 4, kSamples / 2} : Markers{};
    const DisplayColors colors;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % graph.width;
        const int32_t sample = graph.axis.SampleAtColumn(x, graph.width);
        benchmark::DoNotOptimize(graph.axis.ColumnOfSample(sample, graph.width));
        benchmark::DoNotOptimize(ReadoutRows(Log(), {1, sample, markers, {}}, colors));
    }
}
BENCHMARK(BM_CursorMove)->Arg(0)->Arg(1)->ArgName("markers")->Unit(benchmark::kMicrosecond);

// The yardstick: what a move would cost if it redrew the graph.
void BM_RedrawPerMove(benchmark::State& state) {
    Graph graph;
    graph.area.pbGraph.SetSize(kAreaWidth * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawGraph(graph.area, Log(), {1, 1, kSamples, 1, 0}, {}));
}
BENCHMARK(BM_RedrawPerMove)->Unit(benchmark::kMillisecond);

// The cell the drive cycle visits most: 1,200 rpm x 30 kPa would do as well as any.
CellAddress BusiestCell() {
    const CellTable table = ComputeCellTable(Log(), TableKind::Blm, 1, kSamples);
    CellAddress busiest;
    for (int k = 1; k <= kTableRows; ++k)
        for (int m = 1; m <= kTableColumns; ++m)
            if (table.count[k - 1][m - 1] > table.count[busiest.row - 1][busiest.column - 1])
                busiest = {k, m};
    return busiest;
}

void BM_MarkCell(benchmark::State& state) {
    const CellAddress cell = BusiestCell();
    size_t runs = 0;
    for (auto _ : state) {
        const SampleMarks marks = MarkCellSamples(Log(), cell, 1, kSamples);
        benchmark::DoNotOptimize(marks);
        if (runs == 0) runs = marks.Runs().size();
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_MarkCell)->Unit(benchmark::kMillisecond);

// The yardstick: one pass of the table over the same samples.
void BM_CellTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeCellTable(Log(), TableKind::Blm, 1, kSamples));
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_CellTable)->Unit(benchmark::kMillisecond);

// From the start to the next run: through the busiest cell's runs one after another, or
// (worst) across all 1M samples to a single run at the very end.
void BM_NextOccurrence(benchmark::State& state) {
    const bool worst = state.range(0) != 0;
    const SampleMarks marks =
        worst ? SampleMarks(1, kSamples, [](int32_t s) { return s == kSamples; })
              : MarkCellSamples(Log(), BusiestCell(), 1, kSamples);
    int32_t cursor = 0;
    for (auto _ : state) {
        const std::optional<int32_t> next = marks.NextRunStart(cursor);
        cursor = next && !worst ? *next : 0;
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_NextOccurrence)->Arg(0)->Arg(1)->ArgName("worst")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the readout's texts and the redraw's fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
