// Ten thousand table partials, each of a drive of 10,000 samples, merged as `grafolux-cli merge`
// merges them, against reading the same files whole (the floor). The partials are made once, in
// the benchmark data's folder.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>
#include <vector>

#include "DriveLog.h"
#include "partial/PartialFile.h"
#include "partial/PartialText.h"
#include "tables/CellTableText.h"
#include "tables/PooledTable.h"

namespace {

constexpr int kPartials = 10000;
constexpr int32_t kLogSamples = 10000;

const std::vector<std::string>& PartialPaths() {
    static const std::vector<std::string> paths = [] {
        const char* data = std::getenv("GRAFOLUX_BENCH_DATA");
        const QString folder = QString(data ? data : "bench/data") + "/partials";
        QDir().mkpath(folder);
        std::vector<std::string> made;
        for (int i = 0; i < kPartials; ++i) {
            made.push_back(QString("%1/table_%2.partial").arg(folder).arg(i).toStdString());
            if (QFile::exists(QString::fromStdString(made.back()))) continue;
            const grafolux::LogData log = bench::MakeLog(false, kLogSamples, i + 1);
            const grafolux::TableSource source{&log, 1, kLogSamples};
            const grafolux::Partial partial = grafolux::TablePartial(
                {}, grafolux::ComputePooledSums({&source, 1}, grafolux::TableKind::Blm, {}).sums);
            if (const auto error = grafolux::WritePartialFile(made.back(), partial)) std::abort();
        }
        return made;
    }();
    return paths;
}

void BM_ReadTenThousandFiles(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& path : PartialPaths()) {
            QFile file(QString::fromStdString(path));
            if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("cannot read a partial");
            benchmark::DoNotOptimize(file.readAll());
        }
}

void BM_MergeTenThousandTablePartials(benchmark::State& state) {
    for (auto _ : state) {
        const auto merged = grafolux::MergePartialFiles(PartialPaths());
        if (!std::holds_alternative<grafolux::Partial>(merged))
            state.SkipWithError("cannot merge the partials");
        benchmark::DoNotOptimize(grafolux::CellTableText(
            std::get<grafolux::TableSums>(std::get<grafolux::Partial>(merged).sums).Table(), {}));
    }
}

}  // namespace

BENCHMARK(BM_ReadTenThousandFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MergeTenThousandTablePartials)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
