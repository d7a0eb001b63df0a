#include "app/ComputedItemsController.h"

#include <QWidget>

#include "app/LogDocument.h"
#include "app/LogLoading.h"
#include "app/WindowActions.h"
#include "draw/DisplayText.h"
#include "formula/ComputedItems.h"
#include "settings/DefinitionPreferences.h"

namespace grafolux {

ComputedItemsController::ComputedItemsController(LogDocument& document, ActionRegistry& actions,
                                                 Dialogs& dialogs, const LogLoading& loading,
                                                 QWidget& window)
    : QObject(&window), document_(document), dialogs_(dialogs), loading_(loading), window_(window) {
    actions.Bind(ActionId::ComputedItems, [this] { mComputedItems_Click(); });
    connect(&document, &LogDocument::ItemsNotComputed, this, [this] {
        dialogs_.Warning(&window_, "Computed Items",
                         "There is not enough memory for the computed items of this log; it "
                         "keeps the items it had.");
    });
}

std::vector<DefinitionProblem> ComputedItemsController::Check(
    const QStringList& definitions) const {
    std::vector<std::string> texts;
    for (const QString& text : definitions) texts.push_back(text.toStdString());
    const auto faults = CheckDefinitions(texts, document_.log());
    std::vector<DefinitionProblem> problems(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i >= size_t{kMaxDefinitions}) {
            problems[i] = {QString("at most %1 definitions are kept").arg(kMaxDefinitions), true};
        } else if (faults[i]) {
            const bool fault = faults[i]->kind == FormulaErrorKind::Text;
            // Without a log there is nothing to be unavailable for.
            if (fault || document_.loaded()) problems[i] = {DisplayText(faults[i]->message), fault};
        }
    }
    return problems;
}

void ComputedItemsController::mComputedItems_Click() {
    // The shown log may be about to be replaced.
    if (loading_.Busy()) return;
    QStringList current;
    for (const std::string& text : document_.definitionTexts()) current << DisplayText(text);
    const auto chosen = dialogs_.EditDefinitions(
        &window_, current, document_.loaded() ? document_.ItemNames() : QStringList(),
        [this](const QStringList& lines) { return Check(lines); });
    if (!chosen) return;
    std::vector<std::string> texts;
    for (const QString& text : *chosen) texts.push_back(text.toStdString());
    // The dialog gives no list with a fault; should one come, the document takes nothing.
    if (texts != document_.definitionTexts()) document_.SetDefinitions(std::move(texts));
}

}  // namespace grafolux
