#include "formula/Definitions.h"

#include <unordered_map>
#include <unordered_set>

#include "formula/FormulaParser.h"
#include "formula/FormulaTokens.h"

namespace grafolux {

namespace {

struct NamePart {
    std::string_view name;
    size_t begin = 0;   // 0-based position of the name in the text
    size_t equals = 0;  // position of the first "="
};

NamePart NameOf(std::string_view text) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        throw TextFault{text.size(), "\"=\" expected (a definition is NAME=EXPR)"};
    const std::string_view part = text.substr(0, equals);
    const size_t begin = part.find_first_not_of(" \t");
    if (begin == std::string_view::npos) throw TextFault{0, "a name is expected before \"=\""};
    const size_t end = part.find_last_not_of(" \t") + 1;
    const std::string_view name = part.substr(begin, end - begin);
    const size_t bad = name.find_first_of("\t\r\n");
    if (bad != std::string_view::npos)
        throw TextFault{begin + bad, "a name cannot hold a tab or a line break"};
    return {name, begin, equals};
}

}  // namespace

std::vector<std::variant<Definition, FormulaError>> ParseEachDefinition(
    std::span<const std::string> texts) {
    // Every name first, so that a reference to a later definition is recognised as one.
    std::unordered_map<std::string_view, size_t> firstNamed;
    for (size_t i = 0; i < texts.size(); ++i) {
        try {
            firstNamed.try_emplace(NameOf(texts[i]).name, i);
        } catch (const TextFault&) {
            // reported below, in its turn
        }
    }

    std::vector<std::variant<Definition, FormulaError>> results;
    results.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        try {
            const NamePart part = NameOf(text);
            if (firstNamed.at(part.name) != i)
                throw TextFault{part.begin, "the name " + Quoted(part.name) +
                                                " is taken by an earlier definition"};
            Definition definition{std::string(part.name), part.begin + 1,
                                  ParseExpressionIn(text, part.equals + 1)};
            for (const ExpressionNode& node : definition.expression.nodes) {
                if (node.op != Operation::Reference) continue;
                const auto named = firstNamed.find(node.name);
                if (named == firstNamed.end() || named->second < i) continue;
                throw TextFault{
                    node.column - 1,
                    Quoted(node.name) + (named->second == i ? " is the definition itself"
                                                            : " is defined later in the list")};
            }
            results.emplace_back(std::move(definition));
        } catch (const TextFault& fault) {
            results.emplace_back(ErrorAt(FormulaErrorKind::Text, text, fault.at + 1, fault.what));
        }
    }
    return results;
}

std::variant<std::vector<Definition>, FormulaError> ParseDefinitions(
    std::span<const std::string> texts) {
    std::vector<Definition> definitions;
    definitions.reserve(texts.size());
    for (auto& result : ParseEachDefinition(texts)) {
        if (auto* error = std::get_if<FormulaError>(&result)) return std::move(*error);
        definitions.push_back(std::get<Definition>(std::move(result)));
    }
    return definitions;
}

std::vector<std::string> SoundDefinitions(std::vector<std::string> texts) {
    // Dropping a faulty line faults no other: a name it took is taken from every later line
    // too, which are faulty and dropped with it.
    const auto results = ParseEachDefinition(texts);
    std::vector<std::string> sound;
    for (size_t i = 0; i < texts.size(); ++i)
        if (std::holds_alternative<Definition>(results[i])) sound.push_back(std::move(texts[i]));
    return sound;
}

std::vector<std::string> NamesReadBy(const Expression& expression) {
    std::vector<std::string> names;
    std::unordered_set<std::string_view> seen;
    for (const ExpressionNode& node : expression.nodes)
        if (node.op == Operation::Reference && seen.insert(node.name).second)
            names.push_back(node.name);
    return names;
}

ItemsNeeded ItemsNeededFor(std::span<const Definition> definitions,
                           std::vector<std::string> names) {
    ItemsNeeded needed;
    std::unordered_set<std::string> wanted(names.begin(), names.end());
    // A definition reads earlier ones only: from the last back, each one wanted adds its names.
    std::vector<bool> used(definitions.size(), false);
    for (size_t i = definitions.size(); i-- > 0;) {
        if (!wanted.contains(definitions[i].name)) continue;
        used[i] = true;
        for (std::string& name : NamesReadBy(definitions[i].expression))
            if (wanted.insert(name).second) names.push_back(std::move(name));
    }
    for (size_t i = 0; i < definitions.size(); ++i)
        if (used[i]) needed.definitions.push_back(definitions[i]);
    needed.names = std::move(names);
    return needed;
}

}  // namespace grafolux
