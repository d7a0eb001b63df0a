#pragma once
// The scatter plot and the histogram for the range boxes' range, the included logs and the
// Table menu's filters: what the window shows and `grafolux-cli` draws and prints.

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "plots/HistogramDrawing.h"
#include "plots/KeptSamples.h"
#include "plots/ScatterDrawing.h"
#include "views/ViewDrawing.h"

namespace grafolux {

// The samples a scatter plot of `items` shows (X and Y present), with the colour item's values.
std::variant<KeptSamples, PlotLack> ScatterSamplesForRange(const LogData& log,
                                                           std::string_view firstText,
                                                           std::string_view lastText,
                                                           const TableSettings& settings,
                                                           const ScatterItems& items);
// The samples a histogram of `item` counts.
std::variant<KeptSamples, PlotLack> HistogramSamplesForRange(const LogData& log,
                                                             std::string_view firstText,
                                                             std::string_view lastText,
                                                             const TableSettings& settings,
                                                             const std::string& item);

// What a view says of a log that lacks an item it reads.
QString PlotLackNotice(const PlotLack& lack, const TableSettings& settings);

// Draws the scatter plot; the points' pixels, none when nothing is plotted. With `versus`, B's
// points over the shown log's: B alone, in the range boxes' range of its own sample numbers (as
// its difference table), under the settings' conditions.
std::optional<ScatterGrids> DrawScatterForRange(
    DrawingArea& area, const LogData& log, std::string_view firstText, std::string_view lastText,
    const DisplayColors& colors, const TableSettings& settings, const ScatterItems& items,
    const std::optional<VersusLog>& versus = std::nullopt);

std::optional<Histogram> DrawHistogramForRange(
    DrawingArea& area, const LogData& log, std::string_view firstText, std::string_view lastText,
    const DisplayColors& colors, const TableSettings& settings, const std::string& item,
    const HistogramChoice& choice);

}  // namespace grafolux
