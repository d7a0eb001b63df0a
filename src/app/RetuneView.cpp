// The retune view's Table menu entries, its map, and its cells' tooltips and marks.
#include "app/RetuneView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QToolTip>
#include <QWidget>
#include <variant>

#include "app/CellMouse.h"
#include "app/Dialogs.h"
#include "app/GraphReadout.h"
#include "app/LogDocument.h"
#include "app/PictureBox.h"
#include "app/WindowActions.h"
#include "draw/DisplayText.h"
#include "files/AtomicFile.h"
#include "tables/RetuneDrawing.h"
#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"
#include "views/RetuneViewDrawing.h"

namespace grafolux {

namespace {

// A number as the command line's --min-weight and --max-change and the preferences read it.
std::optional<double> RetuneNumber(const QString& text) {
    return PlainDecimal(text.trimmed().toStdString());
}

}  // namespace

RetuneView::RetuneView(LogDocument& document, const DrawingArea& area, ActionRegistry& actions,
                       Dialogs& dialogs, GraphReadout& readout, PictureBox& canvas, QWidget& window)
    : QObject(&window),
      document_(document),
      area_(area),
      dialogs_(dialogs),
      readout_(readout),
      canvas_(canvas),
      window_(window) {
    actions.Bind(ActionId::RetuneMap, [this] { document_.ShowView(ViewMode::Retune); });
    actions.Bind(ActionId::PasteMap, [this] { mPasteMap_Click(); });
    actions.Bind(ActionId::OpenMap, [this] { mOpenMap_Click(); });
    actions.Bind(ActionId::RetuneFactor, [this] { mFactor_Click(); });
    actions.Bind(ActionId::BilinearCells, [this] { SetWeighting(CellWeighting::Bilinear); });
    actions.Bind(ActionId::NearestCells, [this] { SetWeighting(CellWeighting::Nearest); });
    actions.Bind(ActionId::MinWeight, [this] { mMinWeight_Click(); });
    actions.Bind(ActionId::MaxChange, [this] { mMaxChange_Click(); });
    actions.Bind(ActionId::CopyNewMap, [this] { mCopyNewMap_Click(); });
    actions.Bind(ActionId::SaveNewMap, [this] { mSaveNewMap_Click(); });
    new CellMouse(canvas_,
                  {[this] { return document_.viewMode() == ViewMode::Retune; },
                   [this](QPoint point, QPoint global) { ShowCellTip(point, global); },
                   [this](QPoint point) { MarkCell(point); }},
                  *this);
}

void RetuneView::ShowRetune(const std::optional<RetuneResult>& result) { shownResult_ = result; }

// The new map for the present settings as `grafolux-cli retune` prints it, as CSV for a file
// name not ending in ".txt"; nothing, said why in a message titled `title`, without one.
std::optional<std::string> RetuneView::NewMapText(const QString& title, const std::string& path) {
    const LogDocument& d = document_;
    if (!d.retuneMap()) return std::nullopt;
    const FuelMap& map = d.retuneMap()->map;
    const TableSettings tables = d.tableSettings();
    const RetunePreferences& choices = d.retuneChoices();
    const auto retuned = RetuneForRange(d.log(), map, d.firstText(), d.lastText(), tables,
                                        {choices.factor, choices.settings});
    if (const auto* lack = std::get_if<RetuneLack>(&retuned)) {
        dialogs_.Warning(&window_, title, RetuneNotice(*lack, tables));
        return std::nullopt;
    }
    const RetuneResult& result = std::get<RetuneOfLogs>(retuned).result;
    return path.empty() ? RetuneText(map, result, RetuneShow::Map)
                        : RetuneFileText(path, map, result);
}

// ---- The map ----

// A map that reads replaces the shown one and shows; one that does not says why, and the old
// one stays.
void RetuneView::SetMap(const std::string& text, const std::string& path) {
    auto parsed = ParseFuelMap(text, path.empty() ? "The pasted map" : path);
    if (const auto* error = std::get_if<MapError>(&parsed)) {
        dialogs_.Warning(&window_, "Retune Map",
                         "The map could not be read:\n" + QString::fromStdString(error->message));
        return;
    }
    document_.SetRetuneMap({std::get<FuelMap>(std::move(parsed)), text, path});
}

void RetuneView::mPasteMap_Click() {
    if (!document_.loaded()) return;
    const QClipboard* clipboard = QApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText() || data->text().isEmpty()) {
        dialogs_.Warning(&window_, "Paste Map",
                         "The clipboard holds no text: copy the fuel map from the tuning "
                         "software first.");
        return;
    }
    SetMap(data->text().toStdString(), {});
}

