#include "tables/Retune.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "tables/CellStats.h"

namespace grafolux {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kRetuneBlock = 512;  // samples whose marks stay in the first-level cache

// Two doubles side by side, computed as one (SSE2 on x86-64, NEON on ARM), where the compiler
// does not vectorise a loop itself: engine speed and pressure, or two cells of the map. Each
// lane rounds as a lone double would.
using Pair = double __attribute__((vector_size(16)));
using PairMask = int64_t __attribute__((vector_size(16)));  // per lane all ones or all zeros

Pair Select(PairMask mask, Pair yes, Pair no) {
    return reinterpret_cast<Pair>((mask & reinterpret_cast<PairMask>(yes)) |
                                  (~mask & reinterpret_cast<PairMask>(no)));
}

bool Both(PairMask mask) { return (mask[0] & mask[1]) != 0; }

// Two neighbouring values, at any alignment.
template <typename Vector, typename T>
Vector LoadPair(const T* at) {
    Vector v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
template <typename Vector, typename T>
void StorePair(T* at, Vector v) {
    std::memcpy(at, &v, sizeof v);
}

// 1 for a weight of 1, 0 for a weight of 0, from the bits: the top three of 1.0 are 001, of 0.0
// 000. A loop that counts so vectorises, where one that counts comparisons does not.
int64_t OneOf(double weight) { return static_cast<int64_t>(std::bit_cast<uint64_t>(weight) >> 61); }

// The largest i with axis[i] <= v (v clamped into the axis), one lower when it is the last
// breakpoint. Searched from `near`, as the next box mostly neighbours the last.
size_t IndexOf(const std::vector<double>& axis, double v, size_t near) {
    size_t i = std::min(near, axis.size() - 2);
    while (i + 2 < axis.size() && axis[i + 1] <= v) ++i;
    while (i > 0 && axis[i] > v) --i;
    return i;
}

// Where an engine speed and pressure lie between breakpoints (i, j) and (i + 1, j + 1): the box
// of the four cells they weigh on. Boxes at the axes' ends reach out to the values that clamp
// into them.
struct Box {
    size_t row, column;  // i and j
    Pair first, last;    // the axes' ends
    Pair low, span;      // breakpoints i and j, and the distances to the next
    Pair from, to;       // the values within: from <= v < to
    bool atEnd;          // some values within lie beyond the axes

    Box(const FuelMap& map, Pair v, size_t nearRow = 0, size_t nearColumn = 0)
        : row(IndexOf(map.rows.values, v[0], nearRow)),
          column(IndexOf(map.columns.values, v[1], nearColumn)) {
        const std::vector<double>& rows = map.rows.values;
        const std::vector<double>& columns = map.columns.values;
        first = Pair{rows.front(), columns.front()};
        last = Pair{rows.back(), columns.back()};
        low = Pair{rows[row], columns[column]};
        span = Pair{rows[row + 1], columns[column + 1]} - low;
        const bool rowEnd = row + 2 == rows.size(), columnEnd = column + 2 == columns.size();
        from = Pair{row == 0 ? -kInfinity : low[0], column == 0 ? -kInfinity : low[1]};
        to = Pair{rowEnd ? kInfinity : rows[row + 1], columnEnd ? kInfinity : columns[column + 1]};
        atEnd = row == 0 || column == 0 || rowEnd || columnEnd;
    }
    bool Holds(Pair v) const { return Both((v >= from) & (v < to)); }
    // How far v, clamped into the axes, lies from breakpoints i and j towards the next ones,
    // from 0 to 1. Only a box at an end needs the clamping.
    template <bool kClamp = true>
    Pair Fraction(Pair v) const {
        if constexpr (kClamp) {
            v = Select(v > first, v, first);
            v = Select(v < last, v, last);
        }
        return (v - low) / span;
    }
};

// The weights of the lower and the upper breakpoint of each axis, at fractions f between them.
struct Split {
    Pair low, high;
};
template <CellWeighting kWeighting>
Split SplitAt(Pair f) {
    if constexpr (kWeighting == CellWeighting::Bilinear) {
        return {1.0 - f, f};
    } else {  // the lower one at an exact half
        const Pair low = Select(f <= 0.5, Pair{1, 1}, Pair{0, 0});
        return {low, 1.0 - low};
    }
}

// The factor as the source gives it, or missing in every sample.
const double* FactorOf(const RetuneSource& source) {
    return source.factor.size() == static_cast<size_t>(source.samples) ? source.factor.data()
                                                                       : nullptr;
}

const double* MissingBlock() {
    static const auto nans = [] {
        std::array<double, kRetuneBlock> values;
        values.fill(kNaN);
        return values;
    }();
    return nans.data();
}

// A source's range, clamped; empty when first > last.
struct Range {
    int32_t first, last;
};
Range ClampedRange(const RetuneSource& source) {
    return {std::max(source.first, int32_t{1}), std::min(source.last, source.samples)};
}

// One block of a source's samples, from sample `first` (1-based), n of them.
struct Block {
    int32_t first, n;
    std::array<double, kRetuneBlock> rpmValues, mapValues;
    const double *rpm, *map, *factor;

    Block(const RetuneSource& source, int32_t from, int32_t count) : first(from), n(count) {
        const auto read = [&](const Column* column, std::array<double, kRetuneBlock>& values) {
            if (!column || column->size() != source.samples) return MissingBlock();
            column->Read(from - 1, count, values.data());
            return static_cast<const double*>(values.data());
        };
        rpm = read(source.rpm, rpmValues);
        map = read(source.map, mapValues);
        const double* values = FactorOf(source);
        factor = values ? values + (from - 1) : MissingBlock();
    }
};

// Which samples of a block the retune uses, and what it reads of them.
struct BlockUse {
    std::array<double, kRetuneBlock> passes;  // 1 where the sample passes the filter, else 0
    std::array<double, kRetuneBlock> use;     // 1 where it also has all three values, else 0
    // The samples used, one after the other: engine speed and pressure, and the factor twice.
    int32_t used = 0;
    std::array<Pair, kRetuneBlock> at, factor;
};

// The samples lacking a value, of those that pass the filter.
void CountMissing(const Block& block, const BlockUse& marks, RetuneEvidence& evidence) {
    for (int32_t i = 0; i < block.n; ++i) {
        if (marks.passes[i] == 0) continue;
        const bool rpm = std::isnan(block.rpm[i]), map = std::isnan(block.map[i]);
        const bool factor = !(std::fabs(block.factor[i]) < kInfinity);
        evidence.missingRpm += rpm;
        evidence.missingMap += map;
        evidence.missingFactor += factor;
        evidence.missingAny += rpm | map | factor;
    }
}

// What was dropped and why is added to `evidence` when given.
void MarkUse(const RetuneSource& source, const Block& block, BlockUse& marks,
             RetuneEvidence* evidence) {
    double* passes = marks.passes.data();
    if (!source.filter)
        std::fill_n(passes, block.n, 1.0);
    else if (evidence)
        source.filter->MarkWeights(block.first, block.n, passes, evidence->failedCondition);
    else
        source.filter->MarkWeights(block.first, block.n, passes);
    // Selects one after the other, which vectorise where a test of several comparisons does not.
    // An infinite factor is missing too: 0 × factor, the weight of a cell beside an exact
    // breakpoint, would be NaN in that cell.
    int64_t lacking = 0;
    for (int32_t i = 0; i < block.n; ++i) {
        double present = block.rpm[i] == block.rpm[i] ? 1.0 : 0.0;
        present = block.map[i] == block.map[i] ? present : 0.0;
        present = std::fabs(block.factor[i]) < kInfinity ? present : 0.0;
        marks.use[i] = passes[i] * present;
        lacking += OneOf(passes[i] - marks.use[i]);
    }
    // Written one after the other whether used or not, without a branch; only a sample used
    // moves the next place on.
    int32_t used = 0;
    for (int32_t i = 0; i < block.n; ++i) {
        marks.at[used] = Pair{block.rpm[i], block.map[i]};
        marks.factor[used] = Pair{block.factor[i], block.factor[i]};
        used += static_cast<int32_t>(OneOf(marks.use[i]));
    }
    marks.used = used;
    if (!evidence) return;
    evidence->samplesUsed += used;
    if (lacking != 0) CountMissing(block, marks, *evidence);
}

// The sums of cells (i, j) and (i + 1, j), which a run of samples in one box reaches again and
// again. Each weight and each weight × factor is added exactly; the samples that touched each
// cell are counted in registers while the run lasts.
class CellPairSums {
public:
    CellPairSums(RetuneSums& sums, size_t columns, size_t i, size_t j)
        : low_(sums.cells[i * columns + j]), high_(sums.cells[(i + 1) * columns + j]) {}
    ~CellPairSums() {
        low_.samples -= samples_[0];
        high_.samples -= samples_[1];
    }
    CellPairSums(const CellPairSums&) = delete;
    CellPairSums& operator=(const CellPairSums&) = delete;

    void Add(Pair w, Pair factor) {
        low_.weight.Add(w[0]);
        high_.weight.Add(w[1]);
        low_.weighted.AddProduct(w[0], factor[0]);
        high_.weighted.AddProduct(w[1], factor[1]);
        samples_ += w > 0;  // a true comparison is -1
    }

private:
    RetuneCellSums &low_, &high_;
    PairMask samples_ = {0, 0};
};

// The samples used of a run that stays in `box`, from s on, into its four cells; returns the
// sample after the run.
template <CellWeighting kWeighting, bool kClamp>
int32_t GatherRun(const Box& box, const BlockUse& marks, int32_t s, CellPairSums& lowColumn,
                  CellPairSums& highColumn) {
    do {
        const Split w = SplitAt<kWeighting>(box.Fraction<kClamp>(marks.at[s]));
        const Pair rowWeights = {w.low[0], w.high[0]};
        lowColumn.Add(rowWeights * w.low[1], marks.factor[s]);
        highColumn.Add(rowWeights * w.high[1], marks.factor[s]);
    } while (++s < marks.used && box.Holds(marks.at[s]));
    return s;
}

// The block's samples used into the cells, in sample order. Engine speed and pressure change
// slowly, so a sample mostly lies in the box of the one before: a run of such samples is
// gathered with the box's four cells' sums in registers, and the axes are searched only when a
// run starts.
template <CellWeighting kWeighting>
void Accumulate(const FuelMap& map, const BlockUse& marks, RetuneSums& sums) {
    size_t row = 0, column = 0;
    for (int32_t s = 0; s < marks.used;) {
        const Box box(map, marks.at[s], row, column);
        row = box.row;
        column = box.column;
        CellPairSums lowColumn(sums, map.columnCount(), row, column);
        CellPairSums highColumn(sums, map.columnCount(), row, column + 1);
        s = box.atEnd ? GatherRun<kWeighting, true>(box, marks, s, lowColumn, highColumn)
                      : GatherRun<kWeighting, false>(box, marks, s, lowColumn, highColumn);
    }
}

RetuneCell Finished(double old, const RetuneCellSums& sums, const RetuneSettings& settings) {
    RetuneCell cell;
    cell.weight = sums.weight.Rounded();
    cell.samples = sums.samples;
    if (cell.weight > 0) cell.factor = sums.weighted.Rounded() / cell.weight;
    cell.trusted = cell.weight >= settings.minWeight && cell.factor > 0;
    if (cell.trusted)
        cell.change = std::min(std::max(cell.factor, 1 - settings.maxChange / 100),
                               1 + settings.maxChange / 100);
    cell.value = cell.trusted ? old * cell.change : old;
    return cell;
}

}  // namespace

std::string_view CellWeightingName(CellWeighting weighting) {
    return weighting == CellWeighting::Nearest ? "nearest" : "bilinear";
}

std::optional<CellWeighting> CellWeightingNamed(std::string_view name) {
    for (const CellWeighting w : {CellWeighting::Bilinear, CellWeighting::Nearest})
        if (name == CellWeightingName(w)) return w;
    return std::nullopt;
}

std::optional<std::string> RetuneSettingsError(const RetuneSettings& settings) {
    const auto fine = [](double v) { return v >= 0 && v < kInfinity; };
    if (!fine(settings.minWeight)) return "the minimum weight must be a number, 0 or more";
    if (!fine(settings.maxChange)) return "the largest change must be a percentage, 0 or more";
    return std::nullopt;
}

RetuneSource RetuneSourceOf(const LogData& log, int32_t first, int32_t last,
                            std::span<const double> factor, const SampleFilter& filter) {
    const auto column = [&](const char* name) {
        const int32_t item = log.itemNamed(name);
        return item != 0 ? &log.column(item) : nullptr;
    };
    return {log.lngSampleCount, first, last, column(kRpmItem), column(kMapItem), factor, &filter};
}

std::vector<double> DefaultFuelFactor(const LogData& log) {
    const int32_t blmItem = log.itemNamed(ValueItemOf(TableKind::Blm));
    const int32_t intItem = log.itemNamed(ValueItemOf(TableKind::Int));
    if (blmItem == 0 || intItem == 0) return {};
    std::vector<double> factor(static_cast<size_t>(log.lngSampleCount));
    std::array<double, kRetuneBlock> blm, integrator;
    for (int32_t from = 0; from < log.lngSampleCount; from += kRetuneBlock) {
        const int32_t n = std::min(kRetuneBlock, log.lngSampleCount - from);
        log.column(blmItem).Read(from, n, blm.data());
        log.column(intItem).Read(from, n, integrator.data());
        for (int32_t i = 0; i < n; ++i)
            factor[static_cast<size_t>(from + i)] = blm[i] * integrator[i] / 16384;
    }
    return factor;
}

void RetuneSums::Add(const RetuneSums& other) {
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i].weight.Add(other.cells[i].weight);
        cells[i].weighted.Add(other.cells[i].weighted);
        cells[i].samples += other.cells[i].samples;
    }
    RetuneEvidence& e = evidence;
    const RetuneEvidence& o = other.evidence;
    e.logs += o.logs;
    e.samplesInRange += o.samplesInRange;
    e.samplesUsed += o.samplesUsed;
    for (size_t i = 0; i < e.failedCondition.size(); ++i)
        e.failedCondition[i] += o.failedCondition[i];
    e.missingRpm += o.missingRpm;
    e.missingMap += o.missingMap;
    e.missingFactor += o.missingFactor;
    e.missingAny += o.missingAny;
}

