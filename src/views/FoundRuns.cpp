#include "views/FoundRuns.h"

#include <algorithm>

namespace grafolux {

FoundRuns::FoundRuns(SampleMarks marks) : marks_(std::move(marks)), runs_(marks_.Runs()) {}

size_t FoundRuns::RunNumberAt(int32_t sample) const {
    // The last run that starts at or before the sample.
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), sample,
                         [](int32_t s, const SampleMarks::Run& run) { return s < run.first; });
    if (after == runs_.begin() || std::prev(after)->last < sample) return 0;
    return static_cast<size_t>(after - runs_.begin());
}

QString FoundRuns::Status(int32_t sample) const {
    if (runs_.empty()) return "not found";
    const QString count = QString::number(runs_.size());
    if (const size_t run = RunNumberAt(sample))
        return "run " + QString::number(run) + " of " + count;
    return count + (runs_.size() == 1 ? " run" : " runs");
}

QString FindNotice(const QString& condition, const FoundRuns& runs, FindDirection direction,
                   int32_t from) {
    const QString quoted = "\"" + condition + "\"";
    if (runs.count() == 0)
        return quoted + " not found in samples " + QString::number(runs.marks().first()) +
               QChar(0x2013) + QString::number(runs.marks().last());
    return "No run of " + quoted + (direction == FindDirection::Next ? " after" : " before") +
           " sample " + QString::number(from);
}

}  // namespace grafolux
