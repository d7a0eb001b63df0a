#pragma once
// Pieces the text-editing dialogs share: the list of items to write names from, OK and Cancel,
// and the lines typed.

#include <QString>
#include <QStringList>

class QDialog;
class QDialogButtonBox;
class QListWidget;

namespace grafolux {

// The items, one a row, named `name` for the tests; a double-click writes one.
QListWidget* ItemList(const QStringList& items, const QString& name, QDialog& dialog);
// OK and Cancel, accepting and rejecting the dialog.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);
// The lines of `text` that hold more than blanks, trimmed.
QStringList NonBlankLines(const QString& text);

}  // namespace grafolux
