#pragma once
// The grafolux-cli command that prints the retune view's new map.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/Definitions.h"
#include "views/RetuneViewDrawing.h"

namespace grafolux {

struct RetuneCommand {
    std::string log;                    // the range applies to it
    std::vector<std::string> included;  // pooled whole, after it
    // The map's file; empty for a pasted map, which the command then reads from standard input
    // given as a here-document of `mapText`.
    std::string mapPath;
    std::string mapText;
    int32_t first = 1, last = 1;
    RetuneChoices choices;
    std::vector<std::string> definitions;  // those the factor and the conditions read
    std::vector<SampleCondition> conditions;
};

// "grafolux-cli", "retune", the log, each included log after --include, the map, the range,
// the factor (when one is chosen), the definitions, the conditions, the cells, the minimum
// weight, the largest change, --show map and --format text: every setting spelt out.
std::vector<std::string> RetuneCommandWords(const RetuneCommand& command);

// The words quoted for a POSIX shell; for a pasted map followed by the map as a here-document
// (`<<'MAP'` … `MAP`).
std::string RetuneCommandLine(const RetuneCommand& command);

// The command of the window's retune view, as WindowTableCommand makes a table view's.
RetuneCommand WindowRetuneCommand(const std::string& path, const LogData& log,
                                  std::string_view firstText, std::string_view lastText,
                                  const TableSettings& tables, const RetuneChoices& choices,
                                  const std::string& mapPath, const std::string& mapText,
                                  std::span<const Definition> definitions);

}  // namespace grafolux
