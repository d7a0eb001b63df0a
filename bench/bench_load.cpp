// Loading a synthetic log (96 items) whole and keeping only the six columns the tables read,
// against a plain single-threaded std::from_chars loop over the same file; a first open and a
// reopen through the reopen cache; and the memory a load holds and needs at its peak, against
// the file (and the table of doubles it would be), also for a log of values that do not
// compress. The whole process's CPU time per load (every worker thread) is shown beside the
// wall time: a slower parse shows there first.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logcache/CacheFolder.h"
#include "logcache/CachedLoad.h"
#include "logdata/LogLoader.h"

namespace {

std::string DataPath(const std::string& name) {
    const char* folder = std::getenv("GRAFOLUX_BENCH_DATA");
    return std::string(folder ? folder : "bench/data") + "/" + name;
}

std::string LogPath(const benchmark::State& state) {
    return DataPath("log_" + std::to_string(state.range(0)) + ".txt");
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

// The reopen cache in a folder of the benchmark's own, gone at the end.
class CacheHome {
public:
    CacheHome() {
        char folder[] = "/tmp/grafolux-bench-cache.XXXXXX";
        path_ = mkdtemp(folder);
        setenv("XDG_CACHE_HOME", path_.c_str(), 1);
    }
    ~CacheHome() { std::filesystem::remove_all(path_); }
    void Empty() const { std::filesystem::remove_all(path_ + "/grafolux"); }

private:
    std::string path_;
};

grafolux::LoadResult Open(const std::string& path) {
    return grafolux::OpenLog(path, 0, {}, {},
                             grafolux::CacheChoicesFor(false, grafolux::kDefaultCacheLimit));
}

// The first open of a log, parsed; its entry is written meanwhile, and the time that takes
// after the open is shown beside it.
void BM_FirstOpen(benchmark::State& state) {
    const CacheHome cache;
    const std::string path = LogPath(state);
    double writing = 0;
    for (auto _ : state) {
        cache.Empty();
        benchmark::DoNotOptimize(Open(path));
        const auto opened = std::chrono::steady_clock::now();
        grafolux::FinishCacheWrites();
        writing +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - opened)
                .count();
    }
    state.counters["entry_written_ms"] =
        benchmark::Counter(writing, benchmark::Counter::kAvgIterations);
}

// The same log opened again: its bytes hashed and its entry mapped.
void BM_Reopen(benchmark::State& state) {
    const CacheHome cache;
    const std::string path = LogPath(state);
    Open(path);
    grafolux::FinishCacheWrites();
    for (auto _ : state) benchmark::DoNotOptimize(Open(path));
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

struct Memory {
    long peak = 0, resident = 0;
};

// The peak and the resident memory of a child process that runs `work` (or nothing): the
// resident memory as `work` says it, in bytes.
template <typename Work>
Memory ChildMemory(const Work& work) {
    int pipe[2];
    if (::pipe(pipe) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        const long resident = work();
        [[maybe_unused]] const auto written = write(pipe[1], &resident, sizeof resident);
        _exit(0);
    }
    close(pipe[1]);
    Memory memory;
    [[maybe_unused]] const auto read = ::read(pipe[0], &memory.resident, sizeof memory.resident);
    close(pipe[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    memory.peak = usage.ru_maxrss * 1024L;
    return memory;
}

// A log loaded, its first item read whole as the graph draws it: the memory held then, and the
// peak while loading, less those of a process that does nothing.
void LoadedMemory(benchmark::State& state, const std::string& path) {
    if (!std::filesystem::exists(path)) return state.SkipWithError(("no " + path).c_str());
    Memory loaded, idle;
    for (auto _ : state) {
        idle = ChildMemory([] { return ResidentBytes(); });
        loaded = ChildMemory([&] {
            const auto log = std::get<grafolux::LogData>(grafolux::LoadLog(path, 0));
            const grafolux::WholeColumn drawn = log.wholeColumn(1);
            return ResidentBytes();
        });
    }
    const auto log = std::get<grafolux::LogData>(grafolux::LoadLog(path, 0));
    const double table = static_cast<double>(log.lngItemCount) * log.lngSampleCount * 8;
    const double file = static_cast<double>(std::filesystem::file_size(path));
    constexpr double kMiB = 1 << 20;
    state.counters["file_MiB"] = file / kMiB;
    state.counters["doubles_MiB"] = table / kMiB;
    state.counters["columns_MiB"] = static_cast<double>(log.loggedBytes()) / kMiB;
    state.counters["resident_MiB"] = static_cast<double>(loaded.resident - idle.resident) / kMiB;
    state.counters["peak_MiB"] = static_cast<double>(loaded.peak - idle.peak) / kMiB;
    state.counters["resident_per_file"] = (loaded.resident - idle.resident) / file;
    state.counters["peak_per_file"] = (loaded.peak - idle.peak) / file;
}

void BM_LoadedMemory(benchmark::State& state) { LoadedMemory(state, LogPath(state)); }
void BM_LoadedMemoryRandomValues(benchmark::State& state) {
    LoadedMemory(state, DataPath("random_100000.txt"));
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
BENCHMARK(BM_FirstOpen)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Reopen)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadedMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadedMemoryRandomValues)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
