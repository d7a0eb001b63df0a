// Correcting a large log, against a plain streaming copy of the same file in the same run
// (what `cat LOG > COPY` does, both as a read/write loop and through cat itself).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "correct/BitOrderCorrection.h"
#include "correct/LineEnds.h"

namespace {

std::string BenchLog(const char* name) {
    const char* folder = std::getenv("GRAFOLUX_BENCH_DATA");
    return folder ? std::string(folder) + "/" + name : std::string();
}

const std::string kLog = BenchLog("log_1000000.txt");
const std::string kCopy = BenchLog("log_1000000_copy.txt");

bool HaveLog(benchmark::State& state, const std::string& log) {
    if (std::filesystem::exists(log)) return true;
    state.SkipWithError("no log: run scripts/bench.sh, or set GRAFOLUX_BENCH_DATA");
    return false;
}

void Finish(benchmark::State& state, const std::string& written) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(kLog)));
    std::filesystem::remove(written);
}

// The baseline: read and write 1 MiB at a time, no conversion; with the argument 1 the copy
// is also synced to disk at the end, as QSaveFile does before its rename.
void BM_PlainCopy(benchmark::State& state) {
    if (!HaveLog(state, kLog)) return;
    std::vector<char> block(1 << 20);
    for (auto _ : state) {
        const int in = open(kLog.c_str(), O_RDONLY);
        const int out = open(kCopy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (ssize_t n; (n = read(in, block.data(), block.size())) > 0;)
            if (write(out, block.data(), static_cast<size_t>(n)) != n) state.SkipWithError("write");
        if (state.range(0) == 1) fdatasync(out);
        close(out);
        close(in);
    }
    Finish(state, kCopy);
}

void BM_CatCopy(benchmark::State& state) {
    if (!HaveLog(state, kLog)) return;
    const std::string command = "cat '" + kLog + "' > '" + kCopy + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
    Finish(state, kCopy);
}

// The real thing: the corrected copy beside the log, through QSaveFile (which syncs the
// new file to disk before renaming it into place).
void BM_CorrectLogFile(benchmark::State& state) {
    if (!HaveLog(state, kLog)) return;
    std::string written;
    for (auto _ : state) {
        const grafolux::CorrectionResult result = grafolux::CorrectLogFile(kLog);
        if (!result.ok) state.SkipWithError(result.error.c_str());
        written = result.outputPath;
    }
    Finish(state, written);
}

BENCHMARK(BM_PlainCopy)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_CatCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CorrectLogFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The line-end conversion alone, in memory: a CR LF log passes unchanged, an LF log gains a
// CR on every line.
void BM_ConvertLineEnds(benchmark::State& state) {
    const std::string log = BenchLog("log_100000.txt");
    if (!HaveLog(state, log)) return;
    std::ifstream in(log, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (state.range(0) == 0) std::erase(bytes, '\r');
    constexpr size_t kBlock = 1 << 20;
    for (auto _ : state) {
        grafolux::CrLfConverter lines;
        for (size_t at = 0; at < bytes.size(); at += kBlock)
            benchmark::DoNotOptimize(lines.convert(std::string_view(bytes).substr(at, kBlock)));
        benchmark::DoNotOptimize(lines.finish());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.SetLabel(state.range(0) ? "CR LF log" : "LF log");
}
BENCHMARK(BM_ConvertLineEnds)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
