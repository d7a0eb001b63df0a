// The window's Table menu: what the cells show, minimum samples, sample filters, colouring,
// further logs, and the table's numbers out through the clipboard and a file.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <limits>
#include <variant>

#include "app/Dialogs.h"
#include "app/EventPump.h"
#include "app/frmMain.h"
#include "draw/DisplayText.h"
#include "files/AtomicFile.h"
#include "files/FileChecks.h"
#include "logdata/LogSetLoader.h"
#include "tables/CellTableText.h"
#include "tables/TableLegend.h"

namespace grafolux {

void frmMain::CreateTableMenu() {
    mTable = menuBar()->addMenu("&Table");
    auto* statistics = new QActionGroup(this);
    for (const CellStatistic statistic :
         {CellStatistic::Mean, CellStatistic::Count, CellStatistic::Minimum, CellStatistic::Maximum,
          CellStatistic::StdDev}) {
        QAction* action = mTable->addAction(StatisticTitle(statistic), this,
                                            [this, statistic] { mStatistic_Click(statistic); });
        action->setCheckable(true);
        statistics->addAction(action);
        mStatistic.push_back(action);
    }
    mTable->addSeparator();
    mMinSamples =
        mTable->addAction("Minimum &Samples per Cell...", this, &frmMain::mMinSamples_Click);
    mFilter = mTable->addAction("&Filter Samples...", this, &frmMain::mFilter_Click);
    mFilter->setShortcut(QKeySequence::Find);
    mColour = mTable->addAction("C&olour Cells", this, &frmMain::mColour_Click);
    mColour->setCheckable(true);
    mTable->addSeparator();
    mInclude = mTable->addAction("&Include Other Logs...", this, &frmMain::mInclude_Click);
    mOnlyThisLog = mTable->addAction("Only &This Log", this, &frmMain::mOnlyThisLog_Click);
    mTable->addSeparator();
    mCopyTable = mTable->addAction("&Copy Table", this, &frmMain::mCopyTable_Click);
    mCopyTable->setShortcut(QKeySequence::Copy);
    mSaveTable = mTable->addAction("Save Table &As...", this, &frmMain::mSaveTable_Click);
    for (QAction* action : mTable->actions())
        if (!action->isSeparator())
            action->setObjectName(action->text().remove('&').remove("...").simplified());
}

void frmMain::EnableTableMenu(bool loaded) {
    mTable->menuAction()->setEnabled(loaded);
    for (size_t i = 0; i < mStatistic.size(); ++i)
        mStatistic[i]->setChecked(static_cast<int>(i) ==
                                  static_cast<int>(tablePrefs_.look.show.statistic));
    mColour->setChecked(tablePrefs_.look.coloured);
    mOnlyThisLog->setEnabled(!included_.empty());
}

TableSettings frmMain::TableSettingsNow() const {
    TableSettings settings{tablePrefs_.look, tablePrefs_.conditions, strFileTitle, {}};
    for (const IncludedFile& file : included_)
        settings.included.push_back(
            {FileTitle(file.path), &file.log, SameFile(file.path, strFileName)});
    return settings;
}

// Kept for the next start at once, and shown in a table view.
void frmMain::SetTablePreferences(const TablePreferences& preferences) {
    tablePrefs_ = preferences;
    EnableTableMenu(blnFileLoaded);
    std::string error;
    if (!SaveTablePreferences(strPreferencesFile, tablePrefs_, &error))
        dialogs_.Warning(this, "Preferences",
                         "The table's settings could not be kept for the next start:\n" +
                             QString::fromLocal8Bit(error.c_str()));
    RedrawTableView();
}

void frmMain::RedrawTableView() {
    if (lngViewMode == ViewMode::Blm || lngViewMode == ViewMode::Int) RedrawCurrentView();
}

void frmMain::mStatistic_Click(CellStatistic statistic) {
    TablePreferences preferences = tablePrefs_;
    preferences.look.show.statistic = statistic;
    SetTablePreferences(preferences);
}

void frmMain::mMinSamples_Click() {
    const auto chosen =
        dialogs_.GetInteger(this, "Minimum Samples per Cell",
                            "A cell with fewer samples shows N/A:", tablePrefs_.look.show.minCount,
                            1, std::numeric_limits<int>::max());
    if (!chosen) return;
    TablePreferences preferences = tablePrefs_;
    preferences.look.show.minCount = *chosen;
    SetTablePreferences(preferences);
}

void frmMain::mFilter_Click() {
    QStringList current, items;
    for (const SampleCondition& condition : tablePrefs_.conditions)
        current << QString::fromStdString(ConditionText(condition));
    for (int32_t k = 1; k <= log_.lngItemCount; ++k) items << DisplayText(log_.udtItems[k].strName);
    const auto chosen = dialogs_.EditFilters(this, current, items);
    if (!chosen) return;
    TablePreferences preferences = tablePrefs_;
    preferences.conditions.clear();
    for (const QString& text : *chosen) {
        auto parsed = ParseCondition(text.toStdString());
        if (auto* condition = std::get_if<SampleCondition>(&parsed))
            preferences.conditions.push_back(std::move(*condition));
    }
    // Further logs hold only the items the tables read: load them again for new conditions.
    if (preferences.conditions != tablePrefs_.conditions && !included_.empty()) {
        std::vector<std::string> paths;
        for (const IncludedFile& file : included_) paths.push_back(file.path);
        included_.clear();
        tablePrefs_.conditions = preferences.conditions;
        LoadIncludedLogs(paths);
    }
    SetTablePreferences(preferences);
}

void frmMain::mColour_Click() {
    TablePreferences preferences = tablePrefs_;
    preferences.look.coloured = mColour->isChecked();
    SetTablePreferences(preferences);
}

void frmMain::mInclude_Click() {
    if (blnLoading) return;
    const QStringList chosen = dialogs_.GetOpenFileNames(
        this, QFile::decodeName(strFileName.c_str()), LogFileFilters(), 2);
    if (chosen.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& path : chosen) paths.push_back(QFile::encodeName(path).toStdString());
    LoadIncludedLogs(paths);
    EnableTableMenu(blnFileLoaded);
    RedrawTableView();
}

// Each log on its own, all or nothing; the ones that fail are named with the reason and the
// others stay.
void frmMain::LoadIncludedLogs(const std::vector<std::string>& paths) {
    ProgressBar1->setEnabled(true);
    ProgressBar1->setValue(0);
    blnLoading = true;
    EventPump pump;
    std::vector<LoadResult> results =
        LoadLogs(paths, colors_.lngItemColor, {ItemsReadByTables(tablePrefs_.conditions), 0},
                 [&](int64_t done, int64_t total) {
                     if (pump.Due()) ShowLoadProgress(done, total);
                 });
    blnLoading = false;
    ShowProgressIdle();
    QStringList failures;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (auto* log = std::get_if<LogData>(&results[i]))
            included_.push_back({paths[i], std::move(*log)});
        else
            failures << QString::fromLocal8Bit(std::get<LoadError>(results[i]).message.c_str());
    }
    if (!failures.isEmpty())
        dialogs_.Warning(this, "Include Other Logs",
                         "These logs could not be included:\n" + failures.join('\n'));
    if (blnCloseAfterLoad) close();
}

