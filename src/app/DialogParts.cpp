#include "app/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>

namespace grafolux {

QListWidget* ItemList(const QStringList& items, const QString& name, QDialog& dialog) {
    auto* list = new QListWidget(&dialog);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QStringList NonBlankLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split('\n'))
        if (!line.trimmed().isEmpty()) lines << line.trimmed();
    return lines;
}

}  // namespace grafolux
