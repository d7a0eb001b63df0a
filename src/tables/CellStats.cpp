#include "tables/CellStats.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace grafolux {

namespace {

// A double's bit pattern as a signed integer. Patterns of non-negative doubles are ordered
// as the numbers; every negative double (and -0) comes before them all.
int64_t Key(double v) { return std::bit_cast<int64_t>(v); }

// The bins of one axis: a value v lies in bin floor((v + half) / width), that is v rounded
// to the nearest multiple of `width` with half-way going up. Bins kFirst..kLast are the
// table's (index 1..kCount); index 0 holds everything below them and index kCount + 1
// everything above (NaN too). The bin grows with v, so each bin is an interval of doubles,
// and of their keys, whose bounds are found once with the formula that defines the bins:
// binning a sample then takes no division and agrees with the formula to the last bit.
template <int kFirst, int kLast>
class AxisBins {
public:
    static constexpr int kCount = kLast - kFirst + 1;

    // Keys in [low, low + span), compared as one unsigned subtraction.
    struct Range {
        uint64_t low, span;
        bool Holds(int64_t key) const { return static_cast<uint64_t>(key) - low < span; }
    };

    AxisBins(double half, double width) {
        auto bin = [&](double v) {  // the defining formula
            const double b = std::floor((v + half) / width);
            return b >= kFirst ? std::min(b, kLast + 1.0) - kFirst + 1 : 0;
        };
        constexpr double kUp = std::numeric_limits<double>::infinity();
        bounds_.front() = std::numeric_limits<int64_t>::min();
        bounds_.back() = std::numeric_limits<int64_t>::max();
        for (int index = 1; index <= kCount + 1; ++index) {
            double v = (kFirst + index - 1) * width - half;  // exact, and in that bin
            while (bin(v) < index) v = std::nextafter(v, kUp);
            while (bin(std::nextafter(v, -kUp)) >= index) v = std::nextafter(v, -kUp);
            bounds_[index] = Key(v);
        }
        // Slots of keys from the one of the first bound to the one of the last; keys before
        // or after them are read in the first or the last slot, which they share a bin with.
        // Sixteen slots per binade are narrower than a bin wherever the bounds lie (at most
        // 256 rpm or 4 kPa), so a slot holds at most one bound.
        firstSlot_ = bounds_[1] >> kSlotShift;
        slots_.resize(static_cast<size_t>((bounds_[kCount + 1] >> kSlotShift) - firstSlot_ + 1));
        int index = 0;
        for (size_t i = 0; i < slots_.size(); ++i) {
            const int64_t slot = firstSlot_ + static_cast<int64_t>(i);
            while (index <= kCount && bounds_[index + 1] >> kSlotShift < slot) ++index;
            const bool holdsBound = index <= kCount && bounds_[index + 1] >> kSlotShift == slot;
            slots_[i] = {holdsBound ? bounds_[index + 1] : bounds_.back(), index};
        }
    }

    // Branch-free: noisy samples may change bins at every sample.
    int Bin(int64_t key) const {
        const int64_t slot = std::clamp((key >> kSlotShift) - firstSlot_, int64_t{0},
                                        static_cast<int64_t>(slots_.size()) - 1);
        const Slot& s = slots_[static_cast<size_t>(slot)];
        return s.bin + (key >= s.bound);
    }

