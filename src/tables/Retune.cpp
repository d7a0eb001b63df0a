#include "tables/Retune.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tables/CellStats.h"

namespace grafolux {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kBlock = 2048;  // samples whose marks stay in the cache

// Clamped into [first, last]; a missing value (NaN) reads as `first`, so that what is computed
// from it stays finite (it adds nothing: the sample is not used).
double Clamped(double v, double first, double last) {
    v = v > first ? v : first;
    return v < last ? v : last;
}

// The largest i with axis[i] <= v clamped, one lower when it is the last breakpoint.
size_t IndexOf(const std::vector<double>& axis, double v) {
    const double clamped = Clamped(v, axis.front(), axis.back());
    const auto above = std::upper_bound(axis.begin(), axis.end(), clamped);
    return std::min(static_cast<size_t>(above - axis.begin()) - 1, axis.size() - 2);
}

// The weights of the lower and the upper breakpoint of an axis, at fraction f between them.
struct Split {
    double low, high;
};
template <CellWeighting kWeighting>
Split SplitAt(double f) {
    if constexpr (kWeighting == CellWeighting::Bilinear) return {1 - f, f};
    return f <= 0.5 ? Split{1, 0} : Split{0, 1};
}

// Where the engine speed (or pressure) stays within breakpoints i and i + 1 of an axis, as the
// search finds them; the ends open outwards, where the values clamp. NaN lies within.
class Interval {
public:
    Interval(const std::vector<double>& axis, double v)
        : index(IndexOf(axis, v)), first_(axis.front()), last_(axis.back()) {
        low_ = axis[index];
        span_ = axis[index + 1] - low_;
        from_ = index == 0 ? -kInfinity : low_;
        to_ = index + 2 == axis.size() ? kInfinity : axis[index + 1];
    }
    bool Holds(double v) const { return !(v < from_) & !(v >= to_); }
    // How far v, clamped into the axis, lies from breakpoint i towards i + 1, from 0 to 1.
    double Fraction(double v) const { return (Clamped(v, first_, last_) - low_) / span_; }

