#pragma once
// Drawing a view for the sample range as the range boxes hold it: the one place where the
// window and the command-line export turn range texts into a picture.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/GraphDrawing.h"
#include "tables/CellTableDrawing.h"
#include "tables/PooledTable.h"
#include "tables/TableLegend.h"

namespace grafolux {

// What the window holds for the graph: the current item, the zoom and the scroll position.
struct GraphState {
    int32_t lngItem = 1;
    double dblZoom = 1.0;
    int32_t lngScrollPos = 0;
};

// The range is clamped into the log before any sample is read, and a comparison's offset to
// where log B still touches it.
GraphResult DrawGraphForRange(DrawingArea& area, const LogData& log, const GraphState& view,
                              std::string_view firstText, std::string_view lastText,
                              const DisplayColors& colors,
                              std::optional<GraphComparison> versus = std::nullopt);

// A further log whose samples count in the tables, whole.
struct IncludedLog {
    QString name;      // for display
    std::string path;  // as it was chosen
    const LogData* log;
    bool isLoaded;  // the same file as the loaded log
};

// The log B of a comparison, whose table the difference view sets against the shown one's.
struct VersusLog {
    QString name;      // for display
    std::string path;  // as it was chosen
    const LogData* log;
};

// What the Table menu chose; the default is the plain table (means, no filter, no colours).
struct TableSettings {
    CellLook look;
    std::vector<SampleCondition> conditions;
    QString loadedName;  // the loaded log's file name, for the legend
    std::vector<IncludedLog> included;
    std::optional<VersusLog> versus{};  // the cells show B − A
};

// The loaded log in the range boxes' range, then every included log whole: what the tables
// and the retune pool.
std::vector<TableSource> SourcesForRange(const LogData& log, std::string_view firstText,
                                         std::string_view lastText, const TableSettings& settings);

// The loaded log's samples in the range boxes' range, then every included log's, under the
// settings' conditions; by default gathering what the settings' statistic needs.
PooledTable TableForRange(const LogData& log, TableKind kind, std::string_view firstText,
                          std::string_view lastText, const TableSettings& settings,
                          std::optional<Gathered> gathered = std::nullopt);

// Log B in the range boxes' range of its own sample numbers: what B's table and points count.
TableSource VersusSourceForRange(const LogData& versus, std::string_view firstText,
                                 std::string_view lastText);

// Log B's table for a difference view: B alone, in the range boxes' range of its own sample
// numbers, under the settings' conditions.
PooledTable VersusTableForRange(const LogData& versus, TableKind kind, std::string_view firstText,
                                std::string_view lastText, const TableSettings& settings,
                                std::optional<Gathered> gathered = std::nullopt);

// What each cell of that table shows; with `settings.versus`, B's table minus it.
ShownCells ShownCellsForRange(const LogData& log, TableKind kind, std::string_view firstText,
                              std::string_view lastText, const TableSettings& settings);

// What the legend beside that table says: what the settings change from the plain table. A
// difference table is coloured whether or not the settings colour the cells.
TableLegendInput TableLegendFor(const PooledTable& pooled, const TableSettings& settings);

// Draws that table, and its legend; with `settings.versus`, B's table minus it. Returns the
// shown log's table (A's).
PooledTable DrawCellTableForRange(DrawingArea& area, const LogData& log, TableKind kind,
                                  std::string_view firstText, std::string_view lastText,
                                  const DisplayColors& colors, const TableSettings& settings = {});

// Gives the four surfaces the window's background.
void PaintBackgrounds(DrawingArea& area, const DisplayColors& colors);

}  // namespace grafolux
