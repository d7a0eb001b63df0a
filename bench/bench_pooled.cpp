// Eight logs of 100,000 lines in one table: loaded side by side keeping only the columns the
// table reads, against the same eight loaded whole one after another.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "logdata/LogSetLoader.h"
#include "tables/PooledTable.h"

namespace {

constexpr int kLogs = 8;

// The benchmark data's 100,000-line log, eight times: each is loaded and counted anew.
std::vector<std::string> EightPaths() {
    const char* folder = std::getenv("GRAFOLUX_BENCH_DATA");
    return std::vector<std::string>(
        kLogs, std::string(folder ? folder : "bench/data") + "/log_100000.txt");
}

grafolux::CellTable Pooled(const std::vector<grafolux::LoadResult>& results) {
    std::vector<grafolux::TableSource> sources;
    for (const auto& result : results) {
        const auto& log = std::get<grafolux::LogData>(result);
        sources.push_back({&log, 1, log.lngSampleCount});
    }
    return grafolux::ComputePooledTable(sources, grafolux::TableKind::Blm, {}).table;
}

void BM_EightLogsPooled(benchmark::State& state) {
    const std::vector<std::string> paths = EightPaths();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Pooled(grafolux::LoadLogs(paths, 0, {grafolux::ItemsReadByTables({}), 0})));
}

void BM_EightLogsOneAfterAnother(benchmark::State& state) {
    const std::vector<std::string> paths = EightPaths();
    for (auto _ : state) {
        std::vector<grafolux::LoadResult> results;
        for (const std::string& path : paths) results.push_back(grafolux::LoadLog(path, 0));
        benchmark::DoNotOptimize(Pooled(results));
    }
}

}  // namespace

BENCHMARK(BM_EightLogsPooled)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EightLogsOneAfterAnother)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
