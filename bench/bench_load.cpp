// Loading a synthetic log (96 items) whole and keeping only the six columns the tables read,
// against a plain single-threaded std::from_chars loop over the same file, and the load's peak
// memory against the sample table plus the file. The whole process's CPU time per load (every
// worker thread) is shown beside the wall time: a slower parse shows there first.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logdata/LogLoader.h"

namespace {

std::string LogPath(const benchmark::State& state) {
    const char* folder = std::getenv("GRAFOLUX_BENCH_DATA");
    return std::string(folder ? folder : "bench/data") + "/log_" + std::to_string(state.range(0)) +
           ".txt";
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(std::filesystem::file_size(path), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Every field after the header into one vector: from_chars, then skip one tab or CR LF.
std::vector<double> ParseEveryField(const std::string& bytes, size_t expectedFields = 0) {
    std::vector<double> values;
    values.reserve(expectedFields);
    const char* p = bytes.data() + bytes.find('\n') + 1;
    const char* end = bytes.data() + bytes.size();
    while (p < end) {
        double value = 0;
        p = std::from_chars(p, end, value).ptr;
        values.push_back(value);
        p += p < end && *p == '\r' ? 2 : 1;
    }
    return values;
}

// The four columns every table reads and the two its usual conditions read.
const std::vector<std::string> kTableColumns = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM",
                                                "SENSOR:INT", "SENSOR:CTS", "MW2:7"};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_LoadLog(benchmark::State& state, const std::vector<std::string>& columns) {
    const std::string path = LogPath(state);
    const double cpuBefore = ProcessCpuSeconds();
    for (auto _ : state) {
        auto result = grafolux::LoadLog(path, 0, {}, {columns, 0});
        if (!std::holds_alternative<grafolux::LogData>(result))
            return state.SkipWithError(std::get<grafolux::LoadError>(result).message.c_str());
        benchmark::DoNotOptimize(result);
    }
    state.counters["process_cpu_ms"] = benchmark::Counter((ProcessCpuSeconds() - cpuBefore) * 1e3,
                                                          benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

void BM_FromCharsLoop_ReadAndParse(benchmark::State& state) {
    const std::string path = LogPath(state);
    for (auto _ : state) benchmark::DoNotOptimize(ParseEveryField(ReadFile(path)));
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

// The strictest yardstick: the file already in memory and the vector already sized.
void BM_FromCharsLoop_ParseOnlyReserved(benchmark::State& state) {
    const std::string bytes = ReadFile(LogPath(state));
    const size_t fields = ParseEveryField(bytes).size();
    for (auto _ : state) benchmark::DoNotOptimize(ParseEveryField(bytes, fields));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Peak resident memory of a child process that runs `work` (or nothing), in bytes.
template <typename Work>
long ChildPeakBytes(const Work& work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss * 1024L;
}

void BM_LoadLogPeakMemory(benchmark::State& state) {
    const std::string path = LogPath(state);
    size_t table = 0;
    long peak = 0;
    for (auto _ : state) {
        const long idle = ChildPeakBytes([] {});
        peak = ChildPeakBytes([&] { benchmark::DoNotOptimize(grafolux::LoadLog(path, 0)); }) - idle;
    }
    const auto log = std::get<grafolux::LogData>(grafolux::LoadLog(path, 0));
    table = static_cast<size_t>(log.lngItemCount) * static_cast<size_t>(log.lngSampleCount) *
            sizeof(double);
    const double file = static_cast<double>(std::filesystem::file_size(path));
    constexpr double kMiB = 1 << 20;
    state.counters["peak_MiB"] = static_cast<double>(peak) / kMiB;
    state.counters["table_MiB"] = static_cast<double>(table) / kMiB;
    state.counters["file_MiB"] = file / kMiB;
    state.counters["peak_per_table_and_file"] = static_cast<double>(peak) / (table + file);
}

}  // namespace

BENCHMARK_CAPTURE(BM_LoadLog, all_columns, std::vector<std::string>{})
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadLog, table_columns, kTableColumns)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FromCharsLoop_ReadAndParse)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FromCharsLoop_ParseOnlyReserved)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadLogPeakMemory)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