RetuneSums GatherRetune(const FuelMap& map, std::span<const RetuneSource> sources,
                        CellWeighting weighting) {
    RetuneSums sums;
    sums.cells.resize(map.cells.size());
    RetuneEvidence& evidence = sums.evidence;
    evidence.logs = static_cast<int32_t>(sources.size());
    size_t conditions = 0;
    for (const RetuneSource& source : sources)
        if (source.filter) conditions = std::max(conditions, source.filter->conditionCount());
    evidence.failedCondition.assign(conditions, 0);

    const auto marks = std::make_unique<BlockUse>();
    for (const RetuneSource& source : sources) {
        const auto [first, last] = ClampedRange(source);
        if (first > last) continue;
        evidence.samplesInRange += last - first + 1;
        for (int32_t from = first; from <= last; from += kRetuneBlock) {
            const Block block(source, from, std::min(kRetuneBlock, last - from + 1));
            MarkUse(source, block, *marks, &evidence);
            if (weighting == CellWeighting::Nearest)
                Accumulate<CellWeighting::Nearest>(map, *marks, sums);
            else
                Accumulate<CellWeighting::Bilinear>(map, *marks, sums);
        }
    }
    return sums;
}

RetuneResult Retuned(const FuelMap& map, const RetuneSums& sums, const RetuneSettings& settings) {
    RetuneResult result;
    result.evidence = sums.evidence;
    result.cells.reserve(map.cells.size());
    for (size_t cell = 0; cell < map.cells.size(); ++cell) {
        result.cells.push_back(Finished(map.cells[cell], sums.cells[cell], settings));
        result.evidence.trustedCells += result.cells.back().trusted;
    }
    result.evidence.cells = static_cast<int32_t>(map.cells.size());
    return result;
}

