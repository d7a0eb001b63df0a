// The scatter plot of 1,000,000 samples with a colour item redrawn in memory, against the time
// graph's redraw of the same log in the same run; and the histogram of as many values.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <ctime>
#include <string>
#include <variant>

#include "graph/GraphDrawing.h"
#include "logdata/LogLoader.h"
#include "plots/Histogram.h"
#include "views/PlotViewDrawing.h"

namespace {

using namespace grafolux;

constexpr int kAreaWidth = 1600, kAreaHeight = 800;  // pixels
const ScatterItems kItems{"SENSOR:RPM", "SENSOR:MAP", "SENSOR:TPS"};

const LogData* Log() {
    static LogData log;
    static bool read = false;
    if (!read) {
        read = true;
        const char* dir = std::getenv("GRAFOLUX_BENCH_DATA");
        if (!dir) return nullptr;
        LoadResult result = LoadLog(std::string(dir) + "/log_1000000.txt", 0, {},
                                    {{kItems.x, kItems.y, *kItems.colour}, 0});
        if (auto* loaded = std::get_if<LogData>(&result)) log = std::move(*loaded);
    }
    return log.lngSampleCount > 0 ? &log : nullptr;
}

void SetUpArea(DrawingArea& area) {
    area.pbGraph.SetSize(kAreaWidth * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
    area.pbLegend.SetSize(200 * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
}

double CpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

void ScatterRedraw(benchmark::State& state) {
    const LogData* log = Log();
    if (!log)
        return state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_1000000.txt");
    const std::string last = std::to_string(log->lngSampleCount);
    DrawingArea area, graph;
    SetUpArea(area);
    SetUpArea(graph);
    const auto scatter = [&] {
        return DrawScatterForRange(area, *log, "1", last, {}, {}, kItems).has_value();
    };
    const GraphRequest request{1, 1, double(log->lngSampleCount), 1, 0};
    scatter();
    DrawGraph(graph, *log, request, {});
    for (auto _ : state) benchmark::DoNotOptimize(scatter());
    state.SetItemsProcessed(state.iterations() * log->lngSampleCount);
    // The yardstick: the time graph's redraw, taken in turns with the scatter plot's.
    double scatterTime = 0, graphTime = 0;
    for (int round = 0; round < 7 && (round < 2 || graphTime < 1); ++round) {
        double start = CpuSeconds();
        scatter();
        scatterTime += CpuSeconds() - start;
        start = CpuSeconds();
        DrawGraph(graph, *log, request, {});
        graphTime += CpuSeconds() - start;
    }
    state.counters["over_graph"] = scatterTime / graphTime;
}

void HistogramOfValues(benchmark::State& state) {
    const LogData* log = Log();
    if (!log)
        return state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_1000000.txt");
    const WholeColumn values = log->wholeColumn(log->itemNamed(kItems.y));
    for (auto _ : state) benchmark::DoNotOptimize(HistogramOf(*values, 20));
    state.SetItemsProcessed(state.iterations() * log->lngSampleCount);
}

// The same with the samples kept from the log first, as the window's view reads them.
void HistogramOfLog(benchmark::State& state) {
    const LogData* log = Log();
    if (!log)
        return state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_1000000.txt");
    const std::string last = std::to_string(log->lngSampleCount);
    for (auto _ : state) {
        const auto kept = HistogramSamplesForRange(*log, "1", last, {}, kItems.y);
        benchmark::DoNotOptimize(HistogramOf(std::get<KeptSamples>(kept).values[0], 20));
    }
    state.SetItemsProcessed(state.iterations() * log->lngSampleCount);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("Scatter/1000000/colour", ScatterRedraw)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Histogram/1000000/values", HistogramOfValues)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Histogram/1000000/log", HistogramOfLog)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