void RetuneView::mOpenMap_Click() {
    if (!document_.loaded()) return;
    const QString name =
        dialogs_.GetOpenFileName(&window_, strMapFileName,
                                 {"All Files (*.*)", "Text Files (*.txt)", "CSV Files (*.csv)"}, 1);
    if (name.isEmpty()) return;
    strMapFileName = name;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.Warning(&window_, "Open Map",
                         "The map could not be opened:\n" + name + ": " + file.errorString());
        return;
    }
    SetMap(file.readAll().toStdString(), QFile::encodeName(name).toStdString());
}

// ---- Settings ----

void RetuneView::mFactor_Click() {
    const RetunePreferences& current = document_.retuneChoices();
    const auto chosen = dialogs_.GetItemName(
        &window_, "Retune Factor", "The item whose value is each sample's fuel factor:",
        QStringList{TrimsFactorText()} + document_.ItemNames(),
        current.factor ? QString::fromStdString(*current.factor) : TrimsFactorText());
    if (!chosen) return;
    RetunePreferences choices = current;
    const QString name = chosen->trimmed();
    choices.factor = name.isEmpty() || name == TrimsFactorText()
                         ? std::nullopt
                         : std::optional<std::string>(name.toStdString());
    document_.SetRetuneChoices(choices);
}

void RetuneView::SetWeighting(CellWeighting weighting) {
    RetunePreferences choices = document_.retuneChoices();
    choices.settings.weighting = weighting;
    document_.SetRetuneChoices(choices);
}

void RetuneView::AskSetting(const QString& title, const QString& label,
                            double RetuneSettings::*setting) {
    RetunePreferences choices = document_.retuneChoices();
    const auto chosen = dialogs_.GetNumber(
        &window_, title, label, QString::fromStdString(PlainDecimalText(choices.settings.*setting)),
        RetuneNumber);
    if (!chosen) return;
    choices.settings.*setting = *chosen;
    document_.SetRetuneChoices(choices);
}

void RetuneView::mMinWeight_Click() {
    AskSetting("Minimum Weight", "A cell whose samples weigh less is left as it was (0 or more):",
               &RetuneSettings::minWeight);
}

void RetuneView::mMaxChange_Click() {
    AskSetting("Maximum Change", "The most a cell may change in one pass, in percent (0 or more):",
               &RetuneSettings::maxChange);
}

// ---- The new map out ----

void RetuneView::mCopyNewMap_Click() {
    if (const auto text = NewMapText("Copy New Map"))
        CopyText(dialogs_, &window_, "Copy New Map", "new map", QString::fromStdString(*text));
}

void RetuneView::mSaveNewMap_Click() {
    if (!document_.retuneMap()) return;
    const QString name = dialogs_.GetSaveFileName(
        &window_, strNewMapFileName, {"Text Files (*.txt)", "CSV Files (*.csv)"}, "txt");
    if (name.isEmpty()) return;
    strNewMapFileName = name;
    const auto text = NewMapText("Save New Map As", QFile::encodeName(name).toStdString());
    QString error;
    if (text && !WriteFileAtomically(name, *text, &error))
        dialogs_.Warning(
            &window_, "Save New Map As",
            "The new map could not be saved; an existing file is unchanged:\n" + error);
}

// ---- The cells under the mouse ----

void RetuneView::ShowCellTip(QPoint point, QPoint globalPoint) {
    const auto& map = document_.retuneMap();
    const auto cell =
        map && shownResult_ ? RetuneCellAt(area_.pbGraphContents, point, map->map) : std::nullopt;
    if (cell)
        QToolTip::showText(globalPoint, RetuneCellSummary(map->map, *shownResult_, *cell),
                           &canvas_);
    else
        QToolTip::hideText();
}

// The samples of the shown log that touched the cell, marked on the graph under the present
// settings at each of its drawings.
void RetuneView::MarkCell(QPoint point) {
    const auto& shown = document_.retuneMap();
    if (!shown || !shownResult_) return;
    const FuelMap& map = shown->map;
    const auto cell = RetuneCellAt(area_.pbGraphContents, point, map);
    if (!cell || shownResult_->cells[cell->row * map.columnCount() + cell->column].samples == 0)
        return;
    const QString name = QString::fromStdString(map.rows.texts[cell->row]) + " rpm " +
                         QString::fromStdString(map.columns.texts[cell->column]) + " kPa";
    readout_.MarkOnGraph(name, [this, cell = *cell](int32_t first, int32_t last) {
        const auto& now = document_.retuneMap();
        if (!now || cell.row >= now->map.rowCount() || cell.column >= now->map.columnCount())
            return SampleMarks();
        const TableSource log{&document_.log(), first, last};
        const RetunePreferences& choices = document_.retuneChoices();
        const auto inputs = RetuneInputs::For(std::span(&log, 1), choices.factor,
                                              document_.tableChoices().conditions);
        const auto* read = std::get_if<RetuneInputs>(&inputs);
        return read ? read->MarkCell(0, now->map, cell.row, cell.column, first, last,
                                     choices.settings.weighting)
                    : SampleMarks();
    });
}

}  // namespace grafolux
