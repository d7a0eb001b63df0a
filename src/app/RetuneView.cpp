// The retune view's Table menu entries, its map, and its cells' tooltips and marks.
#include "app/RetuneView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>
#include <variant>

#include "app/CellMouse.h"
#include "app/ComputedItemsController.h"
#include "app/Dialogs.h"
#include "app/DisplayState.h"
#include "app/GraphReadout.h"
#include "app/GraphView.h"
#include "app/PictureBox.h"
#include "app/TableMenu.h"
#include "draw/DisplayText.h"
#include "files/AtomicFile.h"
#include "tables/RetuneText.h"
#include "views/RetuneCommand.h"
#include "views/RetuneViewDrawing.h"

namespace grafolux {

namespace {

// The trims' factor as the factor dialog offers it, first.
const QString kTrimsFactor = QString::fromUtf8("SENSOR:BLM \u00d7 SENSOR:INT \u00f7 16384");

RetuneChoices ChoicesOf(const RetunePreferences& preferences) {
    return {preferences.factor, preferences.settings};
}

}  // namespace

RetuneView::RetuneView(DisplayState& shown, Dialogs& dialogs, TableMenu& tables, GraphView& view,
                       GraphReadout& readout, const ComputedItemsController& computed,
                       PictureBox& canvas, QMainWindow& window)
    : QObject(&window),
      shown_(shown),
      dialogs_(dialogs),
      tables_(tables),
      view_(view),
      readout_(readout),
      computed_(computed),
      canvas_(canvas),
      window_(window) {
    QMenu& menu = tables_.menu();
    menu.addSeparator();
    mRetuneMap = menu.addAction("&Retune Map...", this, &RetuneView::mRetuneMap_Click);
    mPasteMap = menu.addAction("&Paste Map", this, &RetuneView::mPasteMap_Click);
    mPasteMap->setShortcut(QKeySequence::Paste);
    mOpenMap = menu.addAction("Op&en Map...", this, &RetuneView::mOpenMap_Click);
    mFactor = menu.addAction("Ret&une Factor...", this, &RetuneView::mFactor_Click);
    auto* cells = new QActionGroup(this);
    mBilinear =
        menu.addAction("&Bilinear Cells", this, [this] { mCells_Click(CellWeighting::Bilinear); });
    mNearest =
        menu.addAction("&Nearest Cells", this, [this] { mCells_Click(CellWeighting::Nearest); });
    for (QAction* action : {mBilinear, mNearest}) {
        action->setCheckable(true);
        cells->addAction(action);
    }
    mMinWeight = menu.addAction("Minimum &Weight...", this, &RetuneView::mMinWeight_Click);
    mMaxChange = menu.addAction("Maximum C&hange...", this, &RetuneView::mMaxChange_Click);
    mCopyNewMap = menu.addAction("Cop&y New Map", this, &RetuneView::mCopyNewMap_Click);
    mCopyNewMap->setShortcut(QKeySequence::Copy);
    mSaveNewMap = menu.addAction("Sa&ve New Map As...", this, &RetuneView::mSaveNewMap_Click);
    for (QAction* action : {mRetuneMap, mPasteMap, mOpenMap, mFactor, mBilinear, mNearest,
                            mMinWeight, mMaxChange, mCopyNewMap, mSaveNewMap})
        action->setObjectName(action->text().remove('&').remove("...").simplified());

    view_.SetRetuneDrawing([this] { return DrawRetune(); });
    tables_.SetRetuneCommand([this] { return map_ ? CommandLine() : QString(); });
    new CellMouse(canvas_,
                  {[this] { return shown_.lngViewMode == ViewMode::Retune; },
                   [this](QPoint point, QPoint global) { ShowCellTip(point, global); },
                   [this](QPoint point) { MarkCell(point); }},
                  *this);
    ShowViewMode(ViewMode::None);
}

void RetuneView::LoadPreferences(const std::string& settingsFile) {
    strPreferencesFile = PreferencesFilePath(settingsFile);
    prefs_ = LoadRetunePreferences(strPreferencesFile);
    tables_.SetFurtherItems(prefs_.factor ? std::vector{*prefs_.factor}
                                          : std::vector<std::string>{});
    EnableRetuneMenu(shown_.blnFileLoaded);
}

void RetuneView::EnableRetuneMenu(bool loaded) {
    for (QAction* action : {mRetuneMap, mPasteMap, mOpenMap}) action->setEnabled(loaded);
    mBilinear->setChecked(prefs_.settings.weighting == CellWeighting::Bilinear);
    mNearest->setChecked(prefs_.settings.weighting == CellWeighting::Nearest);
}

void RetuneView::ShowViewMode(ViewMode mode) {
    const bool shown = mode == ViewMode::Retune;
    for (QAction* action : {mCopyNewMap, mSaveNewMap}) action->setEnabled(shown && map_);
}

// ---- Drawing ----

QString RetuneView::DrawRetune() {
    const TableSettings tables = tables_.TableSettingsNow();
    RetuneDrawn drawn =
        DrawRetuneForRange(shown_.area, shown_.log, map_ ? &*map_ : nullptr, shown_.firstText,
                           shown_.lastText, shown_.colors, tables, ChoicesOf(prefs_));
    shownResult_ = std::move(drawn.result);
    ShowViewMode(shown_.lngViewMode);
    return LegendToolTip(drawn.legend);
}

// The new map for the present settings as `grafolux-cli retune` prints it, as CSV for a file
// name not ending in ".txt"; nothing, said why in a message titled `title`, without one.
std::optional<std::string> RetuneView::NewMapText(const QString& title, const std::string& path) {
    if (!map_) return std::nullopt;
    const TableSettings tables = tables_.TableSettingsNow();
    const auto retuned = RetuneForRange(shown_.log, *map_, shown_.firstText, shown_.lastText,
                                        tables, ChoicesOf(prefs_));
    if (const auto* lack = std::get_if<RetuneLack>(&retuned)) {
        dialogs_.Warning(&window_, title, RetuneNotice(*lack, tables));
        return std::nullopt;
    }
    const RetuneResult& result = std::get<RetuneOfLogs>(retuned).result;
    return path.empty() ? RetuneText(*map_, result, RetuneShow::Map)
                        : RetuneFileText(path, *map_, result);
}

QString RetuneView::CommandLine() const {
    const RetuneCommand command = WindowRetuneCommand(
        shown_.strShownFile, shown_.log, shown_.firstText, shown_.lastText,
        tables_.TableSettingsNow(), ChoicesOf(prefs_), mapPath_, mapText_, computed_.definitions());
    return QString::fromLocal8Bit(RetuneCommandLine(command));
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
    map_ = std::get<FuelMap>(std::move(parsed));
    mapText_ = text;
    mapPath_ = path;
    view_.ShowRetune();
}

void RetuneView::mRetuneMap_Click() {
    if (shown_.blnFileLoaded) view_.ShowRetune();
}

void RetuneView::mPasteMap_Click() {
    if (!shown_.blnFileLoaded) return;
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
    if (!shown_.blnFileLoaded) return;
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

void RetuneView::SetPreferences(const RetunePreferences& preferences) {
    prefs_ = preferences;
    EnableRetuneMenu(shown_.blnFileLoaded);
    std::string error;
    if (!SaveRetunePreferences(strPreferencesFile, prefs_, &error))
        dialogs_.Warning(&window_, "Preferences",
                         "The retune's settings could not be kept for the next start:\n" +
                             QString::fromLocal8Bit(error.c_str()));
    // The included logs keep the factor's item too.
    tables_.SetFurtherItems(prefs_.factor ? std::vector{*prefs_.factor}
                                          : std::vector<std::string>{});
    if (shown_.lngViewMode == ViewMode::Retune) view_.ShowRetune();
}

void RetuneView::mFactor_Click() {
    QStringList items = {kTrimsFactor};
    for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k)
        items << DisplayText(shown_.log.udtItems[k].strName);
    const auto chosen = dialogs_.GetItemName(
        &window_, "Retune Factor", "The item whose value is each sample's fuel factor:", items,
        prefs_.factor ? QString::fromStdString(*prefs_.factor) : kTrimsFactor);
    if (!chosen) return;
    RetunePreferences preferences = prefs_;
    const QString name = chosen->trimmed();
    preferences.factor = name.isEmpty() || name == kTrimsFactor
                             ? std::nullopt
                             : std::optional<std::string>(name.toStdString());
    SetPreferences(preferences);
}

void RetuneView::mCells_Click(CellWeighting weighting) {
    RetunePreferences preferences = prefs_;
    preferences.settings.weighting = weighting;
    SetPreferences(preferences);
}

void RetuneView::mMinWeight_Click() {
    const auto chosen = dialogs_.GetNumber(
        &window_, "Minimum Weight",
        "A cell whose samples weigh less is left as it was:", prefs_.settings.minWeight, 0, 1e9, 2);
    if (!chosen) return;
    RetunePreferences preferences = prefs_;
    preferences.settings.minWeight = *chosen;
    SetPreferences(preferences);
}

void RetuneView::mMaxChange_Click() {
    const auto chosen = dialogs_.GetNumber(&window_, "Maximum Change",
                                           "The most a cell may change in one pass, in percent:",
                                           prefs_.settings.maxChange, 0, 1000, 1);
    if (!chosen) return;
    RetunePreferences preferences = prefs_;
    preferences.settings.maxChange = *chosen;
    SetPreferences(preferences);
}

// ---- The new map out ----

void RetuneView::mCopyNewMap_Click() {
    if (const auto text = NewMapText("Copy New Map"))
        tables_.CopyText("Copy New Map", "new map", QString::fromStdString(*text));
}

void RetuneView::mSaveNewMap_Click() {
    if (!map_) return;
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
    const auto cell = map_ && shownResult_ ? RetuneCellAt(shown_.area.pbGraphContents, point, *map_)
                                           : std::nullopt;
    if (cell)
        QToolTip::showText(globalPoint, RetuneCellSummary(*map_, *shownResult_, *cell), &canvas_);
    else
        QToolTip::hideText();
}

// The samples of the shown log that touched the cell, marked on the graph under the present
// settings at each of its drawings.
void RetuneView::MarkCell(QPoint point) {
    if (!map_ || !shownResult_) return;
    const auto cell = RetuneCellAt(shown_.area.pbGraphContents, point, *map_);
    if (!cell || shownResult_->cells[cell->row * map_->columnCount() + cell->column].samples == 0)
        return;
    const QString name = QString::fromStdString(map_->rows.texts[cell->row]) + " rpm " +
                         QString::fromStdString(map_->columns.texts[cell->column]) + " kPa";
    readout_.MarkOnGraph(name, [this, cell = *cell](int32_t first, int32_t last) {
        if (!map_ || cell.row >= map_->rowCount() || cell.column >= map_->columnCount())
            return SampleMarks();
        const TableSource log{&shown_.log, first, last};
        const auto inputs = RetuneInputs::For(std::span(&log, 1), prefs_.factor,
                                              tables_.TableSettingsNow().conditions);
        const auto* read = std::get_if<RetuneInputs>(&inputs);
        return read ? read->MarkCell(0, *map_, cell.row, cell.column, first, last,
                                     prefs_.settings.weighting)
                    : SampleMarks();
    });
}

}  // namespace grafolux
