#include "app/FindController.h"

#include <QWidget>
#include <variant>

#include "app/GraphReadout.h"
#include "app/LogDocument.h"
#include "app/WindowActions.h"
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

FindController::FindController(LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                               GraphReadout& readout, QWidget& window)
    : QObject(&window), document_(document), dialogs_(dialogs), readout_(readout), window_(window) {
    actions.Bind(ActionId::Find, [this] { mFind_Click(); });
    actions.Bind(ActionId::FindNext, [this] { Find(FindDirection::Next); });
    actions.Bind(ActionId::FindPrevious, [this] { Find(FindDirection::Previous); });
    connect(&document, &LogDocument::LogShown, this, &FindController::ForgetLog);
    connect(&document, &LogDocument::DefinitionsChanged, this, &FindController::ForgetRuns);
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
    ForgetNotice();  // said over the view before
    if (!active_ || !axis_) return;
    FindRuns();
    ShowRuns();
}

void FindController::FollowCanvas() { ForgetNotice(); }

void FindController::ForgetNotice() {
    if (notice_.isEmpty()) return;
    notice_.clear();
    ShowRuns();
}

QString FindController::Check(const QString& condition) const {
    const auto bound = Bound(condition, document_.log());
    if (const auto* error = std::get_if<FormulaError>(&bound)) return DisplayText(error->message);
    return {};
}

void FindController::mFind_Click() {
    if (!document_.loaded()) return;
    const auto chosen =
        dialogs_.GetFindCondition(&window_, document_.findCondition(), document_.ItemNames(),
                                  [this](const QString& text) { return Check(text); });
    if (!chosen) return;
    document_.SetFindCondition(*chosen);
    foundFor_.reset();
    lastFound_.reset();
    if (document_.findCondition().isEmpty()) {
        active_ = false;
        notice_.clear();
        readout_.ShowFind(nullptr, {});
        return;
    }
    Find(FindDirection::Next);
}

void FindController::Find(FindDirection direction) {
    if (!document_.loaded()) return;
    const QString& condition = document_.findCondition();
    if (condition.isEmpty()) {
        mFind_Click();
        return;
    }
    active_ = true;
    if (!axis_) document_.ShowView(ViewMode::Graph);  // its drawing shows the runs
    if (!axis_ || !FindRuns()) {
        notice_ = fault_;
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
    notice_ = target ? QString() : FindNotice(condition, *found_, direction, start);
    ShowRuns();
    if (!target) return;
    lastFound_ = target;
    readout_.ShowRun(marks, *target);
}

bool FindController::FindRuns() {
    const QString& condition = document_.findCondition();
    const Found wanted{logChanges_, axis_->sFirst, axis_->sLast, condition};
    if (foundFor_ == wanted) return found_ != nullptr;
    foundFor_ = wanted;
    found_.reset();
    fault_.clear();
    const auto bound = Bound(condition, document_.log());
    if (const auto* error = std::get_if<FormulaError>(&bound)) {
        fault_ = DisplayText(error->message);
        return false;
    }
    found_ = std::make_shared<const FoundRuns>(
        MarkHolding(std::get<FormulaProgram>(bound), axis_->sFirst, axis_->sLast));
    return true;
}

void FindController::ShowRuns() {
    readout_.ShowFind(active_ ? found_ : nullptr, active_ ? notice_ : QString());
}

}  // namespace grafolux
