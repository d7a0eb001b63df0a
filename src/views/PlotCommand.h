#pragma once
// The grafolux-cli commands that draw the window's scatter plot and print its histogram.

#include <QSize>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/Definitions.h"
#include "plots/HistogramDrawing.h"
#include "plots/ScatterDrawing.h"
#include "views/ViewDrawing.h"

namespace grafolux {

// What both commands read: the shown log (absolute) in the range boxes' range, the included
// logs whole, the scatter plot's log B, the filters some log tests, and the definitions the
// items and filters read.
struct PlotCommandLogs {
    std::string log;
    std::vector<std::string> included;
    std::string versus;  // none when empty
    int32_t first = 1, last = 1;
    std::vector<SampleCondition> conditions;
    std::vector<std::string> definitions;
};
PlotCommandLogs WindowPlotLogs(const std::string& path, const LogData& log,
                               std::string_view firstText, std::string_view lastText,
                               const TableSettings& settings,
                               std::span<const Definition> definitions,
                               std::vector<std::string> items,
                               const std::optional<VersusLog>& versus = std::nullopt);

// "grafolux-cli export scatter LOG OUT --x X --y Y [--colour C] --size WxH", the range, every
// definition, filter and included log, and B by --versus.
std::vector<std::string> ScatterCommandWords(const PlotCommandLogs& logs, const std::string& out,
                                             const ScatterItems& items, QSize size);
// "grafolux-cli histogram LOG ITEM --bins N", the range, every definition, filter and included
// log, "--format text".
std::vector<std::string> HistogramCommandWords(const PlotCommandLogs& logs, const std::string& item,
                                               int32_t bins);

}  // namespace grafolux
