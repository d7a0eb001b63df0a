#pragma once
// Definitions applied to one log: a column of values for each, or the reason it cannot be
// computed for this log, while the others still are.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formula/ComputedItem.h"
#include "formula/Definitions.h"
#include "formula/FormulaError.h"
#include "logdata/LogModel.h"

namespace grafolux {

// The definitions (as ParseDefinitions gives them) in order, each computed over every sample of
// the log; one result per definition, in the same order.
std::vector<ComputedItem> ComputeItems(const LogData& log, std::span<const Definition> definitions);

// Makes the definitions the log's computed items: the previous computed items go, the available
// ones follow the logged items in the list's order, each unlocked and unfilled in `colour`
// unless a previous item of its name had other settings, which it keeps. The reasons of the
// unavailable ones, in order. Throws std::bad_alloc, changing nothing, when the columns would
// not fit in the machine's memory.
std::vector<FormulaError> AttachComputedItems(LogData& log, std::span<const Definition> definitions,
                                              Colour colour);

// Each text of a list being edited checked as it stands: its fault of the text, or why it is
// unavailable for the log's logged items; nothing where it is sound. Nothing is computed.
std::vector<std::optional<FormulaError>> CheckDefinitions(std::span<const std::string> texts,
                                                          const LogData& log);

}  // namespace grafolux
