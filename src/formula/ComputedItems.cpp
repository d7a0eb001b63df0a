#include "formula/ComputedItems.h"

#include <new>
#include <unordered_map>

#include "formula/FormulaProgram.h"
#include "logdata/PhysicalMemory.h"

namespace grafolux {

std::vector<ComputedItem> ComputeItems(const LogData& log,
                                       std::span<const Definition> definitions) {
    std::vector<ComputedItem> items;
    items.reserve(definitions.size());
    for (const Definition& definition : definitions) {
        ComputedItem item{definition.name, {}, {}};
        if (log.itemNamed(definition.name) != 0) {
            item.unavailable =
                ErrorAt(FormulaErrorKind::Log, definition.expression.text, definition.nameColumn,
                        "the log has an item named " + Quoted(definition.name));
        } else {
            auto program = FormulaProgram::Bind(definition.expression, log, items);
            if (auto* error = std::get_if<FormulaError>(&program))
                item.unavailable = std::move(*error);
            else
                item.values = std::get<FormulaProgram>(program).Column();
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<FormulaError> AttachComputedItems(LogData& log, std::span<const Definition> definitions,
                                              Colour colour) {
    // The logged columns and a column of doubles per definition, or the allocation failure they
    // would be; the log is then left as it was.
    if (static_cast<double>(log.loggedBytes()) + static_cast<double>(definitions.size()) *
                                                     static_cast<double>(log.lngSampleCount) *
                                                     sizeof(double) >
        static_cast<double>(PhysicalMemory()))
        throw std::bad_alloc();

    std::unordered_map<std::string, ItemInfo> previous;
    for (int32_t k = log.loggedItemCount() + 1; k <= log.lngItemCount; ++k)
        previous.emplace(log.udtItems[k].strName, log.udtItems[k]);
    log.RemoveComputedItems();

    std::vector<FormulaError> unavailable;
    for (ComputedItem& item : ComputeItems(log, definitions)) {
        if (item.unavailable) {
            unavailable.push_back(std::move(*item.unavailable));
            continue;
        }
        const auto kept = previous.find(item.name);
        ItemInfo info = kept != previous.end() ? kept->second : ItemInfo{item.name, false, colour};
        log.AddComputedItem(std::move(info), std::move(item.values));
    }
    return unavailable;
}

std::vector<std::optional<FormulaError>> CheckDefinitions(std::span<const std::string> texts,
                                                          const LogData& log) {
    // The logged items' names without their samples: binding needs no more.
    LogData items;
    for (int32_t k = 1; k <= log.loggedItemCount(); ++k) items.AddItem(log.udtItems[k], Column());

    std::vector<std::optional<FormulaError>> faults(texts.size());
    std::vector<Definition> sound;
    std::vector<size_t> lines;
    auto parsed = ParseEachDefinition(texts);
    for (size_t i = 0; i < parsed.size(); ++i) {
        if (auto* error = std::get_if<FormulaError>(&parsed[i])) {
            faults[i] = std::move(*error);
        } else {
            sound.push_back(std::get<Definition>(std::move(parsed[i])));
            lines.push_back(i);
        }
    }
    std::vector<ComputedItem> computed = ComputeItems(items, sound);
    for (size_t i = 0; i < computed.size(); ++i)
        faults[lines[i]] = std::move(computed[i].unavailable);
    return faults;
}

}  // namespace grafolux
