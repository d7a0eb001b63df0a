// A full redraw of the graph, as the window does it, against the same redraw with one line
// segment (or quadrilateral) per sample; both pictures are compared pixel by pixel.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "graph/GraphDrawing.h"
#include "logdata/LogLoader.h"
#include "support/NaiveCurve.h"

namespace {

using namespace grafolux;

// The current item first, then the three that get locked (the second one filled).
const char* const kItems[] = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:TPS", "SENSOR:O2"};
constexpr int kAreaWidth = 1600, kAreaHeight = 800;  // pixels
constexpr Colour kCurrent = RGB(255, 0, 0);

struct Spike {
    int32_t sample = 0;
    double value = 0;
};

// Only the four items the benchmark draws, taken from a synthetic log of the bench script, with
// one sample of the current item raised far above the rest: a single-sample peak that the
// column-wise drawing must not lose.
LogData ReadItems(const std::string& path, Spike& spike) {
    const LoadResult result = LoadLog(path, 0);
    const auto* full = std::get_if<LogData>(&result);
    if (!full) return {};
    LogData log;
    log.lngSampleCount = full->lngSampleCount;
    for (size_t k = 0; k < std::size(kItems); ++k) {
        const int32_t column = full->itemNamed(kItems[k]);
        if (column == 0) return {};
        const ItemInfo item{kItems[k], k > 0, RGB(0, 160 + 40 * static_cast<int>(k), 255), k == 2};
        if (k > 0 || log.lngSampleCount == 0) {
            log.AddItem(item, full->column(column));
            continue;
        }
        std::vector<double> values = *full->column(column).Whole();
        spike = {log.lngSampleCount / 3 + 7, 0};
        for (double v : values) spike.value = std::max(spike.value, v);
        spike.value *= 1.5;
        values[static_cast<size_t>(spike.sample - 1)] = spike.value;
        log.AddItem(item, Column::Encoded(values));
    }
    return log;
}

const LogData* LogOf(int lines, Spike& spike) {
    static std::map<int, LogData> logs;
    static std::map<int, Spike> spikes;
    if (!logs.count(lines)) {
        const char* dir = std::getenv("GRAFOLUX_BENCH_DATA");
        logs[lines] = dir ? ReadItems(std::string(dir) + "/log_" + std::to_string(lines) + ".txt",
                                      spikes[lines])
                          : LogData{};
    }
    spike = spikes[lines];
    return logs[lines].lngSampleCount > 0 ? &logs[lines] : nullptr;
}

LogData Unlocked(const LogData& log) {
    LogData copy = log;
    for (ItemInfo& item : copy.udtItems) item.blnLocked = false;
    return copy;
}

void SetUpArea(DrawingArea& area) {
    area.pbGraph.SetSize(kAreaWidth * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
    area.pbLegend.SetSize(200 * kTwipsPerPixel, kAreaHeight * kTwipsPerPixel);
}

struct Comparison {
    double differing = 0, drawn = 0, pixels = 0;
    int lostPeakColumns = 0;  // columns where the curve does not reach as high as it should
};

// Topmost row of `colour` in column x, or the height when there is none.
int TopOf(const QImage& image, int x, Colour colour) {
    for (int y = 0; y < image.height(); ++y)
        if (FromQColor(image.pixelColor(x, y)) == colour) return y;
    return image.height();
}

Comparison Compare(const QImage& fast, const QImage& naive, Colour back) {
    Comparison c;
    c.pixels = double(fast.width()) * fast.height();
    for (int y = 0; y < fast.height(); ++y)
        for (int x = 0; x < fast.width(); ++x) {
            c.differing += fast.pixel(x, y) != naive.pixel(x, y);
            c.drawn += FromQColor(naive.pixelColor(x, y)) != back;
        }
    for (int x = 0; x < fast.width(); ++x)
        c.lostPeakColumns += TopOf(fast, x, kCurrent) > TopOf(naive, x, kCurrent);
    return c;
}

double CpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

double TimedRedraw(DrawingArea& area, const LogData& log, const GraphRequest& request,
                   CurveDrawer drawer) {
    const double start = CpuSeconds();
    DrawGraph(area, log, request, {}, drawer);
    return CpuSeconds() - start;
}

void Redraw(benchmark::State& state, int lines, double zoom, bool locked, bool naive) {
    Spike spike;
    const LogData* loaded = LogOf(lines, spike);
    if (!loaded) {
        state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_<lines>.txt");
        return;
    }
    const LogData log = locked ? *loaded : Unlocked(*loaded);
    const GraphRequest request{1, 1, double(log.lngSampleCount), zoom, 0};
    DrawingArea area;
    SetUpArea(area);
    const CurveDrawer drawer = naive ? DrawCurveNaive : DrawCurve;
    DrawGraph(area, log, request, {}, drawer);  // the first redraw also allocates the canvas
    for (auto _ : state) benchmark::DoNotOptimize(DrawGraph(area, log, request, {}, drawer));
    state.SetItemsProcessed(state.iterations() * log.lngSampleCount);
    if (naive) return;

    // Speed-up from redraws taken in turns, so that both ways meet the same machine load; and
    // of the curves alone, less a redraw that draws no curve (clearing, grid and labels).
    DrawingArea reference, bare;
    SetUpArea(reference);
    SetUpArea(bare);
    const CurveDrawer none = [](Surface&, const CurvePlot&, bool) {};
    DrawGraph(reference, log, request, {}, DrawCurveNaive);
    DrawGraph(bare, log, request, {}, none);
    double naiveTime = 0, columnsTime = 0, bareTime = 0;
    for (int round = 0; round < 7 && (round < 2 || naiveTime < 1); ++round) {
        naiveTime += TimedRedraw(reference, log, request, DrawCurveNaive);
        columnsTime += TimedRedraw(area, log, request, DrawCurve);
        bareTime += TimedRedraw(bare, log, request, none);
    }
    state.counters["speedup"] = naiveTime / columnsTime;
    state.counters["curves_speedup"] = (naiveTime - bareTime) / (columnsTime - bareTime);

    const QImage& fast = area.pbGraphContents.image();
    const QImage& slow = reference.pbGraphContents.image();
    const Comparison c = Compare(fast, slow, DisplayColors{}.lngBackColor);
    state.counters["differ_%"] = 100 * c.differing / c.pixels;
    state.counters["differ_%_of_drawn"] = 100 * c.differing / c.drawn;
    state.counters["lost_peak_columns"] = c.lostPeakColumns;
    // The spike is the item's highest value: it must reach the same top row as one segment
    // per sample draws, in its own column.
    const int x = TwipsToPixels((spike.sample - 1) *
                                (area.pbGraphContents.Width() / (log.lngSampleCount - 1)));
    int highest = fast.height();
    for (int column = 0; column < fast.width(); ++column)
        highest = std::min(highest, TopOf(fast, column, kCurrent));
    state.counters["spike_kept"] =
        TopOf(fast, x, kCurrent) == highest && TopOf(slow, x, kCurrent) == highest;
}

// B over A: the same log compared with itself 1,000 samples on, against A alone, redrawn in
// turns so that both meet the same machine load.
void RedrawVersus(benchmark::State& state, int lines, double zoom) {
    Spike spike;
    const LogData* loaded = LogOf(lines, spike);
    if (!loaded) {
        state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_<lines>.txt");
        return;
    }
    const LogData versus = *loaded;
    const GraphRequest alone{1, 1, double(loaded->lngSampleCount), zoom, 0};
    GraphRequest request = alone;
    request.versus = GraphComparison{&versus, 1000, "a.txt", "b.txt"};
    DrawingArea area, reference;
    SetUpArea(area);
    SetUpArea(reference);
    DrawGraph(area, *loaded, request, {});
    for (auto _ : state) benchmark::DoNotOptimize(DrawGraph(area, *loaded, request, {}));
    state.SetItemsProcessed(state.iterations() * loaded->lngSampleCount);
    DrawGraph(reference, *loaded, alone, {});
    double aloneTime = 0, versusTime = 0;
    for (int round = 0; round < 7 && (round < 2 || aloneTime < 1); ++round) {
        aloneTime += TimedRedraw(reference, *loaded, alone, DrawCurve);
        versusTime += TimedRedraw(area, *loaded, request, DrawCurve);
    }
    state.counters["versus_over_alone"] = versusTime / aloneTime;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int lines : {100000, 1000000})
        for (double zoom : {1.0, 10.0})
            for (bool locked : {false, true})
                for (bool naive : {true, false}) {
                    const std::string name =
                        std::string(naive ? "Naive" : "Columns") + "/" + std::to_string(lines) +
                        "/zoom" + std::to_string(int(zoom)) + (locked ? "/3locked" : "/alone");
                    benchmark::RegisterBenchmark(name.c_str(), Redraw, lines, zoom, locked, naive)
                        ->Unit(benchmark::kMillisecond);
                }
    for (int lines : {100000, 1000000}) {
        const std::string name = "Versus/" + std::to_string(lines) + "/zoom10/3locked";
        benchmark::RegisterBenchmark(name.c_str(), RedrawVersus, lines, 10.0)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
