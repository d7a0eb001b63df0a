#include "logdata/SampleMarks.h"

#include <algorithm>
#include <bit>

namespace grafolux {

int64_t SampleMarks::NextBit(int64_t b, bool value) const {
    if (b < 0) b = 0;
    const uint64_t flip = value ? 0 : ~uint64_t{0};
    for (auto i = static_cast<size_t>(b >> 6); i < words_.size(); ++i) {
        uint64_t w = words_[i] ^ flip;
        if (i == static_cast<size_t>(b >> 6)) w &= ~uint64_t{0} << (b & 63);
        if (w != 0) {
            const int64_t found = static_cast<int64_t>(i) * 64 + std::countr_zero(w);
            return found < bits() ? found : kNone;
        }
    }
    return kNone;
}

int64_t SampleMarks::PreviousBit(int64_t b, bool value) const {
    b = std::min(b, bits() - 1);
    if (b < 0) return kNone;
    const uint64_t flip = value ? 0 : ~uint64_t{0};
    for (auto i = static_cast<int64_t>(b >> 6); i >= 0; --i) {
        uint64_t w = words_[static_cast<size_t>(i)] ^ flip;
        if (i == b >> 6) w &= ~uint64_t{0} >> (63 - (b & 63));
        if (w != 0) return i * 64 + 63 - std::countl_zero(w);
    }
    return kNone;
}

bool SampleMarks::AnyMarked(int32_t from, int32_t to) const {
    const int64_t found = NextBit(int64_t{from} - first_, true);
    return found != kNone && found <= int64_t{to} - first_;
}

std::optional<int32_t> SampleMarks::NextRunStart(int32_t sample) const {
    int64_t b = std::max<int64_t>(int64_t{sample} - first_ + 1, 0);
    if (b >= bits()) return std::nullopt;
    if (b > 0 && Bit(b - 1)) b = NextBit(b, false);  // inside a run: past its end first
    if (b != kNone) b = NextBit(b, true);
    if (b == kNone) return std::nullopt;
    return static_cast<int32_t>(first_ + b);
}

std::optional<int32_t> SampleMarks::PreviousRunStart(int32_t sample) const {
    const int64_t marked = PreviousBit(int64_t{sample} - first_ - 1, true);
    if (marked == kNone) return std::nullopt;
    return static_cast<int32_t>(first_ + PreviousBit(marked, false) + 1);
}

int32_t SampleMarks::RunLast(int32_t sample) const {
    const int64_t end = NextBit(int64_t{sample} - first_, false);
    return end == kNone ? last_ : static_cast<int32_t>(first_ + end - 1);
}

std::vector<SampleMarks::Run> SampleMarks::Runs() const {
    std::vector<Run> runs;
    for (int64_t b = NextBit(0, true); b != kNone;) {
        const int64_t end = NextBit(b, false);
        const int64_t last = end == kNone ? bits() - 1 : end - 1;
        runs.push_back({static_cast<int32_t>(first_ + b), static_cast<int32_t>(first_ + last)});
        b = end == kNone ? kNone : NextBit(end, true);
    }
    return runs;
}

}  // namespace grafolux
