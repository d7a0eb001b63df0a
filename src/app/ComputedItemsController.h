#pragma once
// The computed items: "Computed Items…" in the Items menu edits the document's definitions,
// each line checked against the shown log as it is typed; one a log cannot compute is left out
// of that log (the dialog says why).

#include <QObject>
#include <QStringList>
#include <vector>

#include "app/Dialogs.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class LogDocument;
class LogLoading;

class ComputedItemsController : public QObject {
    Q_OBJECT
public:
    ComputedItemsController(LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                            const LogLoading& loading, QWidget& window);

private:
    void mComputedItems_Click();
    std::vector<DefinitionProblem> Check(const QStringList& definitions) const;

    LogDocument& document_;
    Dialogs& dialogs_;
    const LogLoading& loading_;
    QWidget& window_;
};

}  // namespace grafolux
