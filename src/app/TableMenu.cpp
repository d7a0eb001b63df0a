// The window's Table menu: what the cells show, minimum samples, sample filters, colouring,
// further logs, and the table's numbers out through the clipboard and a file.
#include "app/TableMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <limits>
#include <variant>

#include "app/Dialogs.h"
#include "app/DisplayState.h"
#include "app/LogLoading.h"
#include "draw/DisplayText.h"
#include "files/AtomicFile.h"
#include "files/FileChecks.h"
#include "formula/ComputedItems.h"
#include "tables/CellTableText.h"
#include "tables/TableLegend.h"
#include "views/ShellWords.h"
#include "views/TableCommand.h"

namespace grafolux {

TableMenu::TableMenu(const DisplayState& shown, Dialogs& dialogs, LogLoading& loading,
                     QMainWindow& window)
    : QObject(&window), shown_(shown), dialogs_(dialogs), loading_(loading), window_(window) {
    mTable = window_.menuBar()->addMenu("&Table");
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
        mTable->addAction("Minimum &Samples per Cell...", this, &TableMenu::mMinSamples_Click);
    mFilter = mTable->addAction("&Filter Samples...", this, &TableMenu::mFilter_Click);
    mFilter->setShortcut(QKeySequence::Find);
    mColour = mTable->addAction("C&olour Cells", this, &TableMenu::mColour_Click);
    mColour->setCheckable(true);
    mTable->addSeparator();
    mInclude = mTable->addAction("&Include Other Logs...", this, &TableMenu::mInclude_Click);
    mOnlyThisLog = mTable->addAction("Only &This Log", this, &TableMenu::mOnlyThisLog_Click);
    mTable->addSeparator();
    mDifference = mTable->addAction(QString::fromUtf8("&Difference B \u2212 A"), this,
                                    &TableMenu::mDifference_Click);
    mDifference->setCheckable(true);
    mTable->addSeparator();
    mCopyTable = mTable->addAction("&Copy Table", this, &TableMenu::mCopyTable_Click);
    mCopyTable->setShortcut(QKeySequence::Copy);
    mCopyCommand = mTable->addAction("Copy Co&mmand", this, &TableMenu::mCopyCommand_Click);
    mCopyCommand->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    mSaveTable = mTable->addAction("Save Table &As...", this, &TableMenu::mSaveTable_Click);
    for (QAction* action : mTable->actions())
        if (!action->isSeparator())
            action->setObjectName(action->text().remove('&').remove("...").simplified());
}

void TableMenu::EnableTableMenu(bool loaded) {
    mTable->menuAction()->setEnabled(loaded);
    for (size_t i = 0; i < mStatistic.size(); ++i)
        mStatistic[i]->setChecked(static_cast<int>(i) ==
                                  static_cast<int>(tablePrefs_.look.show.statistic));
    mColour->setChecked(tablePrefs_.look.coloured);
    mOnlyThisLog->setEnabled(!included_.empty());
    // Without log B there is nothing to set against the shown log.
    mDifference->setEnabled(shown_.versus.has_value());
    if (!shown_.versus) mDifference->setChecked(false);
}

void TableMenu::LoadPreferences(const std::string& settingsFile) {
    strPreferencesFile = PreferencesFilePath(settingsFile);
    tablePrefs_ = LoadTablePreferences(strPreferencesFile);
    EnableTableMenu(shown_.blnFileLoaded);
}

void TableMenu::ShowViewMode(ViewMode mode) {
    for (QAction* action : {mCopyTable, mCopyCommand, mSaveTable})
        action->setEnabled(IsTableView(mode));
    if (mode == ViewMode::Retune) mCopyCommand->setEnabled(static_cast<bool>(retuneCommand_));
}

void TableMenu::SetFurtherItems(std::vector<std::string> items) {
    if (items == furtherItems_) return;
    furtherItems_ = std::move(items);
    ReloadIncludedLogs();
}

void TableMenu::SetRetuneCommand(std::function<QString()> command) {
    retuneCommand_ = std::move(command);
}

void TableMenu::ForgetIncludedLogs() {
    included_.clear();
    EnableTableMenu(true);
}

// The cells of the table view as drawn, for its numbers out.
ShownCells TableMenu::ShownTable(TableKind kind) const {
    return ShownCellsForRange(shown_.log, kind, shown_.firstText, shown_.lastText,
                              TableSettingsNow());
}

TableSettings TableMenu::TableSettingsNow() const {
    TableSettings settings{tablePrefs_.look, tablePrefs_.conditions, shown_.strFileTitle, {}, {}};
    for (const IncludedFile& file : included_)
        settings.included.push_back(
            {FileTitle(file.path), file.path, &file.log, SameFile(file.path, shown_.strShownFile)});
    if (shown_.versus && mDifference->isChecked())
        settings.versus = VersusLog{shown_.versus->title, shown_.versus->path, &shown_.versus->log};
    return settings;
}

// Kept for the next start at once, and shown in a table view.
void TableMenu::SetTablePreferences(const TablePreferences& preferences) {
    tablePrefs_ = preferences;
    EnableTableMenu(shown_.blnFileLoaded);
    std::string error;
    if (!SaveTablePreferences(strPreferencesFile, tablePrefs_, &error))
        dialogs_.Warning(&window_, "Preferences",
                         "The table's settings could not be kept for the next start:\n" +
                             QString::fromLocal8Bit(error.c_str()));
    emit SettingsChanged();
}

void TableMenu::mStatistic_Click(CellStatistic statistic) {
    TablePreferences preferences = tablePrefs_;
    preferences.look.show.statistic = statistic;
    SetTablePreferences(preferences);
}

void TableMenu::mMinSamples_Click() {
    const auto chosen =
        dialogs_.GetInteger(&window_, "Minimum Samples per Cell",
                            "A cell with fewer samples shows N/A:", tablePrefs_.look.show.minCount,
                            1, std::numeric_limits<int>::max());
    if (!chosen) return;
    TablePreferences preferences = tablePrefs_;
    preferences.look.show.minCount = *chosen;
    SetTablePreferences(preferences);
}

void TableMenu::mFilter_Click() {
    // New conditions may load the included logs again, which waits for the running load.
    if (loading_.Busy()) return;
    QStringList current, items;
    for (const SampleCondition& condition : tablePrefs_.conditions)
        current << QString::fromStdString(ConditionText(condition));
    for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k)
        items << DisplayText(shown_.log.udtItems[k].strName);
    const auto chosen = dialogs_.EditFilters(&window_, current, items);
    if (!chosen) return;
    TablePreferences preferences = tablePrefs_;
    preferences.conditions.clear();
    for (const QString& text : *chosen) {
        auto parsed = ParseCondition(text.toStdString());
        if (auto* condition = std::get_if<SampleCondition>(&parsed))
            preferences.conditions.push_back(std::move(*condition));
    }
    // Further logs hold only the items the tables read: load them again for new conditions.
    if (preferences.conditions != tablePrefs_.conditions) {
        tablePrefs_.conditions = preferences.conditions;
        ReloadIncludedLogs();
    }
    SetTablePreferences(preferences);
}

