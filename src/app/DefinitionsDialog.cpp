#include "app/DefinitionsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "formula/FormulaTokens.h"

namespace grafolux {

namespace {

// Tints of the lines with a problem, light enough to read the text on.
const QColor kFaultTint(255, 200, 200);
const QColor kUnavailableTint(255, 235, 180);

}  // namespace

DefinitionsDialog::DefinitionsDialog(const QStringList& definitions, const QStringList& items,
                                     DefinitionsCheck check, QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {
    setWindowTitle("Computed Items");
    auto* help = new QLabel(
        "One item per line: NAME = EXPR, for instance\n"
        "  AFR = 14.7 * SENSOR:O2 / 0.45\n"
        "  dMAP = SENSOR:MAP - SENSOR:MAP[-1]    (the sample before: [-1])\n"
        "EXPR: items and earlier lines' names, numbers, + - * /, = != < <= > >=,\n"
        "and or not, abs sqrt min max if(c, a, b); a name with other characters in\n"
        "\"quotes\". A value that is not a finite number is missing (a gap in the curve).\n"
        "Double-click an item to write its name.",
        this);
    text_ = new QPlainTextEdit(definitions.join('\n'), this);
    text_->setObjectName("definitionText");
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    items_ = ItemList(items, "definitionItems", *this);
    problems_ = new QListWidget(this);
    problems_->setObjectName("definitionProblems");
    problems_->setMaximumHeight(120);
    buttons_ = OkCancelButtons(*this);

    auto* lists = new QHBoxLayout;
    lists->addWidget(text_, 2);
    lists->addWidget(items_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(lists);
    layout->addWidget(problems_);
    layout->addWidget(buttons_);
    resize(720, 420);

    connect(text_, &QPlainTextEdit::textChanged, this, &DefinitionsDialog::CheckLines);
    connect(items_, &QListWidget::itemDoubleClicked, this, &DefinitionsDialog::InsertItem);
    CheckLines();
}

QStringList DefinitionsDialog::definitions() const { return NonBlankLines(text_->toPlainText()); }

// Each line with a problem is tinted and listed with its number and the reason.
void DefinitionsDialog::CheckLines() {
    std::vector<int> lineNumbers;  // of each definition, from 1
    for (QTextBlock block = text_->document()->firstBlock(); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty()) lineNumbers.push_back(block.blockNumber() + 1);
    const std::vector<DefinitionProblem> found = check_(definitions());

    problems_->clear();
    QList<QTextEdit::ExtraSelection> tints;
    bool fault = false;
    for (size_t i = 0; i < found.size() && i < lineNumbers.size(); ++i) {
        const DefinitionProblem& problem = found[i];
        if (problem.message.isEmpty()) continue;
        fault |= problem.fault;
        problems_->addItem(QString("Line %1%2: ")
                               .arg(lineNumbers[i])
                               .arg(problem.fault ? "" : ", unavailable for this log") +
                           problem.message);
        QTextEdit::ExtraSelection tint;
        tint.cursor = QTextCursor(text_->document()->findBlockByNumber(lineNumbers[i] - 1));
        tint.format.setBackground(problem.fault ? kFaultTint : kUnavailableTint);
        tint.format.setProperty(QTextFormat::FullWidthSelection, true);
        tints << tint;
    }
    text_->setExtraSelections(tints);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!fault);
}

void DefinitionsDialog::InsertItem() {
    if (!items_->currentItem()) return;
    const std::string name = items_->currentItem()->text().toStdString();
    QTextCursor cursor = text_->textCursor();
    cursor.insertText(QString::fromStdString(WrittenName(name)));
    text_->setTextCursor(cursor);
    text_->setFocus();
}

}  // namespace grafolux
