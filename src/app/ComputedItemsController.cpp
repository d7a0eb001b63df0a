#include "app/ComputedItemsController.h"

#include <QAction>
#include <QMenu>
#include <new>
#include <variant>

#include "app/DisplayState.h"
#include "app/LogLoading.h"
#include "draw/DisplayText.h"
#include "formula/ComputedItems.h"
#include "settings/DefinitionPreferences.h"
#include "settings/PreferencesFile.h"

namespace grafolux {

ComputedItemsController::ComputedItemsController(DisplayState& shown, Dialogs& dialogs,
                                                 const LogLoading& loading, QMenu& menu,
                                                 QWidget& window)
    : QObject(&window), shown_(shown), dialogs_(dialogs), loading_(loading), window_(window) {
    mComputedItems =
        menu.addAction("&Computed Items...", this, &ComputedItemsController::mComputedItems_Click);
    mComputedItems->setObjectName("Computed Items");
}

void ComputedItemsController::LoadPreferences(const std::string& settingsFile) {
    strPreferencesFile = PreferencesFilePath(settingsFile);
    texts_ = LoadDefinitions(strPreferencesFile);
    definitions_ = std::get<std::vector<Definition>>(ParseDefinitions(texts_));
}

void ComputedItemsController::AttachTo(LogData& log) {
    try {
        AttachComputedItems(log, definitions_, shown_.colors.lngItemColor);
    } catch (const std::bad_alloc&) {
        dialogs_.Warning(&window_, "Computed Items",
                         "There is not enough memory for the computed items of this log; it "
                         "keeps the items it had.");
    }
}

std::vector<DefinitionProblem> ComputedItemsController::Check(
    const QStringList& definitions) const {
    std::vector<std::string> texts;
    for (const QString& text : definitions) texts.push_back(text.toStdString());
    const auto faults = CheckDefinitions(texts, shown_.log);
    std::vector<DefinitionProblem> problems(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i >= size_t{kMaxDefinitions}) {
            problems[i] = {QString("at most %1 definitions are kept").arg(kMaxDefinitions), true};
        } else if (faults[i]) {
            const bool fault = faults[i]->kind == FormulaErrorKind::Text;
            // Without a log there is nothing to be unavailable for.
            if (fault || shown_.blnFileLoaded)
                problems[i] = {DisplayText(faults[i]->message), fault};
        }
    }
    return problems;
}

void ComputedItemsController::mComputedItems_Click() {
    // The shown log may be about to be replaced.
    if (loading_.Busy()) return;
    QStringList current, items;
    for (const std::string& text : texts_) current << DisplayText(text);
    if (shown_.blnFileLoaded)
        for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k)
            items << DisplayText(shown_.log.udtItems[k].strName);
    const auto chosen = dialogs_.EditDefinitions(
        &window_, current, items, [this](const QStringList& lines) { return Check(lines); });
    if (!chosen) return;
    std::vector<std::string> texts;
    for (const QString& text : *chosen) texts.push_back(text.toStdString());
    // The dialog gives no list with a fault; should one come, nothing changes.
    if (texts.size() > size_t{kMaxDefinitions} ||
        std::holds_alternative<FormulaError>(ParseDefinitions(texts)))
        return;
    if (texts != texts_) SetDefinitions(std::move(texts));
}

// Kept for the next start at once, and made the shown log's items with the current item kept.
void ComputedItemsController::SetDefinitions(std::vector<std::string> texts) {
    texts_ = std::move(texts);
    definitions_ = std::get<std::vector<Definition>>(ParseDefinitions(texts_));
    std::string error;
    if (!SaveDefinitions(strPreferencesFile, texts_, &error))
        dialogs_.Warning(&window_, "Preferences",
                         "The computed items could not be kept for the next start:\n" +
                             QString::fromLocal8Bit(error.c_str()));
    if (shown_.blnFileLoaded) {
        LogData& log = shown_.log;
        const bool computed = shown_.lngCurItem > log.loggedItemCount();
        const std::string current = log.udtItems[shown_.lngCurItem].strName;
        AttachTo(log);
        if (computed) {
            const int32_t k = log.itemNamed(current);
            shown_.lngCurItem = k > log.loggedItemCount() ? k : 1;
        }
    }
    emit ItemsChanged();
}

}  // namespace grafolux
