// Computed items over the 1M-line synthetic log: one formula against a hand-written loop that
// computes the same values, ten definitions parsed and computed together, and a Find (a
// condition's marked samples and the next run) against the same marks made by hand.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "formula/ComputedItems.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaProgram.h"
#include "formula/FormulaReader.h"
#include "logdata/LogLoader.h"
#include "logdata/SampleMarks.h"

namespace {

using namespace grafolux;

const std::vector<std::string> kItems = {"SENSOR:RPM",   "SENSOR:MAP", "SENSOR:TPS",
                                         "SENSOR:O2",    "SENSOR:BLM", "SENSOR:INT",
                                         "SENSOR:SPARK", "SENSOR:CTS", "MW2:0"};

// Those items of the bench script's 1M-line synthetic log; empty without it.
const LogData& Log() {
    static const LogData log = [] {
        const char* dir = std::getenv("GRAFOLUX_BENCH_DATA");
        if (!dir) return LogData{};
        LoadResult result =
            LoadLog(std::string(dir) + "/log_1000000.txt", RGB(0, 0, 192), {}, {kItems, 0});
        auto* loaded = std::get_if<LogData>(&result);
        return loaded ? std::move(*loaded) : LogData{};
    }();
    return log;
}

bool HaveLog(benchmark::State& state) {
    if (Log().lngSampleCount > 0) return true;
    state.SkipWithError("set GRAFOLUX_BENCH_DATA to the folder of log_1000000.txt");
    return false;
}

FormulaProgram Bound(std::string_view text, const LogData& log) {
    return std::get<FormulaProgram>(
        FormulaProgram::Bind(std::get<Expression>(ParseExpression(text)), log));
}

// The yardstick: abs(SENSOR:MAP - SENSOR:MAP[-1]) * 10 written out.
void BM_HandLoop(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const LogData& log = Log();
    const WholeColumn values = log.wholeColumn(log.itemNamed("SENSOR:MAP"));
    const double* map = values->data();
    const int32_t n = log.lngSampleCount;
    std::vector<double> out(static_cast<size_t>(n));
    for (auto _ : state) {
        out[0] = 0;
        for (int32_t s = 1; s < n; ++s) out[s] = std::fabs(map[s] - map[s - 1]) * 10;
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Formula(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const FormulaProgram program = Bound("abs(SENSOR:MAP - SENSOR:MAP[-1]) * 10", Log());
    std::vector<double> out(static_cast<size_t>(program.sampleCount()));
    for (auto _ : state) {
        program.Evaluate(1, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * program.sampleCount());
}

// What a tuner might keep defined: parsed, bound and computed, each a new column.
void BM_TenDefinitions(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const std::vector<std::string> texts = {
        "AFR = 14.7 * SENSOR:O2 / 0.45",
        "dMAP = SENSOR:MAP - SENSOR:MAP[-1]",
        "Fuel = SENSOR:BLM * SENSOR:INT / 16384",
        "Load = SENSOR:MAP / 100 * SENSOR:RPM / 6000",
        "Rising = dMAP > 0 and SENSOR:TPS > SENSOR:TPS[-5]",
        "Lean = AFR > 15 or Fuel > 1.1",
        "Retard = max(0, SENSOR:SPARK[-1] - SENSOR:SPARK)",
        "Warm = if(SENSOR:CTS > 80, 1, SENSOR:CTS / 80)",
        "Smooth = (SENSOR:RPM[-2] + SENSOR:RPM[-1] + SENSOR:RPM + SENSOR:RPM[1]) / 4",
        "Spread = sqrt(abs(SENSOR:RPM - Smooth)) * (not MW2:0)",
    };
    for (auto _ : state) {
        const auto definitions = std::get<std::vector<Definition>>(ParseDefinitions(texts));
        benchmark::DoNotOptimize(ComputeItems(Log(), definitions));
    }
    state.SetItemsProcessed(state.iterations() * Log().lngSampleCount);
}

constexpr int32_t kCursor = 500'000;

// Find Next over the whole log: the condition's marks, then the first run after the cursor.
void BM_FindNext(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const int32_t n = Log().lngSampleCount;
    for (auto _ : state) {
        const FormulaProgram program =
            Bound("SENSOR:SPARK < SENSOR:SPARK[-1] and SENSOR:TPS > 50", Log());
        FormulaReader reader(program);
        const SampleMarks marks(1, n, [&](int32_t s) { return reader.Holds(s); });
        benchmark::DoNotOptimize(marks.NextRunStart(kCursor));
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The same marks with the condition written out.
void BM_FindNextHandLoop(benchmark::State& state) {
    if (!HaveLog(state)) return;
    const LogData& log = Log();
    const WholeColumn sparkValues = log.wholeColumn(log.itemNamed("SENSOR:SPARK"));
    const WholeColumn tpsValues = log.wholeColumn(log.itemNamed("SENSOR:TPS"));
    const double* spark = sparkValues->data();
    const double* tps = tpsValues->data();
    const int32_t n = log.lngSampleCount;
    for (auto _ : state) {
        const SampleMarks marks(1, n, [&](int32_t s) {
            return spark[s - 1] < spark[s > 1 ? s - 2 : 0] && tps[s - 1] > 50;
        });
        benchmark::DoNotOptimize(marks.NextRunStart(kCursor));
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_HandLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Formula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenDefinitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNext)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNextHandLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
