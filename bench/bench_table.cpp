// Building a cell table against one plain pass that reads and sums the same columns: the
// mean table against the four table columns, every statistic under two sample conditions
// against those four and the two the conditions read.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "logdata/LogModel.h"
#include "tables/CellStats.h"

namespace {

constexpr int32_t kSamples = 1'000'000;
const char* const kNames[] = {"TIME",       "SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM",
                              "SENSOR:INT", "SENSOR:CTS", "MW2:7"};

struct Random {  // splitmix64
    uint64_t state = 1;
    double Uniform() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }
};

// A drive cycle: throttle wanders, engine speed and pressure follow it, as in a real log.
// With `noisy`, speed and pressure jump anywhere at every sample instead: the worst case.
grafolux::LogData MakeLog(bool noisy) {
    grafolux::LogData log;
    log.lngItemCount = static_cast<int32_t>(std::size(kNames));
    log.lngSampleCount = kSamples;
    for (const char* name : kNames) log.udtItems.push_back({name});
    log.dblSamples.resize(static_cast<size_t>(log.lngItemCount) * kSamples);
    Random random;
    double throttle = 10, target = 10, rpm = 850, map = 30;
    double* column = log.dblSamples.data();
    for (int32_t s = 0; s < kSamples; ++s) {
        if (random.Uniform() < 1.0 / 400) target = random.Uniform() * 100;
        throttle = std::fmin(100, std::fmax(0, throttle + (target - throttle) * 0.05 +
                                                   (random.Uniform() - 0.5) * 2));
        rpm += ((800 + throttle * 55) - rpm) * 0.02 + (random.Uniform() - 0.5) * 40;
        map += ((20 + throttle * 0.8) - map) * 0.1 + (random.Uniform() - 0.5);
        column[s] = s * 0.1;
        column[kSamples + s] = noisy ? random.Uniform() * 7000 : std::round(rpm);
        column[2 * kSamples + s] = noisy ? random.Uniform() * 110 : std::round(map * 10) / 10;
        column[3 * kSamples + s] = 128 + std::round((random.Uniform() - 0.5) * 20);
        column[4 * kSamples + s] = 128 + std::round((random.Uniform() - 0.5) * 16);
        column[5 * kSamples + s] = std::fmin(90, 20 + s * 0.0002);  // the engine warms up
        column[6 * kSamples + s] = random.Uniform() < 0.8;          // closed loop mostly
    }
    return log;
}

const grafolux::LogData& DriveLog() {
    static const grafolux::LogData log = MakeLog(false);
    return log;
}

// The floor: read RPM, MAP, BLM and INT of every sample and add them up.
void BM_PlainPass(benchmark::State& state) {
    const grafolux::LogData& log = DriveLog();
    const double* rpm = log.column(2).data();
    const double* map = log.column(3).data();
    const double* blm = log.column(4).data();
    const double* integ = log.column(5).data();
    for (auto _ : state) {
        double sum = 0;
        for (int32_t s = 0; s < kSamples; ++s) sum += rpm[s] + map[s] + blm[s] + integ[s];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// The floor for the filtered table: the same four columns and the two conditions read.
void BM_PlainPassSixColumns(benchmark::State& state) {
    const grafolux::LogData& log = DriveLog();
    const double* column[6];
    for (int c = 0; c < 6; ++c) column[c] = log.column(c + 2).data();
    for (auto _ : state) {
        double sum = 0;
        for (int32_t s = 0; s < kSamples; ++s)
            sum += column[0][s] + column[1][s] + column[2][s] + column[3][s] + column[4][s] +
                   column[5][s];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// Every statistic of every cell, only of the samples of a warm engine in closed loop.
void BM_AllStatisticsTwoConditions(benchmark::State& state) {
    const grafolux::LogData& log = DriveLog();
    const std::vector<grafolux::SampleCondition> conditions = {
        {"SENSOR:CTS", grafolux::CompareOp::GreaterEqual, 80},
        {"MW2:7", grafolux::CompareOp::Equal, 1}};
    const grafolux::SampleFilter filter(log, conditions);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            grafolux::ComputeCellTable(log, grafolux::TableKind::Blm, 1, kSamples, filter));
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// The plain mean table gathers what the window's default view shows.
void TableOf(benchmark::State& state, const grafolux::LogData& log,
             grafolux::Gathered gathered = grafolux::Gathered::MeanAndCount) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            grafolux::ComputeCellTable(log, grafolux::TableKind::Blm, 1, kSamples, {}, gathered));
    state.SetItemsProcessed(state.iterations() * kSamples);
}

void BM_BlmTable(benchmark::State& state) { TableOf(state, DriveLog()); }

void BM_BlmTableEveryStatistic(benchmark::State& state) {
    TableOf(state, DriveLog(), grafolux::Gathered::Everything);
}

void BM_BlmTableNoisy(benchmark::State& state) {
    static const grafolux::LogData log = MakeLog(true);
    TableOf(state, log);
}

}  // namespace

BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassSixColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatisticsTwoConditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableEveryStatistic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableNoisy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
