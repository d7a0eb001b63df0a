#pragma once
// The window's retune view: the map retuned over the shown log in the range boxes' range and
// the included logs whole, under the Table menu's filters, drawn with its legend.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tables/RetuneDrawing.h"
#include "tables/RetuneLogs.h"
#include "views/ViewDrawing.h"

namespace grafolux {

// The retune's choices beside the Table menu's.
struct RetuneChoices {
    std::optional<std::string> factor;  // an item's name; none: the trims' factor
    RetuneSettings settings;
};

std::variant<RetuneOfLogs, RetuneLack> RetuneForRange(const LogData& log, const FuelMap& map,
                                                      std::string_view firstText,
                                                      std::string_view lastText,
                                                      const TableSettings& tables,
                                                      const RetuneChoices& choices);

// What the view says instead of a map: that one is wanted (no map), or which log lacks which
// item.
QString RetuneNotice(const RetuneLack& lack, const TableSettings& tables);

// What the view shows: the retune (none with a notice) and the legend's lines, whose whole
// texts are the legend's tooltip.
struct RetuneDrawn {
    std::optional<RetuneResult> result;
    std::vector<LegendLine> legend;
};

// Draws the retuned map and its legend, or the notice.
RetuneDrawn DrawRetuneForRange(DrawingArea& area, const LogData& log, const FuelMap* map,
                               std::string_view firstText, std::string_view lastText,
                               const DisplayColors& colors, const TableSettings& tables,
                               const RetuneChoices& choices);

}  // namespace grafolux
