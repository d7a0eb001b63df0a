#include "tables/TableLegend.h"

#include <QStringList>

#include "draw/NumberFormat.h"

namespace grafolux {

namespace {

constexpr double kMargin = 5 * kTwipsPerPixel;
constexpr double kKeyHeight = 12 * kTwipsPerPixel;
constexpr Colour kNoteColour = RGB(128, 128, 128);

// The text cut to `width` with an ellipsis: a long file name must not run off the legend.
QString Fitted(const Surface& surface, QString text, double width) {
    if (surface.TextWidth(text) <= width) return text;
    while (!text.isEmpty() && surface.TextWidth(text + QChar(0x2026)) > width) text.chop(1);
    return text + QChar(0x2026);
}

}  // namespace

std::vector<QString> WrappedLines(const Surface& surface, const QString& text, double width) {
    if (surface.TextWidth(text) <= width) return {text};
    std::vector<QString> lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && surface.TextWidth(longer) > width) {
            lines.push_back(Fitted(surface, line, width));
            line = word;
        } else {
            line = longer;
        }
    }
    lines.push_back(Fitted(surface, line, width));
    return lines;
}

QString LegendToolTip(const std::vector<LegendLine>& lines) {
    QStringList texts;
    for (const LegendLine& line : lines) texts << line.text;
    return texts.join('\n');
}

QString StatisticTitle(CellStatistic statistic) {
    switch (statistic) {
        case CellStatistic::Mean:
            return "Mean";
        case CellStatistic::Count:
            return "Count";
        case CellStatistic::Minimum:
            return "Minimum";
        case CellStatistic::Maximum:
            return "Maximum";
        case CellStatistic::StdDev:
            return "Std Dev";
    }
    return {};
}

std::vector<LegendLine> TableLegendLines(const TableLegendInput& in) {
    std::vector<LegendLine> lines;
    if (!in.versusLog.isEmpty()) {
        lines.push_back({QString::fromUtf8("Difference B \u2212 A"), LegendStyle::Heading});
        lines.push_back({"A: " + in.loadedLog, LegendStyle::Text});
        lines.push_back({"B: " + in.versusLog, LegendStyle::Text});
    }
    if (in.show.statistic != CellStatistic::Mean || in.show.minCount > 1) {
        lines.push_back({StatisticTitle(in.show.statistic), LegendStyle::Heading});
        if (in.show.minCount > 1)
            lines.push_back(
                {"min. " + FormatGrouped(in.show.minCount, 0) + " samples", LegendStyle::Text});
    }
    if (!in.conditions.empty()) {
        lines.push_back({"Filters", LegendStyle::Heading});
        for (size_t i = 0; i < in.conditions.size(); ++i) {
            const bool ignored = i < in.conditionIgnored.size() && in.conditionIgnored[i];
            lines.push_back({QString::fromUtf8(ConditionDisplayText(in.conditions[i])),
                             ignored ? LegendStyle::StruckOut : LegendStyle::Text});
            if (ignored) lines.push_back({"ignored: no such item", LegendStyle::Note});
        }
    }
    if (!in.includedLogs.empty()) {
        lines.push_back({"Logs", LegendStyle::Heading});
        lines.push_back({in.loadedLog, LegendStyle::Text});
        for (size_t i = 0; i < in.includedLogs.size(); ++i) {
            lines.push_back({in.includedLogs[i], LegendStyle::Text});
            if (i < in.includedIsLoaded.size() && in.includedIsLoaded[i])
                lines.push_back({"the shown log: counts twice", LegendStyle::Note});
        }
    }
    if (!in.conditions.empty() || !in.includedLogs.empty()) {
        lines.push_back({FormatGrouped(static_cast<double>(in.samplesPassed), 0) + " of " +
                             FormatGrouped(static_cast<double>(in.samplesInRange), 0),
                         LegendStyle::Text});
        lines.push_back({"samples", LegendStyle::Text});
    }
    if (in.colours) lines.push_back({"Colours", LegendStyle::Heading});
    return lines;
}

KeyLabels ColourKeyLabels(const Surface& legend, const ColourScale& key, double width) {
    // A difference's ends are where it saturates, as exact as its cells.
    const int decimals = key.difference                           ? DecimalsOf(key.statistic)
                         : key.statistic == CellStatistic::StdDev ? 2
                                                                  : 0;
    const bool diverging = IsDiverging(key);
    const double room = diverging ? width / 3 : width / 2;
    return {FittedNumber(legend, key.low, decimals, room),
            diverging ? FormatGrouped((key.low + key.high) / 2, 0) : QString(),
            FittedNumber(legend, key.high, decimals, room)};
}

void DrawTableLegend(DrawingArea& area, const std::vector<LegendLine>& lines,
                     const std::optional<ColourScale>& key, const DisplayColors& colors) {
    Surface& legend = area.pbLegend;
    const double width = legend.Width() - 2 * kMargin;
    double y = kMargin;
    int32_t drawn = 0;
    for (const LegendLine& line : lines) {
        legend.SetFont("Arial", 8, line.style == LegendStyle::Heading);
        const bool grey = line.style == LegendStyle::StruckOut || line.style == LegendStyle::Note;
        legend.SetForeColor(line.style == LegendStyle::Heading ? colors.lngForeColor
                            : grey                             ? kNoteColour
                                                               : colors.lngTextColor);
        for (const QString& text : WrappedLines(legend, line.text, width)) {
            legend.PrintAt(kMargin, y, text);
            const double height = legend.TextHeight(text);
            if (line.style == LegendStyle::StruckOut)
                legend.Line(kMargin, y + height / 2, kMargin + legend.TextWidth(text),
                            y + height / 2);
            y += height;
            ++drawn;
        }
    }
    area.lngLegendLines = drawn;
    if (!key) return;

    // The scale as a bar, its ends and (when diverging) its centre labelled under it.
    const int steps = TwipsToPixels(width);
    for (int i = 0; i < steps; ++i) {
        const double x = kMargin + i * kTwipsPerPixel;
        legend.Box(x, y, x + kTwipsPerPixel, y + kKeyHeight,
                   ScaleColourAt(*key, steps > 1 ? i / (steps - 1.0) : 0), true);
    }
    y += kKeyHeight + kTwipsPerPixel;
    legend.SetFont("Arial", 8, false);
    legend.SetForeColor(colors.lngTextColor);
    const KeyLabels labels = ColourKeyLabels(legend, *key, width);
    legend.PrintAt(kMargin, y, labels.low);
    legend.PrintAt(kMargin + width - legend.TextWidth(labels.high), y, labels.high);
    if (!labels.middle.isEmpty())
        legend.PrintAt(kMargin + (width - legend.TextWidth(labels.middle)) / 2, y, labels.middle);
    ++area.lngLegendLines;
}

}  // namespace grafolux
