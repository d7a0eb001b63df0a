// Building a cell table against one plain pass that reads and sums the same columns: the
// mean table against the four table columns, every statistic under two sample conditions
// against those four and the two the conditions read.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "DriveLog.h"
#include "tables/CellDifference.h"
#include "tables/CellStats.h"

namespace {

using bench::DriveLog;
using bench::kSamples;

// The floor: read RPM, MAP, BLM and INT of every sample and add them up.
void BM_PlainPass(benchmark::State& state) {
    const grafolux::LogData& log = DriveLog();
    const grafolux::WholeColumn columns[] = {log.wholeColumn(2), log.wholeColumn(3),
                                             log.wholeColumn(4), log.wholeColumn(5)};
    const double* rpm = columns[0]->data();
    const double* map = columns[1]->data();
    const double* blm = columns[2]->data();
    const double* integ = columns[3]->data();
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
    grafolux::WholeColumn values[6];
    const double* column[6];
    for (int c = 0; c < 6; ++c) {
        values[c] = log.wholeColumn(c + 2);
        column[c] = values[c]->data();
    }
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
    static const grafolux::LogData log = bench::MakeLog(true);
    TableOf(state, log);
}

// Values with a decimal, which no block of whole numbers holds: every value an exact sum's term.
const grafolux::LogData& TenthsLog() {
    static const grafolux::LogData log = bench::MakeLog(false, kSamples, 1, true);
    return log;
}

void BM_BlmTableTenths(benchmark::State& state) { TableOf(state, TenthsLog()); }

void BM_BlmTableTenthsEveryStatistic(benchmark::State& state) {
    TableOf(state, TenthsLog(), grafolux::Gathered::Everything);
}

// The Difference view: B's table minus A's, over two logs of a million samples each (B a
// copy of A, or the noisy log).
void DifferenceOf(benchmark::State& state, const grafolux::LogData& versus) {
    const grafolux::LogData& log = DriveLog();
    using grafolux::TableKind;
    for (auto _ : state)
        benchmark::DoNotOptimize(grafolux::DifferenceCells(
            grafolux::ComputeCellTable(log, TableKind::Blm, 1, kSamples, {},
                                       grafolux::Gathered::MeanAndCount),
            grafolux::ComputeCellTable(versus, TableKind::Blm, 1, kSamples, {},
                                       grafolux::Gathered::MeanAndCount),
            {}));
    state.SetItemsProcessed(state.iterations() * 2 * kSamples);
}

void BM_BlmDifferenceTable(benchmark::State& state) {
    static const grafolux::LogData copy = DriveLog();
    DifferenceOf(state, copy);
}

void BM_BlmDifferenceTableNoisyB(benchmark::State& state) {
    static const grafolux::LogData noisy = bench::MakeLog(true);
    DifferenceOf(state, noisy);
}

}  // namespace

BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassSixColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatisticsTwoConditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableEveryStatistic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableNoisy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableTenths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmTableTenthsEveryStatistic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmDifferenceTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlmDifferenceTableNoisyB)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
