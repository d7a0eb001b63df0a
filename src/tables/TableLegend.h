#pragma once
// What the legend shows beside a cell table: the statistic when it is not the mean, the
// sample filters with "N of M samples", the included logs and the colour key. Nothing at all
// for the plain table (means, no filter, one log, no colours), whose view and saved picture
// carry no legend.

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "tables/CellColours.h"
#include "tables/SampleFilter.h"

namespace grafolux {

enum class LegendStyle { Heading, Text, StruckOut, Note };

struct LegendLine {
    QString text;
    LegendStyle style = LegendStyle::Text;
    bool operator==(const LegendLine&) const = default;
};

struct TableLegendInput {
    CellShow show;
    std::vector<SampleCondition> conditions;
    std::vector<bool> conditionIgnored;  // per condition: some log lacks its item
    int64_t samplesPassed = 0, samplesInRange = 0;
    QString loadedLog;  // the file names, for display
    std::vector<QString> includedLogs;
    std::vector<bool> includedIsLoaded;  // the same file as the loaded log: it counts twice
    std::optional<ColourScale> colours;  // when the cells are coloured
    QString versusLog;                   // the cells show this log's table minus the loaded one's
};

std::vector<LegendLine> TableLegendLines(const TableLegendInput& input);

// The statistic's name as the Table menu shows it ("Std Dev").
QString StatisticTitle(CellStatistic statistic);

// A legend line's text as lines of at most `width` twips in the surface's font: the text as it
// is when it fits, else broken at blanks, a word longer than a line cut short with an ellipsis.
std::vector<QString> WrappedLines(const Surface& surface, const QString& text, double width);

// Every line's whole text, one a line: the legend's tooltip, for what did not fit.
QString LegendToolTip(const std::vector<LegendLine>& lines);

// The texts under the colour key, each fitted into its share of `width` in the surface's font:
// the scale's low and high end and, on a diverging scale, its middle (else empty).
struct KeyLabels {
    QString low, middle, high;
};
KeyLabels ColourKeyLabels(const Surface& legend, const ColourScale& key, double width);

// Draws the lines, each wrapped to the legend's width, and, when given, the colour key below
// them onto the cleared legend; lngLegendLines becomes the number of lines (and the key)
// drawn, 0 when there is nothing.
void DrawTableLegend(DrawingArea& area, const std::vector<LegendLine>& lines,
                     const std::optional<ColourScale>& key, const DisplayColors& colors);

}  // namespace grafolux
