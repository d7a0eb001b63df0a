#include "partial/PartialFile.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <thread>

#include "files/AtomicFile.h"
#include "logdata/ThreadedRun.h"
#include "partial/PartialText.h"

namespace grafolux {

namespace {

std::string Unmergeable(const std::string& a, const std::string& b, const std::string& difference) {
    return a + " and " + b + " cannot be merged: they differ in " + difference;
}

}  // namespace

std::variant<Partial, std::string> ReadPartialFile(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    const auto failed = [&] { return path + ": " + file.errorString().toStdString(); };
    if (!file.open(QIODevice::ReadOnly)) return failed();
    // A log given by mistake is refused by its first bytes, not read whole.
    const QByteArray start = file.peek(64);
    if (!start.startsWith("grafolux partial")) {
        if (file.error() != QFileDevice::NoError) return failed();
        return path + ": not a partial result";
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return failed();
    auto read = ReadPartialBytes(std::string_view(bytes.constData(), bytes.size()));
    if (auto* fault = std::get_if<std::string>(&read)) return path + ": " + *fault;
    return std::move(std::get<Partial>(read));
}

std::optional<std::string> WritePartialFile(const std::string& path, const Partial& partial) {
    QString error;
    if (WriteFileAtomically(QFile::decodeName(path.c_str()), PartialBytes(partial), &error))
        return std::nullopt;
    return path + ": " + error.toStdString();
}

std::optional<std::string> MergeNamedPartial(Partial& into, const std::string& firstName,
                                             const Partial& more, const std::string& moreName) {
    if (const auto difference = FingerprintDifference(into, more))
        return Unmergeable(firstName, moreName, *difference);
    if (const auto fault = MergePartial(into, more)) return moreName + ": " + *fault;
    return std::nullopt;
}

std::variant<Partial, std::string> MergePartialFiles(const std::vector<std::string>& paths) {
    // The first partial, read alone, is what every other must match.
    auto first = ReadPartialFile(paths.at(0));
    if (auto* fault = std::get_if<std::string>(&first)) return *fault;
    Partial merged = std::move(std::get<Partial>(first));

    // The others in runs of neighbours, a run merged apart on each core; the fault of the
    // earliest file wins, as if they were read one after another.
    const size_t others = paths.size() - 1;
    const size_t runs = std::min<size_t>(others, 64);
    struct Run {
        std::optional<Partial> merged;
        std::string fault;
    };
    std::vector<Run> parts(runs);
    std::atomic<size_t> firstFault = paths.size();
    const auto mergeRun = [&](size_t r, std::stop_token) {
        Run& part = parts[r];
        for (size_t i = 1 + others * r / runs; i < 1 + others * (r + 1) / runs; ++i) {
            if (i > firstFault) return;
            auto read = ReadPartialFile(paths[i]);
            if (auto* fault = std::get_if<std::string>(&read)) {
                part.fault = *fault;
            } else if (const auto difference =
                           FingerprintDifference(merged, std::get<Partial>(read))) {
                part.fault = Unmergeable(paths[0], paths[i], *difference);
            } else if (!part.merged) {
                part.merged = std::move(std::get<Partial>(read));
            } else if (const auto fault = MergePartial(*part.merged, std::get<Partial>(read))) {
                part.fault = paths[i] + ": " + *fault;
            }
            if (!part.fault.empty()) {
                for (size_t seen = firstFault;
                     i < seen && !firstFault.compare_exchange_weak(seen, i);)
                    ;
                return;
            }
        }
    };
    RunThreaded(runs, std::thread::hardware_concurrency(), mergeRun, [] {});
    for (const Run& part : parts) {
        if (!part.fault.empty()) return part.fault;
        if (!part.merged) continue;
        if (const auto fault = MergePartial(merged, *part.merged))
            return paths.back() + ": " + *fault;
    }
    return merged;
}

}  // namespace grafolux
