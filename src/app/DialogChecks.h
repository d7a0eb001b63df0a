#pragma once
// How the text-editing dialogs have what is typed checked as it stands, without knowing the
// log or the language.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace grafolux {

// What is wrong with one definition of a list being edited; an empty message where nothing is.
struct DefinitionProblem {
    QString message;
    bool fault = false;  // of the text: the list cannot be taken; else unavailable for the log
    bool operator==(const DefinitionProblem&) const = default;
};
// Checks the definitions as they stand: one result per definition, in order.
using DefinitionsCheck = std::function<std::vector<DefinitionProblem>(const QStringList&)>;
// Checks a Find's condition as it stands: what is wrong with it, empty where nothing is.
using ConditionCheck = std::function<QString(const QString&)>;
// Reads a number as typed; nothing where the text is not one that is taken.
using NumberReader = std::function<std::optional<double>(const QString&)>;

}  // namespace grafolux
