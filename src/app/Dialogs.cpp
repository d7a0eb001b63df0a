#include "app/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/DefinitionsDialog.h"
#include "app/FilterDialog.h"
#include "app/FindDialog.h"

namespace grafolux {

void CopyText(Dialogs& dialogs, QWidget* parent, const QString& title, const QString& what,
              const QString& text) {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard) clipboard->setText(text);
    if (!clipboard || clipboard->text() != text)
        dialogs.Warning(parent, title,
                        "The clipboard is not available: the " + what + " was not copied.");
}

namespace {

QString RunFileDialog(QFileDialog& dialog, const QString& initial, const QStringList& filters,
                      int selectedFilter) {
    dialog.setNameFilters(filters);
    if (selectedFilter >= 1 && selectedFilter <= filters.size())
        dialog.selectNameFilter(filters[selectedFilter - 1]);
    if (QFileInfo(initial).isDir())
        dialog.setDirectory(initial);
    else if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtDialogs::GetOpenFileName(QWidget* parent, const QString& initial,
                                   const QStringList& filters, int selectedFilter) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return RunFileDialog(dialog, initial, filters, selectedFilter);
}

QString QtDialogs::GetSaveFileName(QWidget* parent, const QString& initial,
                                   const QStringList& filters, const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    dialog.setDefaultSuffix(defaultSuffix);
    return RunFileDialog(dialog, initial, filters, 1);
}

QStringList QtDialogs::GetOpenFileNames(QWidget* parent, const QString& initial,
                                        const QStringList& filters, int selectedFilter) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (RunFileDialog(dialog, initial, filters, selectedFilter).isEmpty()) return {};
    return dialog.selectedFiles();
}

std::optional<int> QtDialogs::GetInteger(QWidget* parent, const QString& title,
                                         const QString& label, int value, int minimum,
                                         int maximum) {
    bool ok = false;
    const int chosen = QInputDialog::getInt(parent, title, label, value, minimum, maximum, 1, &ok);
    if (!ok) return std::nullopt;
    return chosen;
}

std::optional<double> QtDialogs::GetNumber(QWidget* parent, const QString& title,
                                           const QString& label, const QString& text,
                                           const NumberReader& read) {
    // Typed as text: a spin box would round or bound what the command line and the preferences
    // take.
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(text);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    const auto check = [&](const QString& typed) {
        if (buttons) buttons->button(QDialogButtonBox::Ok)->setEnabled(read(typed).has_value());
    };
    QObject::connect(&dialog, &QInputDialog::textValueChanged, &dialog, check);
    check(text);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return read(dialog.textValue());
}

std::optional<QString> QtDialogs::GetItemName(QWidget* parent, const QString& title,
                                              const QString& label, const QStringList& items,
                                              const QString& current) {
    // A name typed in before is offered as it was, after the list.
    QStringList offered = items;
    if (!offered.contains(current)) offered << current;
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, title, label, offered, static_cast<int>(offered.indexOf(current)), true, &ok);
    if (!ok) return std::nullopt;
    return chosen;
}

std::optional<QStringList> QtDialogs::EditFilters(QWidget* parent, const QStringList& conditions,
                                                  const QStringList& items) {
    FilterDialog dialog(conditions, items, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.conditions();
}

std::optional<QStringList> QtDialogs::EditDefinitions(QWidget* parent,
                                                      const QStringList& definitions,
                                                      const QStringList& items,
                                                      const DefinitionsCheck& check) {
    DefinitionsDialog dialog(definitions, items, check, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.definitions();
}

std::optional<QString> QtDialogs::GetFindCondition(QWidget* parent, const QString& condition,
                                                   const QStringList& items,
                                                   const ConditionCheck& check) {
    FindDialog dialog(condition, items, check, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.condition();
}

std::optional<QColor> QtDialogs::GetColor(QWidget* parent, const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

void QtDialogs::Information(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

void QtDialogs::Warning(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
}

void QtDialogs::ShowShortcuts(QWidget* parent, const std::vector<ShortcutRow>& rows) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Keyboard Shortcuts");
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, &dialog);
    table->setObjectName("shortcutList");
    table->setHorizontalHeaderLabels({"Keys", "What they do"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(rows[row].keys));
        table->setItem(row, 1, new QTableWidgetItem(rows[row].what));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(close);
    dialog.resize(520, 480);
    dialog.exec();
}

}  // namespace grafolux
