#include "formula/ComputedItems.h"

#include "formula/FormulaProgram.h"

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

}  // namespace grafolux
