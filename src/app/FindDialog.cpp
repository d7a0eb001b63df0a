#include "app/FindDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "formula/FormulaTokens.h"

namespace grafolux {

FindDialog::FindDialog(const QString& condition, const QStringList& items, ConditionCheck check,
                       QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {
    setWindowTitle("Find");
    auto* help = new QLabel(
        "Find the runs of samples where the condition holds (its value is present and not 0),\n"
        "for instance  SENSOR:KNOCK > SENSOR:KNOCK[-1] and SENSOR:TPS > 50\n"
        "in the language of the computed items. F3 and Shift+F3 go to the next and the\n"
        "previous run; an empty condition ends the Find. Double-click an item to write its name.",
        this);
    text_ = new QLineEdit(condition, this);
    text_->setObjectName("findCondition");
    items_ = ItemList(items, "findItems", *this);
    problem_ = new QLabel(this);
    problem_->setObjectName("findProblem");
    problem_->setWordWrap(true);
    buttons_ = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(text_);
    layout->addWidget(items_);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    connect(text_, &QLineEdit::textChanged, this, &FindDialog::CheckCondition);
    connect(items_, &QListWidget::itemDoubleClicked, this, &FindDialog::InsertItem);
    CheckCondition();
}

QString FindDialog::condition() const { return text_->text().trimmed(); }

void FindDialog::CheckCondition() {
    const QString problem = condition().isEmpty() ? QString() : check_(condition());
    problem_->setText(problem);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

void FindDialog::InsertItem() {
    if (!items_->currentItem()) return;
    text_->insert(QString::fromStdString(WrittenName(items_->currentItem()->text().toStdString())));
    text_->setFocus();
}

}  // namespace grafolux