    Range RangeOf(int index) const {
        const auto low = static_cast<uint64_t>(bounds_[index]);
        return {low, static_cast<uint64_t>(bounds_[index + 1]) - low};
    }

private:
    static constexpr int kSlotShift = 52 - 4;  // sixteen slots per binade
    struct Slot {
        int64_t bound;  // the bound inside the slot, or the largest key
        int bin;        // the bin of the slot's first key
    };
    std::array<int64_t, kCount + 3> bounds_;
    int64_t firstSlot_;
    std::vector<Slot> slots_;
};

// Bin b holds the values that round to b steps: the rows' and the columns' labels.
using RowBins = AxisBins<RowRpm(1) / kRpmStep, RowRpm(kTableRows) / kRpmStep>;
using ColumnBins = AxisBins<ColumnMap(1) / kMapStep, ColumnMap(kTableColumns) / kMapStep>;

// Engine speed and pressure round to the nearest label, half-way going up.
const RowBins& Rows() {
    static const RowBins rows(kRpmStep / 2.0, kRpmStep);
    return rows;
}
const ColumnBins& Columns() {
    static const ColumnBins columns(kMapStep / 2.0, kMapStep);
    return columns;
}

constexpr int32_t kBlock = 1024;  // samples whose values and filter marks stay in the cache

// Which samples of a block pass the filter, in the two forms the accumulation adds without a
// branch: 1 or 0, and 0 or infinity.
struct Passes {
    std::array<double, kBlock> weight, beyond;

    void Mark(const SampleFilter& filter, int32_t first, int32_t n) {
        filter.MarkWeights(first + 1, n, weight.data());
        constexpr double kUp = std::numeric_limits<double>::infinity();
        for (int32_t i = 0; i < n; ++i) beyond[i] = weight[i] != 0 ? 0.0 : kUp;
    }
};

}  // namespace

// The table's cells with a border of cells for the samples outside it, so that every
// sample lands in some cell and the accumulation needs no test for the outside. The spread
// is gathered as sums of differences from a reference value of the cell (its first sample):
// no division per sample, and no loss of precision when the values lie far from 0.
struct CellTableBuilder::Cells {
    static constexpr int kColumns = ColumnBins::kCount + 2;
    static constexpr int kCount = (RowBins::kCount + 2) * kColumns;
    std::array<double, kCount> sum{};
    std::array<int32_t, kCount> count{};
    std::array<double, kCount> minimum, maximum;
    std::array<double, kCount> reference{};  // the cell's first sample, passing or not
    std::array<bool, kCount> hasReference{};
    std::array<double, kCount> shiftedSum{};
    std::array<double, kCount> shiftedSquares{};
    int64_t samplesInRange = 0;
    int64_t samplesPassed = 0;
    std::vector<Added> added;  // to gather a cell again when its sums overflow

    Cells() {
        minimum.fill(std::numeric_limits<double>::infinity());
        maximum.fill(-std::numeric_limits<double>::infinity());
    }

    // Samples first .. first + n - 1 (0-based) of the axes, value[0] being the value of sample
    // `first`, in sample order per cell, those that pass the filter (`passes`, from `first`).
    // Engine speed and pressure change slowly, so a sample mostly lies in the cell of the one
    // before: a run of such samples is gathered with the cell's bounds and running figures in
    // registers, and the cell is looked up only when a run starts. A sample that fails the filter
    // stays in the run and adds nothing, without a branch: 0 to the sums (which leaves them as they
    // are to the bit), and a value beyond the minimum and the maximum. Filters such as a
    // closed-loop flag change often and at random.
    template <bool kFiltered, bool kSpread>
    int64_t Accumulate(const double* rpm, const double* map, const double* value, int32_t first,
                       int32_t n, const Passes* passes) {
        const RowBins& rows = Rows();
        const ColumnBins& columns = Columns();
        constexpr double kLargest = std::numeric_limits<double>::max();
        int64_t passedAll = 0;
        for (int32_t s = first, last = first + n; s < last;) {
            const int row = rows.Bin(Key(rpm[s])), column = columns.Bin(Key(map[s]));
            const RowBins::Range rowRange = rows.RangeOf(row);
            const ColumnBins::Range columnRange = columns.RangeOf(column);
            const int cell = row * kColumns + column;
            if (!hasReference[cell]) {
                reference[cell] = value[s - first];
                hasReference[cell] = true;
            }
            const double ref = reference[cell];
            const int32_t runStart = s;
            int32_t passed = 0;
            double runSum = sum[cell], low = minimum[cell], high = maximum[cell];
            double dSum = shiftedSum[cell], dSquares = shiftedSquares[cell];
            do {
                double v = value[s - first], vLow = v, vHigh = v;
                // Kept finite, so that a weight of 0 makes it 0 and not NaN.
                double d = std::clamp(v - ref, -kLargest, kLargest);
                if constexpr (kFiltered) {
                    const double weight = passes->weight[s - first];
                    const double beyond = passes->beyond[s - first];
                    passed += static_cast<int32_t>(weight);
                    v *= weight;
                    d *= weight;
                    vLow += beyond;
                    vHigh -= beyond;
                }
                ++s;
                runSum += v;
                if constexpr (kSpread) {
                    low = std::min(low, vLow);
                    high = std::max(high, vHigh);
                    dSum += d;
                    dSquares += d * d;
                }
            } while (s < last && (rowRange.Holds(Key(rpm[s])) & columnRange.Holds(Key(map[s]))));
            if (!kFiltered) passed = s - runStart;
            sum[cell] = runSum;
            minimum[cell] = low;
            maximum[cell] = high;
            shiftedSum[cell] = dSum;
            shiftedSquares[cell] = dSquares;
            count[cell] += passed;
            passedAll += passed;
        }
        return passedAll;
    }
};