    const size_t index;

private:
    double first_, last_;  // the axis' ends
    double low_, span_;    // breakpoint i and the distance to the next
    double from_, to_;     // from <= v < to
};

// A column as the source gives it, or missing in every sample.
const double* ColumnOf(std::span<const double> column, int32_t samples) {
    return column.size() == static_cast<size_t>(samples) ? column.data() : nullptr;
}

const double* MissingBlock() {
    static const auto nans = [] {
        std::array<double, kBlock> values;
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
    const double *rpm, *map, *factor;

    Block(const RetuneSource& source, int32_t from, int32_t count) : first(from), n(count) {
        const auto at = [&](std::span<const double> column) {
            const double* values = ColumnOf(column, source.samples);
            return values ? values + (from - 1) : MissingBlock();
        };
        rpm = at(source.rpm);
        map = at(source.map);
        factor = at(source.factor);
    }
};

// use[i] = 1 when sample first + i passes the filter and has all three values, else 0; what
// was dropped and why is added to `evidence` when given.
void MarkUsed(const RetuneSource& source, const Block& block, double* use,
              RetuneEvidence* evidence) {
    if (!source.filter)
        std::fill_n(use, block.n, 1.0);
    else if (evidence)
        source.filter->MarkWeights(block.first, block.n, use, evidence->failedCondition);
    else
        source.filter->MarkWeights(block.first, block.n, use);
    int64_t noRpm = 0, noMap = 0, noFactor = 0, noAny = 0, used = 0;
    for (int32_t i = 0; i < block.n; ++i) {
        const bool passes = use[i] != 0;
        const bool rpmMissing = std::isnan(block.rpm[i]), mapMissing = std::isnan(block.map[i]);
        // An infinite factor would make 0 × factor, the weight of a cell beside an exact
        // breakpoint, NaN in that cell.
        const bool factorMissing = !(std::fabs(block.factor[i]) < kInfinity);
        const bool anyMissing = rpmMissing | mapMissing | factorMissing;
        noRpm += passes & rpmMissing;
        noMap += passes & mapMissing;
        noFactor += passes & factorMissing;
        noAny += passes & anyMissing;
        used += passes & !anyMissing;
        use[i] = passes & !anyMissing ? 1.0 : 0.0;
    }
    if (!evidence) return;
    evidence->missingRpm += noRpm;
    evidence->missingMap += noMap;
    evidence->missingFactor += noFactor;
    evidence->missingAny += noAny;
    evidence->samplesUsed += used;
}

// What the cells gather: W, Σ weight × factor and the samples that touched them.
struct Sums {
    std::vector<double> weight, weighted;
    std::vector<int64_t> samples;
    explicit Sums(size_t cells) : weight(cells), weighted(cells), samples(cells) {}
};

// One cell's sums while a run of samples stays between the same breakpoints.
struct CellRun {
    double weight, weighted;
    int64_t samples;

    CellRun(const Sums& sums, size_t cell)
        : weight(sums.weight[cell]), weighted(sums.weighted[cell]), samples(sums.samples[cell]) {}
    void Store(Sums& sums, size_t cell) const {
        sums.weight[cell] = weight;
        sums.weighted[cell] = weighted;
        sums.samples[cell] = samples;
    }
    // Without a branch: a sample not used gives weight 0 and adds exactly nothing.
    void Add(bool used, double w, double factor) {
        w = used ? w : 0.0;
        weight += w;
        weighted += w * factor;
        samples += w > 0;
    }
};

// The block's samples into the cells, in sample order. Engine speed and pressure change slowly,
// so a sample mostly lies between the breakpoints of the one before: a run of such samples is
// gathered with its four cells' sums in registers, and the axes are searched only when a run
// starts.
template <CellWeighting kWeighting>
void Accumulate(const FuelMap& map, const Block& block, const double* use, Sums& sums) {
    const size_t columns = map.columnCount();
    for (int32_t s = 0; s < block.n;) {
        const Interval rows(map.rows.values, block.rpm[s]);
        const Interval cols(map.columns.values, block.map[s]);
        const size_t c00 = rows.index * columns + cols.index, c10 = c00 + columns;
        CellRun low0(sums, c00), low1(sums, c00 + 1), high0(sums, c10), high1(sums, c10 + 1);
        do {
            const Split r = SplitAt<kWeighting>(rows.Fraction(block.rpm[s]));
            const Split m = SplitAt<kWeighting>(cols.Fraction(block.map[s]));
            const bool used = use[s] != 0;
            const double factor = used ? block.factor[s] : 0.0;
            low0.Add(used, r.low * m.low, factor);
            high0.Add(used, r.high * m.low, factor);
            low1.Add(used, r.low * m.high, factor);
            high1.Add(used, r.high * m.high, factor);
            ++s;
        } while (s < block.n && rows.Holds(block.rpm[s]) & cols.Holds(block.map[s]));
        low0.Store(sums, c00);
        low1.Store(sums, c00 + 1);
        high0.Store(sums, c10);
        high1.Store(sums, c10 + 1);
    }
}

RetuneCell Finished(double old, double weight, double weighted, int64_t samples,
                    const RetuneSettings& settings) {
    RetuneCell cell;
    cell.weight = weight;
    cell.samples = samples;
    if (weight > 0) cell.factor = weighted / weight;
    cell.trusted = weight >= settings.minWeight && cell.factor > 0;
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
        return item != 0 ? log.column(item) : std::span<const double>();
    };
    return {log.lngSampleCount, first, last, column(kRpmItem), column(kMapItem), factor, &filter};
}

std::vector<double> DefaultFuelFactor(const LogData& log) {
    const int32_t blmItem = log.itemNamed(ValueItemOf(TableKind::Blm));
    const int32_t intItem = log.itemNamed(ValueItemOf(TableKind::Int));
    if (blmItem == 0 || intItem == 0) return {};
    const std::span<const double> blm = log.column(blmItem), integrator = log.column(intItem);
    std::vector<double> factor(blm.size());
    for (size_t s = 0; s < factor.size(); ++s) factor[s] = blm[s] * integrator[s] / 16384;
    return factor;
}

RetuneResult Retune(const FuelMap& map, std::span<const RetuneSource> sources,
                    const RetuneSettings& settings) {
    RetuneResult result;
    RetuneEvidence& evidence = result.evidence;
    evidence.logs = static_cast<int32_t>(sources.size());
    size_t conditions = 0;
    for (const RetuneSource& source : sources)
        if (source.filter) conditions = std::max(conditions, source.filter->conditionCount());
    evidence.failedCondition.assign(conditions, 0);

    Sums sums(map.cells.size());
    std::array<double, kBlock> use;
    for (const RetuneSource& source : sources) {
        const auto [first, last] = ClampedRange(source);
        if (first > last) continue;
        evidence.samplesInRange += last - first + 1;
        for (int32_t from = first; from <= last; from += kBlock) {
            const Block block(source, from, std::min(kBlock, last - from + 1));
            MarkUsed(source, block, use.data(), &evidence);
            if (settings.weighting == CellWeighting::Nearest)
                Accumulate<CellWeighting::Nearest>(map, block, use.data(), sums);
            else
                Accumulate<CellWeighting::Bilinear>(map, block, use.data(), sums);
        }
    }

    result.cells.reserve(map.cells.size());
    for (size_t c = 0; c < map.cells.size(); ++c) {
        result.cells.push_back(
            Finished(map.cells[c], sums.weight[c], sums.weighted[c], sums.samples[c], settings));
        evidence.trustedCells += result.cells.back().trusted;
    }
    evidence.cells = static_cast<int32_t>(map.cells.size());
    return result;
}

SampleMarks MarkRetuneCellSamples(const FuelMap& map, const RetuneSource& source, size_t row,
                                  size_t column, CellWeighting weighting) {
    const auto [first, last] = ClampedRange(source);
    // The weight an axis gives breakpoint `at`: as the retune weighs it.
    const auto axisWeight = [weighting](const std::vector<double>& axis, double v, size_t at) {
        const Interval interval(axis, v);
        const double f = interval.Fraction(v);
        const Split split = weighting == CellWeighting::Nearest
                                ? SplitAt<CellWeighting::Nearest>(f)
                                : SplitAt<CellWeighting::Bilinear>(f);
        return at == interval.index ? split.low : at == interval.index + 1 ? split.high : 0.0;
    };
    std::array<double, kBlock> use;
    std::optional<Block> block;
    return SampleMarks(first, last, [&](int32_t s) {
        if (!block || s == block->first + block->n) {
            block.emplace(source, s, std::min(kBlock, last - s + 1));
            MarkUsed(source, *block, use.data(), nullptr);
        }
        const int32_t i = s - block->first;
        return use[static_cast<size_t>(i)] != 0 &&
               axisWeight(map.rows.values, block->rpm[i], row) *
                       axisWeight(map.columns.values, block->map[i], column) >
                   0;
    });
}

}  // namespace grafolux
