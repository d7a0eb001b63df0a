// A retune of a 20 × 16 fuel map over a million samples under two conditions, against the plain
// BLM mean table over the same samples (the yardstick, in the same run).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DriveLog.h"
#include "tables/CellStats.h"
#include "tables/Retune.h"

namespace {

using bench::DriveLog;
using bench::kSamples;

// Rows 400 … 8000 rpm, columns 10 … 100 kPa, every cell 50.0.
const grafolux::FuelMap& Map() {
    static const grafolux::FuelMap map = [] {
        std::string text = "RPM";
        for (int j = 0; j < 16; ++j) text.append("\t").append(std::to_string(10 + 6 * j));
        for (int i = 1; i <= 20; ++i) {
            text.append("\n").append(std::to_string(400 * i));
            for (int j = 0; j < 16; ++j) text += "\t50.0";
        }
        return std::get<grafolux::FuelMap>(grafolux::ParseFuelMap(text, "bench"));
    }();
    return map;
}

// A warm engine in closed loop.
const std::vector<grafolux::SampleCondition> kConditions = {
    {"SENSOR:CTS", grafolux::CompareOp::GreaterEqual, 80},
    {"MW2:7", grafolux::CompareOp::Equal, 1}};

void BM_BlmTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(grafolux::ComputeCellTable(DriveLog(), grafolux::TableKind::Blm, 1,
                                                            kSamples, {},
                                                            grafolux::Gathered::MeanAndCount));
    state.SetItemsProcessed(state.iterations() * kSamples);
}

void RetuneOf(benchmark::State& state, const grafolux::LogData& log,
              grafolux::CellWeighting weighting, bool factorToo, bool filtered = true) {
    const grafolux::SampleFilter filter =
        filtered ? grafolux::SampleFilter(log, kConditions) : grafolux::SampleFilter();
    const std::vector<double> given = grafolux::DefaultFuelFactor(log);
    for (auto _ : state) {
        const std::vector<double> computed =
            factorToo ? grafolux::DefaultFuelFactor(log) : std::vector<double>();
        const grafolux::RetuneSource source =
            grafolux::RetuneSourceOf(log, 1, kSamples, factorToo ? computed : given, filter);
        benchmark::DoNotOptimize(grafolux::Retune(Map(), std::span(&source, 1), {weighting}));
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// The factor column given, as a computed item will give it.
void BM_RetuneTwoConditions(benchmark::State& state) {
    RetuneOf(state, DriveLog(), grafolux::CellWeighting::Bilinear, false);
}

void BM_RetuneNoCondition(benchmark::State& state) {
    RetuneOf(state, DriveLog(), grafolux::CellWeighting::Bilinear, false, false);
}

// The default factor, BLM × INT ÷ 16384, computed each time too.
void BM_RetuneTwoConditionsWithFactor(benchmark::State& state) {
    RetuneOf(state, DriveLog(), grafolux::CellWeighting::Bilinear, true);
}

void BM_RetuneNearest(benchmark::State& state) {
    RetuneOf(state, DriveLog(), grafolux::CellWeighting::Nearest, false);
}

// Speed and pressure jump anywhere at every sample: a search per sample.
void BM_RetuneNoisy(benchmark::State& state) {
    static const grafolux::LogData log = bench::MakeLog(true);
    RetuneOf(state, log, grafolux::CellWeighting::Bilinear, false);
}

}  // namespace

BENCHMARK(BM_BlmTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetuneTwoConditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetuneNoCondition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetuneTwoConditionsWithFactor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetuneNearest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetuneNoisy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