const char* ValueItemOf(TableKind kind) {
    return kind == TableKind::Blm ? "SENSOR:BLM" : "SENSOR:INT";
}

CellTableBuilder::CellTableBuilder(TableKind kind, Gathered gathered)
    : kind_(kind), spread_(gathered == Gathered::Everything), cells_(new Cells) {}

CellTableBuilder::~CellTableBuilder() = default;

void CellTableBuilder::Add(const LogData& log, int32_t first, int32_t last,
                           const SampleFilter& filter) {
    if (log.lngSampleCount < 1) return;
    // Range boxes may hold anything while the user types: never read outside the samples.
    first = std::clamp(first, int32_t{1}, log.lngSampleCount);
    last = std::clamp(last, int32_t{1}, log.lngSampleCount);
    if (first > last) return;
    cells_->samplesInRange += last - first + 1;

    const int32_t rpmItem = log.itemNamed(kRpmItem);
    const int32_t mapItem = log.itemNamed(kMapItem);
    const int32_t valueItem = log.itemNamed(ValueItemOf(kind_));
    if (rpmItem == 0 || mapItem == 0) {  // a missing axis reads 0, which lies in no cell
        for (int32_t s = first; s <= last; ++s) cells_->samplesPassed += filter.Passes(s);
        return;
    }
    // A block of each column at a time; a missing value item reads 0.
    std::array<double, kBlock> rpm, map, value{};
    Passes passes;
    for (int32_t block = first - 1; block < last; block += kBlock) {
        const int32_t n = std::min(kBlock, last - block);
        log.column(rpmItem).Read(block, n, rpm.data());
        log.column(mapItem).Read(block, n, map.data());
        if (valueItem != 0) log.column(valueItem).Read(block, n, value.data());
        if (filter.passesAll()) {
            cells_->samplesPassed += spread_
                                         ? cells_->Accumulate<false, true>(
                                               rpm.data(), map.data(), value.data(), 0, n, nullptr)
                                         : cells_->Accumulate<false, false>(
                                               rpm.data(), map.data(), value.data(), 0, n, nullptr);
        } else {
            passes.Mark(filter, block, n);
            cells_->samplesPassed += spread_
                                         ? cells_->Accumulate<true, true>(
                                               rpm.data(), map.data(), value.data(), 0, n, &passes)
                                         : cells_->Accumulate<true, false>(
                                               rpm.data(), map.data(), value.data(), 0, n, &passes);
        }
    }
    Remember(log, first, last, filter);
}

// Kept out of the accumulation's function: its code, and so the speed of the loops, stay as
// they are without it.
[[gnu::noinline]] void CellTableBuilder::Remember(const LogData& log, int32_t first, int32_t last,
                                                  const SampleFilter& filter) {
    cells_->added.push_back({&log, first, last, filter});
}