void TableMenu::SetDefinitions(std::vector<Definition> definitions) {
    definitions_ = std::move(definitions);
    ReloadIncludedLogs();
}

void TableMenu::ReloadIncludedLogs() {
    if (included_.empty()) return;
    std::vector<std::string> paths;
    for (const IncludedFile& file : included_) paths.push_back(file.path);
    included_.clear();
    LoadIncludedLogs(paths);
}

void TableMenu::mColour_Click() {
    TablePreferences preferences = tablePrefs_;
    preferences.look.coloured = mColour->isChecked();
    SetTablePreferences(preferences);
}

void TableMenu::mInclude_Click() {
    if (loading_.Busy()) return;
    // In the shown log's folder, nothing chosen: Enter must not pool the log with itself.
    const QStringList chosen = dialogs_.GetOpenFileNames(
        &window_, QFileInfo(QFile::decodeName(shown_.strShownFile.c_str())).absolutePath(),
        LogFileFilters(), 2);
    if (chosen.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& path : chosen) paths.push_back(QFile::encodeName(path).toStdString());
    LoadIncludedLogs(paths);
    EnableTableMenu(shown_.blnFileLoaded);
    emit SettingsChanged();
}

// Each log on its own, all or nothing; the ones that fail are named with the reason and the
// others stay. The computed items the tables read are computed there; one a log cannot compute
// leaves a condition naming it ignored for that log.
void TableMenu::LoadIncludedLogs(const std::vector<std::string>& paths) {
    std::vector<std::string> names = ItemsReadByTables(tablePrefs_.conditions);
    names.insert(names.end(), furtherItems_.begin(), furtherItems_.end());
    const ItemsNeeded needed = ItemsNeededFor(definitions_, std::move(names));
    loading_.LoadMany(
        paths, shown_.colors.lngItemColor, {needed.names, 0},
        [&](std::vector<LoadResult>& results) {
            QStringList failures;
            for (size_t i = 0; i < paths.size(); ++i) {
                if (auto* log = std::get_if<LogData>(&results[i])) {
                    AttachComputedItems(*log, needed.definitions, shown_.colors.lngItemColor);
                    included_.push_back({paths[i], std::move(*log)});
                } else {
                    failures << QString::fromLocal8Bit(
                        std::get<LoadError>(results[i]).message.c_str());
                }
            }
            if (!failures.isEmpty())
                dialogs_.Warning(&window_, "Include Other Logs",
                                 "These logs could not be included:\n" + failures.join('\n'));
        });
}

