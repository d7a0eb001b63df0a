#pragma once
// A set of marked samples within a range, one bit per sample: which samples fall into a cell,
// found again run by run.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace grafolux {

class SampleMarks {
public:
    SampleMarks() = default;  // no range, nothing marked
    // Samples first..last, each marked when `marked(s)` says so.
    template <typename IsMarked>
    SampleMarks(int32_t first, int32_t last, IsMarked marked);

    int32_t first() const { return first_; }
    int32_t last() const { return last_; }
    // Whether some sample of from..to is marked.
    bool AnyMarked(int32_t from, int32_t to) const;

    // A run is a stretch of marked samples between unmarked ones (or the range's ends).
    struct Run {
        int32_t first, last;
        bool operator==(const Run&) const = default;
    };
    // The first sample of the nearest run that starts after (before) `sample`.
    std::optional<int32_t> NextRunStart(int32_t sample) const;
    std::optional<int32_t> PreviousRunStart(int32_t sample) const;
    // The last sample of the run that holds the marked `sample`.
    int32_t RunLast(int32_t sample) const;
    std::vector<Run> Runs() const;

private:
    static constexpr int64_t kNone = -1;
    // Bit positions: bit b stands for sample first + b.
    bool Bit(int64_t b) const { return words_[static_cast<size_t>(b >> 6)] >> (b & 63) & 1; }
    // The nearest bit at or after (at or before) b that is `value`; kNone when there is none.
    int64_t NextBit(int64_t b, bool value) const;
    int64_t PreviousBit(int64_t b, bool value) const;
    int64_t bits() const { return int64_t{last_} - first_ + 1; }

    int32_t first_ = 1, last_ = 0;
    std::vector<uint64_t> words_;
};

template <typename IsMarked>
SampleMarks::SampleMarks(int32_t first, int32_t last, IsMarked marked)
    : first_(first), last_(last) {
    if (first > last) return;
    words_.resize(static_cast<size_t>((bits() + 63) / 64));
    // A word at a time, without a branch per sample.
    int32_t s = first;
    for (uint64_t& word : words_) {
        const int n = static_cast<int>(std::min<int64_t>(64, int64_t{last} - s + 1));
        uint64_t w = 0;
        for (int k = 0; k < n; ++k) w |= uint64_t{static_cast<bool>(marked(s + k))} << k;
        word = w;
        s += n;
    }
}

}  // namespace grafolux
