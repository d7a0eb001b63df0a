#pragma once
// "Computed Items": one definition NAME=EXPR per line, each line checked as it is typed (faults
// of the text, and definitions unavailable for the shown log, with the reason); OK only while
// no line has a fault of the text. A double-click on an item writes its name at the cursor.

#include <QDialog>
#include <QStringList>
#include <vector>

#include "app/DialogChecks.h"

class QDialogButtonBox;
class QListWidget;
class QPlainTextEdit;

namespace grafolux {

class DefinitionsDialog : public QDialog {
    Q_OBJECT
public:
    DefinitionsDialog(const QStringList& definitions, const QStringList& items,
                      DefinitionsCheck check, QWidget* parent);

    // The non-empty lines, blanks around them removed.
    QStringList definitions() const;

private:
    void CheckLines();
    void InsertItem();

    DefinitionsCheck check_;
    QPlainTextEdit* text_;
    QListWidget* items_;
    QListWidget* problems_;
    QDialogButtonBox* buttons_;
};

}  // namespace grafolux