void TableMenu::mOnlyThisLog_Click() {
    included_.clear();
    EnableTableMenu(shown_.blnFileLoaded);
    emit SettingsChanged();
}

void TableMenu::mDifference_Click() { emit SettingsChanged(); }

void TableMenu::mCopyTable_Click() {
    const auto kind = TableKindOf(shown_.lngViewMode);
    if (!kind) return;
    CopyText(
        "Copy Table", "table",
        QString::fromStdString(ShownCellsText(ShownTable(*kind), tablePrefs_.look.show.statistic)));
}

// The command line that prints the shown table, for a terminal.
void TableMenu::mCopyCommand_Click() {
    if (shown_.lngViewMode == ViewMode::Retune) {
        const QString command = retuneCommand_ ? retuneCommand_() : QString();
        if (!command.isEmpty()) CopyText("Copy Command", "command", command);
        return;
    }
    const auto kind = TableKindOf(shown_.lngViewMode);
    if (!kind) return;
    const TableCommand command =
        WindowTableCommand(*kind, shown_.strShownFile, shown_.log, shown_.firstText,
                           shown_.lastText, TableSettingsNow(), definitions_);
    CopyText("Copy Command", "command",
             QString::fromLocal8Bit(ShellCommandLine(TableCommandWords(command))));
}

void TableMenu::CopyText(const QString& title, const QString& what, const QString& text) {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard) clipboard->setText(text);
    if (!clipboard || clipboard->text() != text)
        dialogs_.Warning(&window_, title,
                         "The clipboard is not available: the " + what + " was not copied.");
}

void TableMenu::mSaveTable_Click() {
    const auto kind = TableKindOf(shown_.lngViewMode);
    if (!kind) return;
    const QString name = dialogs_.GetSaveFileName(
        &window_, strTableFileName, {"CSV Files (*.csv)", "Text Files (*.txt)"}, "csv");
    if (name.isEmpty()) return;
    strTableFileName = name;
    QString error;
    if (!WriteFileAtomically(name,
                             ShownCellsFileText(QFile::encodeName(name).toStdString(),
                                                ShownTable(*kind), tablePrefs_.look.show.statistic),
                             &error))
        dialogs_.Warning(&window_, "Save Table As",
                         "The table could not be saved; an existing file is unchanged:\n" + error);
}

}  // namespace grafolux
