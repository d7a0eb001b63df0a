#pragma once
// Where a Find's condition holds in the graph's range: its runs of samples, where a sample
// stands among them, and what a Find says when it cannot move.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "logdata/SampleMarks.h"

namespace grafolux {

class FoundRuns {
public:
    FoundRuns() = default;  // nothing found
    explicit FoundRuns(SampleMarks marks);

    const SampleMarks& marks() const { return marks_; }
    size_t count() const { return runs_.size(); }
    // The number (from 1) of the run holding `sample`; 0 when none does.
    size_t RunNumberAt(int32_t sample) const;
    // "run 3 of 17" at a run, else "17 runs" ("1 run"); "not found" when there is none.
    QString Status(int32_t sample) const;

private:
    SampleMarks marks_;
    std::vector<SampleMarks::Run> runs_;
};

enum class FindDirection { Next, Previous };

// What a Find that found no run to go to says, quoting its condition: nothing in the range, or
// no run after (before) sample `from`.
QString FindNotice(const QString& condition, const FoundRuns& runs, FindDirection direction,
                   int32_t from);

}  // namespace grafolux
