#include "tables/CellStats.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
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

constexpr int32_t kStatsBlock = 1024;  // samples whose values and filter marks stay in the cache

// Which samples of a block pass the filter, in the two forms the accumulation adds without a
// branch: 1 or 0, and 0 or infinity.
struct Passes {
    std::array<double, kStatsBlock> weight, beyond;

    void Mark(const SampleFilter& filter, int32_t first, int32_t n) {
        filter.MarkWeights(first + 1, n, weight.data());
        constexpr double kUp = std::numeric_limits<double>::infinity();
        for (int32_t i = 0; i < n; ++i) beyond[i] = weight[i] != 0 ? 0.0 : kUp;
    }
};

// Whether every value is a whole number of at most 2^20, as trims are: sums of a block of them
// and of their squares are whole numbers below 2^53, which doubles add exactly. Told by
// rounding alone, two at a time (SSE2 on x86-64, NEON on ARM), as it runs before every block:
// v rounded to a whole number leaves v as it is, and v / 2^21 rounds to 0; the difference and
// the rounded quotient have no bit set (NaN has some).
bool SmallWholeNumbers(const double* values, int32_t n) {
    using Pair = double __attribute__((vector_size(16)));
    using PairBits = int64_t __attribute__((vector_size(16)));
    constexpr double kRound = 0x1.8p52, kScale = 0x1p-21;  // adding kRound rounds to a whole
    const Pair round = {kRound, kRound}, scale = {kScale, kScale};
    PairBits other = {0, 0};
    int32_t i = 0;
    for (; i + 2 <= n; i += 2) {
        Pair v;
        std::memcpy(&v, values + i, sizeof v);
        other |= reinterpret_cast<PairBits>(v + round - round - v) |
                 reinterpret_cast<PairBits>(v * scale + round - round);
    }
    uint64_t rest = 0;
    for (; i < n; ++i)
        rest |= std::bit_cast<uint64_t>(values[i] + kRound - kRound - values[i]) |
                std::bit_cast<uint64_t>(values[i] * kScale + kRound - kRound);
    return (other[0] | other[1] | static_cast<int64_t>(rest)) == 0;
}

}  // namespace

// The table's cells with a border of cells for the samples outside it, so that every
// sample lands in some cell and the accumulation needs no test for the outside.
struct CellTableBuilder::Cells {
    static constexpr int kColumns = ColumnBins::kCount + 2;
    static constexpr int kCount = (RowBins::kCount + 2) * kColumns;
    std::array<int32_t, kCount> count{};
    std::array<int64_t, kCount> wholeSum{};
    std::array<__int128, kCount> wholeSquares{};
    std::array<ExactSum, kCount> sum, squares;  // of blocks not all of small whole numbers
    std::array<double, kCount> minimum, maximum;
    int64_t samplesInRange = 0;
    int64_t samplesPassed = 0;

    Cells() {
        minimum.fill(std::numeric_limits<double>::infinity());
        maximum.fill(-std::numeric_limits<double>::infinity());
    }

    // Samples first .. first + n - 1 (0-based) of the axes, value[0] being the value of sample
    // `first`, those that pass the filter (`passes`, from `first`); with kWhole all values are
    // small whole numbers. Engine speed and pressure change slowly, so a sample mostly lies in the
    // cell of the one before: a run of such samples is gathered with the cell's bounds and running
    // figures in registers, and the cell is looked up only when a run starts. A sample that fails
    // the filter stays in the run and adds nothing, without a branch: 0 to the sums, and a value
    // beyond the minimum and the maximum. Filters such as a closed-loop flag change often and at
    // random.
    template <bool kFiltered, bool kSpread, bool kWhole>
    int64_t Accumulate(const double* rpm, const double* map, const double* value, int32_t first,
                       int32_t n, const Passes* passes) {
        const RowBins& rows = Rows();
        const ColumnBins& columns = Columns();
        int64_t passedAll = 0;
        for (int32_t s = first, last = first + n; s < last;) {
            const int row = rows.Bin(Key(rpm[s])), column = columns.Bin(Key(map[s]));
            const RowBins::Range rowRange = rows.RangeOf(row);
            const ColumnBins::Range columnRange = columns.RangeOf(column);
            const int cell = row * kColumns + column;
            const int32_t runStart = s;
            int32_t passed = 0;
            double runSum = 0, runSquares = 0;  // whole numbers, exact
            double low = minimum[cell], high = maximum[cell];
            do {
                double v = value[s - first], vLow, vHigh;
                if constexpr (kFiltered) {
                    const double weight = passes->weight[s - first];
                    const double beyond = passes->beyond[s - first];
                    passed += static_cast<int32_t>(weight);
                    v = weight != 0 ? v : 0.0;  // not even a NaN
                    vLow = v + beyond;
                    vHigh = v - beyond;
                } else {
                    vLow = vHigh = v + 0.0;  // -0 as 0: the same extremes in any order
                }
                ++s;
                if constexpr (kWhole) {
                    runSum += v;
                    if constexpr (kSpread) runSquares += v * v;
                } else {
                    sum[cell].Add(v);
                    if constexpr (kSpread) squares[cell].AddProduct(v, v);
                }
                if constexpr (kSpread) {
                    low = std::min(low, vLow);
                    high = std::max(high, vHigh);
                }
            } while (s < last && (rowRange.Holds(Key(rpm[s])) & columnRange.Holds(Key(map[s]))));
            if (!kFiltered) passed = s - runStart;
            wholeSum[cell] += static_cast<int64_t>(runSum);
            wholeSquares[cell] += static_cast<int64_t>(runSquares);
            minimum[cell] = low;
            maximum[cell] = high;
            count[cell] += passed;
            passedAll += passed;
        }
        return passedAll;
    }

