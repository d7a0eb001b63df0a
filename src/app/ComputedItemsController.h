#pragma once
// The computed items: "Computed Items…" in the Items menu edits their definitions, which are
// kept in the preferences file and made items of every log shown; one a log cannot compute is
// left out of that log (the dialog says why).

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

#include "app/Dialogs.h"
#include "formula/Definitions.h"
#include "logdata/LogModel.h"

class QAction;
class QMenu;
class QWidget;

namespace grafolux {

class LogLoading;
struct DisplayState;

class ComputedItemsController : public QObject {
    Q_OBJECT
public:
    // Adds its entry to `menu`.
    ComputedItemsController(DisplayState& shown, Dialogs& dialogs, const LogLoading& loading,
                            QMenu& menu, QWidget& window);

    // The definitions kept beside the settings file.
    void LoadPreferences(const std::string& settingsFile);
    // A log about to be shown gets the definitions' items.
    void AttachTo(LogData& log);
    const std::vector<Definition>& definitions() const { return definitions_; }

signals:
    // The definitions changed, and with them the shown log's items: the current item is kept.
    void ItemsChanged();

private:
    void mComputedItems_Click();
    std::vector<DefinitionProblem> Check(const QStringList& definitions) const;
    void SetDefinitions(std::vector<std::string> texts);

    DisplayState& shown_;
    Dialogs& dialogs_;
    const LogLoading& loading_;
    QWidget& window_;
    std::string strPreferencesFile;
    std::vector<std::string> texts_;
    std::vector<Definition> definitions_;
    QAction* mComputedItems;
};

}  // namespace grafolux
