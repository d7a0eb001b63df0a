#pragma once
// The grafolux-cli command that prints a cell table as the window shows it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/Definitions.h"
#include "tables/CellDisplay.h"
#include "tables/SampleFilter.h"
#include "views/ViewDrawing.h"

namespace grafolux {

struct TableCommand {
    TableKind kind = TableKind::Blm;
    std::string log;                    // the range applies to it
    std::vector<std::string> included;  // pooled whole, after it
    int32_t first = 1, last = 1;
    CellShow show;
    std::vector<SampleCondition> conditions;
    std::vector<std::string> definitions;  // whole NAME=EXPR texts the conditions read
    std::vector<std::string> versus{};     // the difference B − A of these logs' table
};

// "grafolux-cli", "table", the kind, the log, each included log after --include, the versus
// logs after one --versus, then the range, the statistic, the minimum samples, every
// definition, every condition and the text format, each option with its value: every setting
// spelt out, defaults too.
std::vector<std::string> TableCommandWords(const TableCommand& command);

// The path made absolute, so that a copied command runs from any folder.
std::string AbsolutePath(const std::string& path);

// The conditions that some of the logs can test. One that none can changes nothing in the
// window and would fail the command, so a copied command leaves it out.
std::vector<SampleCondition> ConditionsSomeLogTests(std::span<const LogData* const> logs,
                                                    std::span<const SampleCondition> conditions);

// The command of a table view of the window: the shown log at `path` in the range boxes'
// range, the included logs whole, the Table menu's statistic, minimum and filters as text. A
// filter that no log can test changes nothing in the window and would fail the command, so it
// is left out. Paths are made absolute, so that the command runs from any folder. The
// definitions that the filters read (through one another) go with them.
TableCommand WindowTableCommand(TableKind kind, const std::string& path, const LogData& log,
                                std::string_view firstText, std::string_view lastText,
                                const TableSettings& settings,
                                std::span<const Definition> definitions);

}  // namespace grafolux
