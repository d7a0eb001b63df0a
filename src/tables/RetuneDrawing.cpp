#include "tables/RetuneDrawing.h"

#include <algorithm>
#include <cmath>

#include "draw/NumberFormat.h"
#include "tables/CellColours.h"
#include "tables/RetuneText.h"

namespace grafolux {

namespace {

constexpr double kCellPadding = 2 * kTwipsPerPixel;  // a value keeps off its cell's edges

struct Grid {
    double H, Wc, h, w;  // the plot's height, the canvas' width, a cell's height and width
};

Grid GridOf(double H, double Wc, const FuelMap& map) {
    return {H, Wc, H / static_cast<double>(map.rowCount()),
            Wc / static_cast<double>(map.columnCount())};
}

// Every n-th label, n as small as lets neighbours keep apart: `size` is a label's extent and
// `room` the band each has.
size_t LabelStep(double size, double room) {
    return room > 0 ? static_cast<size_t>(std::max(1.0, std::ceil(size / room))) : 1;
}

// The font in which every value fits its cell, the smaller one when only that fits; none
// when neither does (then each value that fits on its own is printed in the smaller).
bool ChooseValueFont(Surface& contents, const std::vector<QString>& texts, const Grid& g) {
    for (const double points : {7.0, 6.0}) {
        contents.SetFont("Arial", points);
        bool all = true;
        for (const QString& text : texts)
            all = all && contents.TextWidth(text) <= g.w - kCellPadding &&
                  contents.TextHeight(text) <= g.h;
        if (all) return true;
    }
    return false;
}

}  // namespace

QString TrimsFactorText() { return QString::fromUtf8("BLM \u00d7 INT \u00f7 16384"); }

ColourScale ChangeScale(double maxChange) {
    ColourScale scale;
    scale.statistic = CellStatistic::Mean;  // diverging
    scale.low = -maxChange;
    scale.high = maxChange;
    return scale;
}

Colour RetuneCellColour(const RetuneCell& cell, double maxChange) {
    if (!cell.trusted) return kUntrustedCellColour;
    return ScaleColour(ChangeScale(maxChange), (cell.change - 1) * 100);
}

void DrawRetuneMap(DrawingArea& area, const FuelMap& map, const RetuneResult& result,
                   double maxChange, const DisplayColors& colors) {
    Surface& graph = area.pbGraph;
    Surface& contents = area.pbGraphContents;
    graph.SetFont("Arial", 7);
    contents.SetFont("Arial", 7);
    const PlotSize plot = PlaceCanvas(area, 1);
    graph.Cls();
    contents.Cls();
    contents.SetLeft(0);
    ClearLegend(area);
    const Grid g = GridOf(plot.H, plot.CW, map);
    const size_t rows = map.rowCount(), columns = map.columnCount();

    std::vector<QString> texts(map.cells.size());
    for (size_t c = 0; c < texts.size(); ++c)
        texts[c] = QString::fromStdString(*RetuneCellText(map, result, RetuneShow::Map, c));
    for (size_t i = 0; i < rows; ++i) {
        for (size_t j = 0; j < columns; ++j) {
            const double x = g.w * static_cast<double>(j);
            const double y = g.H - g.h * static_cast<double>(i + 1);
            contents.Box(x, y, x + g.w, y + g.h,
                         RetuneCellColour(result.cells[i * columns + j], maxChange), true);
        }
    }

    // Grid lines, then the row labels left of the canvas and the column labels under it.
    contents.SetForeColor(colors.lngGridColor);
    for (size_t i = 0; i <= rows; ++i)
        contents.Line(0, g.H - g.h * static_cast<double>(i), g.Wc,
                      g.H - g.h * static_cast<double>(i));
    for (size_t j = 0; j <= columns; ++j)
        contents.Line(g.w * static_cast<double>(j), 0, g.w * static_cast<double>(j), g.H);
    const size_t rowStep = LabelStep(graph.TextHeight("0"), g.h);
    for (size_t i = 0; i < rows; i += rowStep) {
        const QString label = QString::fromStdString(map.rows.texts[i]);
        const double y = kMarginTop + g.H - g.h * (static_cast<double>(i) + 0.5);
        graph.SetForeColor(colors.lngGridColor);
        graph.Line(kMarginLeft - kRowTickLength, y, kMarginLeft, y);
        graph.SetForeColor(colors.lngTextColor);
        graph.PrintAt(kMarginLeft - kRowTickLength - kRowLabelGap - graph.TextWidth(label),
                      y - graph.TextHeight(label) / 2, label);
    }
    double widest = 0;
    for (const std::string& text : map.columns.texts)
        widest = std::max(widest, contents.TextWidth(QString::fromStdString(text)));
    const size_t columnStep = LabelStep(widest + kCellPadding, g.w);
    contents.SetForeColor(colors.lngTextColor);
    for (size_t j = 0; j < columns; j += columnStep) {
        // Centred under its column, but not cut by the canvas' edges.
        const QString label = QString::fromStdString(map.columns.texts[j]);
        const double width = contents.TextWidth(label);
        contents.PrintAt(std::clamp(g.w * (static_cast<double>(j) + 0.5) - width / 2, 0.0,
                                    std::max(0.0, g.Wc - width)),
                         g.H + kTwipsPerPixel, label);
    }

    // The values that fit their cells, readable on their colours.
    const bool allFit = ChooseValueFont(contents, texts, g);
    for (size_t i = 0; i < rows; ++i) {
        for (size_t j = 0; j < columns; ++j) {
            const size_t c = i * columns + j;
            const double width = contents.TextWidth(texts[c]),
                         height = contents.TextHeight(texts[c]);
            if (!allFit && (width > g.w - kCellPadding || height > g.h)) continue;
            const RetuneCell& cell = result.cells[c];
            contents.SetForeColor(cell.trusted ? ReadableTextOn(RetuneCellColour(cell, maxChange))
                                               : kUntrustedTextColour);
            contents.PrintAt(g.w * (static_cast<double>(j) + 0.5) - width / 2,
                             g.H - g.h * (static_cast<double>(i) + 0.5) - height / 2, texts[c]);
        }
    }
}

void DrawRetuneNotice(DrawingArea& area, const QString& text, const DisplayColors& colors) {
    Surface& contents = area.pbGraphContents;
    const PlotSize plot = PlaceCanvas(area, 1);
    area.pbGraph.Cls();
    contents.Cls();
    contents.SetLeft(0);
    ClearLegend(area);
    contents.SetFont("Arial", 8);
    contents.SetForeColor(colors.lngTextColor);
    const std::vector<QString> lines = WrappedLines(contents, text, plot.CW);
    double y = (plot.H - contents.TextHeight(text) * static_cast<double>(lines.size())) / 2;
    for (const QString& line : lines) {
        contents.PrintAt((plot.CW - contents.TextWidth(line)) / 2, y, line);
        y += contents.TextHeight(line);
    }
}

std::optional<MapCell> RetuneCellAt(const Surface& canvas, QPoint pixel, const FuelMap& map) {
    const Grid g = GridOf(canvas.Height() - kBottomStrip, canvas.Width(), map);
    const double x = pixel.x() * double{kTwipsPerPixel}, y = pixel.y() * double{kTwipsPerPixel};
    const double row = std::floor((g.H - y) / g.h), column = std::floor(x / g.w);
    if (!(row >= 0 && row < static_cast<double>(map.rowCount()) && column >= 0 &&
          column < static_cast<double>(map.columnCount())))
        return std::nullopt;
    return MapCell{static_cast<size_t>(row), static_cast<size_t>(column)};
}

std::vector<LegendLine> RetuneLegendLines(const RetuneLegendInput& in) {
    const auto count = [](int64_t n) { return FormatGrouped(static_cast<double>(n), 0); };
    const RetuneEvidence& e = in.evidence;
    std::vector<LegendLine> lines = {
        {"Retune", LegendStyle::Heading},
        {in.factor.isEmpty() ? TrimsFactorText() : in.factor, LegendStyle::Text},
        {QString::fromUtf8(CellWeightingName(in.settings.weighting).data()) + " cells",
         LegendStyle::Text},
        {"min. weight " + FormatGeneral(in.settings.minWeight), LegendStyle::Text},
        {QString::fromUtf8("max. change \u00b1") + FormatGeneral(in.settings.maxChange) + " %",
         LegendStyle::Text},
        {"Logs", LegendStyle::Heading}};
    for (const QString& log : in.logs) lines.push_back({log, LegendStyle::Text});
    lines.push_back({"Samples", LegendStyle::Heading});
    lines.push_back({count(e.samplesUsed) + " used of " + count(e.samplesInRange)});
    if (!in.conditions.empty() || e.missingAny > 0)
        lines.push_back({count(e.samplesInRange - e.samplesUsed) + " dropped"});
    if (e.missingAny > 0) lines.push_back({"no value: " + count(e.missingAny)});
    // A sample failing two filters counts for both: these need not add up to the dropped.
    if (!in.conditions.empty()) lines.push_back({"each filter alone:", LegendStyle::Note});
    for (size_t i = 0; i < in.conditions.size(); ++i) {
        const bool ignored = i < in.conditionIgnored.size() && in.conditionIgnored[i];
        const int64_t failed = i < e.failedCondition.size() ? e.failedCondition[i] : 0;
        lines.push_back(
            {QString::fromUtf8(ConditionDisplayText(in.conditions[i])) + ": " + count(failed),
             ignored ? LegendStyle::StruckOut : LegendStyle::Text});
        if (ignored) lines.push_back({"ignored: no such item", LegendStyle::Note});
    }
    lines.push_back({"Cells", LegendStyle::Heading});
    lines.push_back({count(e.trustedCells) + " of " + count(e.cells) + " trusted"});
    lines.push_back({"Change %", LegendStyle::Heading});
    return lines;
}

QString RetuneCellSummary(const FuelMap& map, const RetuneResult& result, MapCell at) {
    const size_t c = at.row * map.columnCount() + at.column;
    const RetuneCell& cell = result.cells[c];
    const auto text = [&](RetuneShow show) {
        const auto shown = RetuneCellText(map, result, show, c);
        return shown ? QString::fromStdString(*shown) : QString("N/A");
    };
    QString tip = QString::fromStdString(map.rows.texts[at.row]) + " rpm, " +
                  QString::fromStdString(map.columns.texts[at.column]) + " kPa\n";
    tip +=
        "old " + QString::fromStdString(map.cellTexts[c]) + ", new " + text(RetuneShow::Map) + "\n";
    tip += cell.trusted ? "change " + text(RetuneShow::Change) + " %\n"
                        : QString("unchanged: not trusted\n");
    tip += "W " + text(RetuneShow::Weight) + ", F " + text(RetuneShow::Factor) + "\n";
    tip += FormatGrouped(static_cast<double>(cell.samples), 0) +
           (cell.samples == 1 ? " sample" : " samples");
    return tip;
}

}  // namespace grafolux
