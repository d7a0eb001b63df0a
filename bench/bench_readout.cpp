// Reading values off the graph: a mouse move's arithmetic and readout texts over the 1M-line
// synthetic log with 10 locked items, against redrawing the graph for it; marking a cell's samples
// against building the cell table; finding the next run of marked samples.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "graph/GraphDrawing.h"
#include "logdata/LogLoader.h"
#include "tables/CellSamples.h"
#include "views/Readout.h"

namespace {

using namespace grafolux;

constexpr int kAreaWidth = 1600, kAreaHeight = 800;  // pixels
// The current item, then the ten that are locked.
const std::vector<std::string> kItems = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:TPS",   "SENSOR:O2",
                                         "SENSOR:BLM", "SENSOR:INT", "SENSOR:SPARK", "SENSOR:CTS",
                                         "SENSOR:MAT", "TIME",       "MW2:0"};

// Those items of the 1M-line synthetic log of the bench script; empty without it.
const LogData& Log() {
    static const LogData log = [] {
        const char* dir = std::getenv("GRAFOLUX_BENCH_DATA");
        if (!dir) return LogData{};
        LoadResult result =
            LoadLog(std::string(dir) + "/log_1000000.txt", RGB(0, 0, 192), {}, {kItems, 0});
        auto* loaded = std::get_if<LogData>(&result);
        if (!loaded || loaded->lngItemCount != static_cast<int32_t>(kItems.size()))
            return LogData{};
        for (int32_t k = 2; k <= loaded->lngItemCount; ++k) loaded->udtItems[k].blnLocked = true;
        return std::move(*loaded);
    }();
    return log;
}

// Skips the benchmark when the log is missing.
bool HaveLog(benchmark::State& state) {
    if (Log().lngSampleCount > 0) return true;
    state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_1000000.txt");
    return false;
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
        g.axis =
            DrawGraph(g.area, Log(), {1, 1, double(Log().lngSampleCount), 1, 0}, {}).axis.value();
        g.width = g.area.pbGraphContents.image().width();
        return g;
    }();
    return graph;
}

// One mouse move: the sample under the mouse, its column, the readout's texts.
void BM_CursorMove(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const Graph& graph = DrawnGraph();
    const int32_t n = Log().lngSampleCount;
    const Markers markers = state.range(0) ? Markers{n / 4, n / 2} : Markers{};
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
    if (!HaveLog(state)) return;
    Graph graph;
    graph.area.pbGraph.SetSize(kAreaWidth * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
    const GraphRequest request{1, 1, double(Log().lngSampleCount), 1, 0};
    for (auto _ : state) benchmark::DoNotOptimize(DrawGraph(graph.area, Log(), request, {}));
}
BENCHMARK(BM_RedrawPerMove)->Unit(benchmark::kMillisecond);

// The cell the drive cycle visits most.
CellAddress BusiestCell() {
    const CellTable table = ComputeCellTable(Log(), TableKind::Blm, 1, Log().lngSampleCount);
    CellAddress busiest;
    for (int k = 1; k <= kTableRows; ++k)
        for (int m = 1; m <= kTableColumns; ++m)
            if (table.count[k - 1][m - 1] > table.count[busiest.row - 1][busiest.column - 1])
                busiest = {k, m};
    return busiest;
}

void BM_MarkCell(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const CellAddress cell = BusiestCell();
    const int32_t n = Log().lngSampleCount;
    size_t runs = 0;
    for (auto _ : state) {
        const SampleMarks marks = MarkCellSamples(Log(), cell, 1, n);
        benchmark::DoNotOptimize(marks);
        if (runs == 0) runs = marks.Runs().size();
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_MarkCell)->Unit(benchmark::kMillisecond);

// The yardstick: one pass of the table over the same samples.
void BM_CellTable(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const int32_t n = Log().lngSampleCount;
    for (auto _ : state) benchmark::DoNotOptimize(ComputeCellTable(Log(), TableKind::Blm, 1, n));
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CellTable)->Unit(benchmark::kMillisecond);

// From the start to the next run: through the busiest cell's runs one after another, or
// (worst) across all 1M samples to a single run at the very end.
void BM_NextOccurrence(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const bool worst = state.range(0) != 0;
    const int32_t n = Log().lngSampleCount;
    const SampleMarks marks = worst ? SampleMarks(1, n, [n](int32_t s) { return s == n; })
                                    : MarkCellSamples(Log(), BusiestCell(), 1, n);
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