void frmMain::mOnlyThisLog_Click() {
    included_.clear();
    EnableTableMenu(blnFileLoaded);
    RedrawTableView();
}

void frmMain::mCopyTable_Click() {
    if (lngViewMode != ViewMode::Blm && lngViewMode != ViewMode::Int) return;
    const QString text =
        QString::fromStdString(CellTableText(ShownTable().table, tablePrefs_.look.show));
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard) clipboard->setText(text);
    if (!clipboard || clipboard->text() != text)
        dialogs_.Warning(this, "Copy Table",
                         "The clipboard is not available: the table was not copied.");
}

void frmMain::mSaveTable_Click() {
    if (lngViewMode != ViewMode::Blm && lngViewMode != ViewMode::Int) return;
    const QString name = dialogs_.GetSaveFileName(
        this, strTableFileName, {"CSV Files (*.csv)", "Text Files (*.txt)"}, "csv");
    if (name.isEmpty()) return;
    strTableFileName = name;
    QString error;
    if (!WriteFileAtomically(name,
                             CellTableFileText(QFile::encodeName(name).toStdString(),
                                               ShownTable().table, tablePrefs_.look.show),
                             &error))
        dialogs_.Warning(this, "Save Table As",
                         "The table could not be saved; an existing file is unchanged:\n" + error);
}

}  // namespace grafolux