    template <bool kFiltered, bool kSpread>
    int64_t Accumulate(const double* rpm, const double* map, const double* value, int32_t first,
                       int32_t n, const Passes* passes) {
        return SmallWholeNumbers(value, n)
                   ? Accumulate<kFiltered, kSpread, true>(rpm, map, value, first, n, passes)
                   : Accumulate<kFiltered, kSpread, false>(rpm, map, value, first, n, passes);
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
    std::array<double, kStatsBlock> rpm, map, value{};
    Passes passes;
    for (int32_t block = first - 1; block < last; block += kStatsBlock) {
        const int32_t n = std::min(kStatsBlock, last - block);
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
}

TableSums CellTableBuilder::Sums() const {
    TableSums sums;
    sums.samplesInRange = cells_->samplesInRange;
    sums.samplesPassed = cells_->samplesPassed;
    sums.gathered = spread_ ? Gathered::Everything : Gathered::MeanAndCount;
    for (int k = 1; k <= kTableRows; ++k) {
        for (int m = 1; m <= kTableColumns; ++m) {
            const int cell = k * Cells::kColumns + m;
            CellSums& sum = sums.cells[k - 1][m - 1];
            sum.count = cells_->count[cell];
            if (sum.count == 0) continue;
            sum.sum = cells_->sum[cell];
            sum.sum.AddWhole(cells_->wholeSum[cell]);
            if (!spread_) continue;
            sum.squares = cells_->squares[cell];
            sum.squares.AddWhole(cells_->wholeSquares[cell]);
            sum.minimum = cells_->minimum[cell];
            sum.maximum = cells_->maximum[cell];
        }
    }
    return sums;
}

void CellSums::Add(const CellSums& other) {
    count += other.count;
    sum.Add(other.sum);
    squares.Add(other.squares);
    minimum = std::min(minimum, other.minimum);
    maximum = std::max(maximum, other.maximum);
}

void TableSums::Add(const TableSums& other) {
    for (int k = 0; k < kTableRows; ++k)
        for (int m = 0; m < kTableColumns; ++m) cells[k][m].Add(other.cells[k][m]);
    samplesInRange += other.samplesInRange;
    samplesPassed += other.samplesPassed;
    if (other.gathered == Gathered::MeanAndCount) gathered = Gathered::MeanAndCount;
}

CellTable TableSums::Table() const {
    CellTable table;
    table.samplesInRange = samplesInRange;
    table.samplesPassed = samplesPassed;
    for (int k = 0; k < kTableRows; ++k) {
        for (int m = 0; m < kTableColumns; ++m) {
            const CellSums& cell = cells[k][m];
            if (cell.count == 0) continue;
            table.count[k][m] = static_cast<int32_t>(cell.count);
            table.mean[k][m] = cell.sum.Divided(static_cast<uint64_t>(cell.count));
            if (gathered == Gathered::MeanAndCount) continue;
            table.minimum[k][m] = cell.minimum;
            table.maximum[k][m] = cell.maximum;
            if (cell.count > 1)
                table.stdDev[k][m] = SampleStdDev(cell.sum, cell.squares, cell.count);
        }
    }
    return table;
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
