#include "tables/CellSamples.h"

#include <algorithm>
#include <array>
#include <string>

#include "draw/NumberFormat.h"
#include "tables/CellLabels.h"

namespace grafolux {

namespace {

constexpr int kMarkedBlock = 4096;  // samples whose filter marks fit on the stack

QString Grouped(double value) { return FormatGrouped(value, 0); }

}  // namespace

SampleMarks MarkCellSamples(const LogData& log, CellAddress cell, int32_t first, int32_t last,
                            const SampleFilter& filter) {
    first = std::max(first, int32_t{1});
    last = std::min(last, log.lngSampleCount);
    const int32_t rpmItem = log.itemNamed(kRpmItem), mapItem = log.itemNamed(kMapItem);
    if (rpmItem == 0 || mapItem == 0)
        return SampleMarks(first, last, [](int32_t) { return false; });
    ColumnCursor rpm(log.column(rpmItem)), map(log.column(mapItem));
    const CellBounds bounds = BoundsOfCell(cell.row, cell.column);
    const auto inCell = [&](int32_t s) { return bounds.Holds(rpm.at(s - 1), map.at(s - 1)); };
    if (filter.passesAll()) return SampleMarks(first, last, inCell);
    // The filter's marks a block at a time.
    std::array<double, kMarkedBlock> passes;
    int32_t blockStart = first, blockEnd = first;
    return SampleMarks(first, last, [&](int32_t s) {
        if (s == blockEnd) {
            blockStart = s;
            blockEnd = s + std::min(kMarkedBlock, last - s + 1);
            filter.MarkWeights(blockStart, blockEnd - blockStart, passes.data());
        }
        return inCell(s) & (passes[static_cast<size_t>(s - blockStart)] != 0);
    });
}

QString CellName(CellAddress cell) {
    return Grouped(RowRpm(cell.row)) + " rpm \u00d7 " + Grouped(ColumnMap(cell.column)) + " kPa";
}

QString CellSummary(const CellTable& table, TableKind kind, CellAddress cell) {
    const int k = cell.row - 1, m = cell.column - 1;
    const int rpm = RowRpm(cell.row), map = ColumnMap(cell.column);
    QString text = QString(kind == TableKind::Blm ? "BLM" : "INT") + " cell " + CellName(cell) +
                   "\nRPM from " + Grouped(rpm - kRpmStep / 2) + " to under " +
                   Grouped(rpm + kRpmStep / 2) + ", MAP from " + Grouped(map - kMapStep / 2) +
                   " to under " + Grouped(map + kMapStep / 2) + " kPa\n";
    const int32_t count = table.count[k][m];
    if (count == 0) return text + "No samples";
    const auto number = [](double v) { return FormatGrouped(v, 2); };
    return text + Grouped(count) + (count == 1 ? " sample" : " samples") + "\nMean " +
           number(table.mean[k][m]) + ", minimum " + number(table.minimum[k][m]) + ", maximum " +
           number(table.maximum[k][m]) + "\nStd dev " +
           (count > 1 ? number(table.stdDev[k][m]) : QString("N/A (one sample)"));
}

}  // namespace grafolux
