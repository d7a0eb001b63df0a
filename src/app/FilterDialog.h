#pragma once
// "Filter Samples": the sample conditions as lines of text, checked as they are typed; OK
// only while every line reads as a condition.

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace grafolux {

class FilterDialog : public QDialog {
    Q_OBJECT
public:
    FilterDialog(const QStringList& conditions, const QStringList& items, QWidget* parent);

    // The non-empty lines, blanks around them removed.
    QStringList conditions() const;

private:
    void CheckLines();
    void InsertItem();

    QPlainTextEdit* text_;
    QListWidget* items_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

}  // namespace grafolux
