#pragma once
// The arithmetic of a log B compared over a log A: B's sample s lies at A's sample s + offset.

#include <cstdint>
#include <span>
#include <utility>

namespace grafolux {

// The offset kept where B still touches A: B's last sample at A's first at the least, B's
// first sample at A's last at the most (0 when either log has no samples).
int32_t ClampOffset(int64_t offset, int32_t countA, int32_t countB);

// The offset that puts B's sample `sampleB` at A's sample `sampleA`, clamped as above.
int32_t OffsetAligning(int32_t sampleA, int32_t sampleB, int32_t countA, int32_t countB);

// The offset after a drag of `pixels` across a graph of `twipsPerSample` (twips per sample
// step), from `startOffset`: B follows the mouse, to the nearest sample; clamped as above.
int32_t DraggedOffset(int32_t startOffset, double pixels, double twipsPerSample, int32_t countA,
                      int32_t countB);

// The sample (1-based) whose value is nearest to `value`; of equally near ones the nearest to
// sample `near` (which may lie outside the values), the earlier of two as near. Values that
// are missing do not count. 0 when none is present or `value` is missing.
int32_t NearestValueSample(std::span<const double> values, double value, int64_t near);

// Of the vertices 0..lastVertex of a plot whose vertex j shows sample `first` + j (rounded
// halves to even), the first and the last that show a sample within low..high; from > to when
// none does.
std::pair<int64_t, int64_t> VerticesOnSamples(double first, int64_t lastVertex, int64_t low,
                                              int64_t high);

}  // namespace grafolux
