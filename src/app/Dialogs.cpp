#include "app/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace grafolux {

namespace {

QString RunFileDialog(QFileDialog& dialog, const QString& initial, const QStringList& filters,
                      int selectedFilter) {
    dialog.setNameFilters(filters);
    if (selectedFilter >= 1 && selectedFilter <= filters.size())
        dialog.selectNameFilter(filters[selectedFilter - 1]);
    if (!initial.isEmpty()) dialog.selectFile(initial);
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

}  // namespace grafolux
