#include "app/FilterDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <variant>

#include "app/DialogParts.h"
#include "tables/SampleFilter.h"

namespace grafolux {

FilterDialog::FilterDialog(const QStringList& conditions, const QStringList& items, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Filter Samples");
    auto* help = new QLabel(
        "A sample counts in the tables only when every condition holds.\n"
        "One condition per line: ITEM OP NUMBER, OP one of = \u2260 < \u2264 > \u2265\n"
        "(or != <= >=), for instance MW2:7 = 1 or SENSOR:CTS >= 80.\n"
        "Double-click an item to add it.",
        this);
    text_ = new QPlainTextEdit(conditions.join('\n'), this);
    text_->setObjectName("filterText");
    items_ = ItemList(items, "filterItems", *this);
    problem_ = new QLabel(this);
    problem_->setObjectName("filterProblem");
    buttons_ = OkCancelButtons(*this);

    auto* lists = new QHBoxLayout;
    lists->addWidget(text_, 2);
    lists->addWidget(items_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(lists);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    connect(text_, &QPlainTextEdit::textChanged, this, &FilterDialog::CheckLines);
    connect(items_, &QListWidget::itemDoubleClicked, this, &FilterDialog::InsertItem);
    CheckLines();
}

QStringList FilterDialog::conditions() const { return NonBlankLines(text_->toPlainText()); }

void FilterDialog::CheckLines() {
    QString problem;
    const QStringList lines = conditions();
    for (int i = 0; i < lines.size() && problem.isEmpty(); ++i) {
        const auto parsed = ParseCondition(lines[i].toStdString());
        if (const auto* error = std::get_if<ConditionError>(&parsed))
            problem = QString("\"%1\": %2").arg(lines[i], QString::fromStdString(error->message));
    }
    problem_->setText(problem);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

void FilterDialog::InsertItem() {
    if (!items_->currentItem()) return;
    QTextCursor cursor = text_->textCursor();
    cursor.movePosition(QTextCursor::End);
    if (!text_->toPlainText().isEmpty() && !text_->toPlainText().endsWith('\n'))
        cursor.insertText("\n");
    cursor.insertText(items_->currentItem()->text() + " = ");
    text_->setTextCursor(cursor);
    text_->setFocus();
}

}  // namespace grafolux