CellTable CellTableBuilder::Finish() const {
    CellTable table;
    table.samplesInRange = cells_->samplesInRange;
    table.samplesPassed = cells_->samplesPassed;
    for (int k = 1; k <= kTableRows; ++k) {
        for (int m = 1; m <= kTableColumns; ++m) {
            const int cell = k * Cells::kColumns + m;
            const int32_t count = cells_->count[cell];
            if (count == 0) continue;
            const double n = count;
            const double dSum = cells_->shiftedSum[cell];
            const double squares = cells_->shiftedSquares[cell] - dSum * dSum / n;
            double& mean = table.mean[k - 1][m - 1];
            double& stdDev = table.stdDev[k - 1][m - 1];
            table.count[k - 1][m - 1] = count;
            mean = cells_->sum[cell] / n;
            table.minimum[k - 1][m - 1] = cells_->minimum[cell];
            table.maximum[k - 1][m - 1] = cells_->maximum[cell];
            // Values so far apart that their squares overflow: a spread beyond any double,
            // unless the values are all finite and it can be found again.
            stdDev = count < 2                ? 0
                     : std::isfinite(squares) ? std::sqrt(std::max(squares, 0.0) / (n - 1))
                                              : std::numeric_limits<double>::infinity();
            const bool spreadOverflows = spread_ && count > 1 && !std::isfinite(squares);
            if (!std::isfinite(mean) || spreadOverflows) {
                if (const auto rescaled = Rescale(k, m)) {
                    mean = rescaled->mean;
                    if (count > 1) stdDev = rescaled->stdDev;
                }
            }
        }
    }
    return table;
}

// Values v of the cell as v / M, M their largest magnitude: sums of them stay within the
// count, and of their squares within four times the count. None when a value is infinite or
// NaN, which makes the figures what they are.
std::optional<CellTableBuilder::Rescaled> CellTableBuilder::Rescale(int k, int m) const {
    const CellBounds bounds = BoundsOfCell(k, m);
    const auto forEachValue = [&](auto&& use) {
        for (const Added& added : cells_->added) {
            const LogData& log = *added.log;
            ColumnCursor rpm(log.column(log.itemNamed(kRpmItem)));
            ColumnCursor map(log.column(log.itemNamed(kMapItem)));
            const int32_t valueItem = log.itemNamed(ValueItemOf(kind_));
            for (int32_t s = added.first; s <= added.last; ++s)
                if (bounds.Holds(rpm.at(s - 1), map.at(s - 1)) && added.filter.Passes(s))
                    use(valueItem != 0 ? log.sample(valueItem, s) : 0.0);
        }
    };
    double largest = 0, n = 0;
    bool finite = true;
    forEachValue([&](double v) {
        largest = std::max(largest, std::fabs(v));
        finite &= std::isfinite(v);
        n += 1;
    });
    if (!finite || largest == 0) return std::nullopt;
    double sum = 0;
    forEachValue([&](double v) { sum += v / largest; });
    const double mean = sum / n;
    double squares = 0;
    forEachValue([&](double v) { squares += (v / largest - mean) * (v / largest - mean); });
    return Rescaled{mean * largest, n > 1 ? std::sqrt(squares / (n - 1)) * largest : 0};
}

CellBounds BoundsOfCell(int k, int m) {
    const RowBins::Range rows = Rows().RangeOf(k);
    const ColumnBins::Range columns = Columns().RangeOf(m);
    CellBounds bounds;
    bounds.rpmLow_ = rows.low;
    bounds.rpmSpan_ = rows.span;
    bounds.mapLow_ = columns.low;
    bounds.mapSpan_ = columns.span;
    return bounds;
}

CellTable ComputeCellTable(const LogData& log, TableKind kind, int32_t first, int32_t last,
                           const SampleFilter& filter, Gathered gathered) {
    CellTableBuilder builder(kind, gathered);
    builder.Add(log, first, last, filter);
    return builder.Finish();
}

}  // namespace grafolux