SampleMarks MarkRetuneCellSamples(const FuelMap& map, const RetuneSource& source, size_t row,
                                  size_t column, CellWeighting weighting) {
    const auto [first, last] = ClampedRange(source);
    // As the retune weighs it; a cell outside the sample's box gets nothing.
    size_t nearRow = 0, nearColumn = 0;
    const auto weighs = [&](Pair v) {
        const Box box(map, v, nearRow, nearColumn);
        nearRow = box.row;
        nearColumn = box.column;
        const size_t i = row - box.row, j = column - box.column;  // 0 or 1 inside the box
        if (i > 1 || j > 1) return false;
        const Split w = weighting == CellWeighting::Nearest
                            ? SplitAt<CellWeighting::Nearest>(box.Fraction(v))
                            : SplitAt<CellWeighting::Bilinear>(box.Fraction(v));
        return (i == 0 ? w.low[0] : w.high[0]) * (j == 0 ? w.low[1] : w.high[1]) > 0;
    };
    const auto marks = std::make_unique<BlockUse>();
    std::optional<Block> block;
    return SampleMarks(first, last, [&](int32_t s) {
        if (!block || s == block->first + block->n) {
            block.emplace(source, s, std::min(kRetuneBlock, last - s + 1));
            MarkUse(source, *block, *marks, nullptr);
        }
        const auto i = static_cast<size_t>(s - block->first);
        return marks->use[i] != 0 && weighs(Pair{block->rpm[i], block->map[i]});
    });
}

}  // namespace grafolux
