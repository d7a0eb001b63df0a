#pragma once
// "Find": a condition in the computed items' language, checked as it is typed; OK only while it
// has no fault. An empty condition ends the Find. A double-click on an item writes its name at
// the cursor.

#include <QDialog>

#include "app/DialogChecks.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace grafolux {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(const QString& condition, const QStringList& items, ConditionCheck check,
               QWidget* parent);

    // Blanks around it removed.
    QString condition() const;

private:
    void CheckCondition();
    void InsertItem();

    ConditionCheck check_;
    QLineEdit* text_;
    QListWidget* items_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

}  // namespace grafolux
