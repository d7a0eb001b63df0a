#include "app/FindController.h"

#include <QAction>
#include <QMenu>
#include <variant>

#include "app/DisplayState.h"
#include "app/GraphReadout.h"
#include "draw/DisplayText.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaReader.h"

namespace grafolux {

namespace {

// The condition bound to the log, or what is wrong with it.
std::variant<FormulaProgram, FormulaError> Bound(const QString& condition, const LogData& log) {
    auto parsed = ParseExpression(condition.toStdString());
    if (auto* error = std::get_if<FormulaError>(&parsed)) return std::move(*error);
    return FormulaProgram::Bind(std::get<Expression>(parsed), log);
}

}  // namespace

FindController::FindController(const DisplayState& shown, Dialogs& dialogs, GraphReadout& readout,
                               QMenu& menu, QWidget& window)
    : QObject(&window), shown_(shown), dialogs_(dialogs), readout_(readout), window_(window) {
    menu.addSeparator();
    mFind = menu.addAction("&Find...", this, &FindController::mFind_Click);
    mFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mFindNext = menu.addAction("Find &Next", this, &FindController::mFindNext_Click);
    mFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    mFindPrevious = menu.addAction("Find &Previous", this, &FindController::mFindPrevious_Click);
    mFindPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    for (QAction* action : {mFind, mFindNext, mFindPrevious})
        action->setObjectName(action->text().remove('&').remove("..."));
    EnableFind(false);
}

void FindController::EnableFind(bool loaded) {
    for (QAction* action : {mFind, mFindNext, mFindPrevious}) action->setEnabled(loaded);
}

void FindController::ForgetLog() {
    active_ = false;
    ForgetRuns();
    found_.reset();
    notice_.clear();
    lastFound_.reset();
}

void FindController::ForgetRuns() {
    ++logChanges_;
    foundFor_.reset();
}

void FindController::ShowView(const std::optional<SampleAxis>& axis) {
    axis_ = axis;
    if (!active_ || !axis_) return;
    FindRuns();
    ShowRuns();
}

QString FindController::Check(const QString& condition) const {
    const auto bound = Bound(condition, shown_.log);
    if (const auto* error = std::get_if<FormulaError>(&bound)) return DisplayText(error->message);
    return {};
}

void FindController::mFind_Click() {
    if (!shown_.blnFileLoaded) return;
    QStringList items;
    for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k)
        items << DisplayText(shown_.log.udtItems[k].strName);
    const auto chosen = dialogs_.GetFindCondition(
        &window_, strCondition, items, [this](const QString& text) { return Check(text); });
    if (!chosen) return;
    strCondition = *chosen;
    foundFor_.reset();
    lastFound_.reset();
    if (strCondition.isEmpty()) {
        active_ = false;
        readout_.ShowFind(nullptr, {});
        return;
    }
    Find(FindDirection::Next);
}

void FindController::Find(FindDirection direction) {
    if (!shown_.blnFileLoaded) return;
    if (strCondition.isEmpty()) {
        mFind_Click();
        return;
    }
    active_ = true;
    if (!axis_) emit GraphWanted();  // its drawing shows the runs
    if (!axis_ || !FindRuns()) {
        ShowRuns();
        return;
    }
    // From the cursor, else from where the last Find went, else from the range's end.
    std::optional<int32_t> from = readout_.cursor();
    if (!from && lastFound_ && *lastFound_ >= axis_->sFirst && *lastFound_ <= axis_->sLast)
        from = lastFound_;
    const bool next = direction == FindDirection::Next;
    const int32_t start = from.value_or(next ? axis_->sFirst - 1 : axis_->sLast + 1);
    const SampleMarks& marks = found_->marks();
    const auto target = next ? marks.NextRunStart(start) : marks.PreviousRunStart(start);
    notice_ = target ? QString() : FindNotice(strCondition, *found_, direction, start);
    ShowRuns();
    if (!target) return;
    lastFound_ = target;
    readout_.ShowRun(marks, *target);
}

bool FindController::FindRuns() {
    const Found wanted{logChanges_, axis_->sFirst, axis_->sLast, strCondition};
    if (foundFor_ == wanted) return found_ != nullptr;
    foundFor_ = wanted;
    found_.reset();
    notice_.clear();
    const auto bound = Bound(strCondition, shown_.log);
    if (const auto* error = std::get_if<FormulaError>(&bound)) {
        notice_ = DisplayText(error->message);
        return false;
    }
    found_ = std::make_shared<const FoundRuns>(
        MarkHolding(std::get<FormulaProgram>(bound), axis_->sFirst, axis_->sLast));
    if (found_->count() == 0)
        notice_ = FindNotice(strCondition, *found_, FindDirection::Next, axis_->sFirst);
    return true;
}

void FindController::ShowRuns() {
    readout_.ShowFind(active_ ? found_ : nullptr, active_ ? notice_ : QString());
}

}  // namespace grafolux
