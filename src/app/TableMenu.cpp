// The window's Table menu: what the cells show, minimum samples, sample filters, colouring,
// further logs, and the table's numbers out through the clipboard and a file.
#include "app/TableMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <limits>
#include <variant>

#include "app/Dialogs.h"
#include "app/LogLoading.h"
#include "app/WindowActions.h"
#include "draw/DisplayText.h"
#include "files/AtomicFile.h"
#include "files/FileChecks.h"
#include "formula/ComputedItems.h"
#include "tables/CellTableText.h"
#include "tables/TableLegend.h"
#include "views/RetuneCommand.h"
#include "views/ShellWords.h"
#include "views/TableCommand.h"

namespace grafolux {

TableMenu::TableMenu(LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                     LogLoading& loading, QWidget& window)
    : QObject(&window), document_(document), dialogs_(dialogs), loading_(loading), window_(window) {
    for (const auto& [id, statistic] : {std::pair{ActionId::ShowMean, CellStatistic::Mean},
                                        std::pair{ActionId::ShowCount, CellStatistic::Count},
                                        std::pair{ActionId::ShowMinimum, CellStatistic::Minimum},
                                        std::pair{ActionId::ShowMaximum, CellStatistic::Maximum},
                                        std::pair{ActionId::ShowStdDev, CellStatistic::StdDev}})
        actions.Bind(id, [this, statistic = statistic] { SetStatistic(statistic); });
    actions.Bind(ActionId::MinSamples, [this] { mMinSamples_Click(); });
    actions.Bind(ActionId::FilterSamples, [this] { mFilter_Click(); });
    actions.Bind(ActionId::ColourCells, [this] {
        TablePreferences choices = document_.tableChoices();
        choices.look.coloured = !choices.look.coloured;
        document_.SetTableChoices(choices);
    });
    actions.Bind(ActionId::IncludeLogs, [this] { mInclude_Click(); });
    actions.Bind(ActionId::OnlyThisLog, [this] { document_.SetIncludedLogs({}); });
    actions.Bind(ActionId::Difference,
                 [this] { document_.SetDifference(!document_.difference()); });
    actions.Bind(ActionId::CopyTable, [this] { mCopyTable_Click(); });
    actions.Bind(ActionId::CopyCommand, [this] { mCopyCommand_Click(); });
    actions.Bind(ActionId::SaveTable, [this] { mSaveTable_Click(); });

    connect(&document, &LogDocument::DefinitionsChanged, this,
            [this] { ReloadIncludedLogs(true); });
    connect(&document, &LogDocument::TableChoicesChanged, this,
            [this] { ReloadIncludedLogs(false); });
    connect(&document, &LogDocument::RetuneChoicesChanged, this,
            [this] { ReloadIncludedLogs(false); });
    // The plots read items of their own.
    connect(&document, &LogDocument::PlotChoicesChanged, this,
            [this] { ReloadIncludedLogs(false); });
    // The histogram reads the current item: once the view has changed, not inside its drawing.
    const auto reloadLater = [this] {
        QTimer::singleShot(0, this, [this] { ReloadIncludedLogs(false); });
    };
    connect(&document, &LogDocument::ViewModeChanged, this, reloadLater);
    connect(&document, &LogDocument::CurrentItemChanged, this, reloadLater);
}

// The cells of the table view as drawn, for its numbers out.
ShownCells TableMenu::ShownTable(TableKind kind) const {
    return ShownCellsForRange(document_.log(), kind, document_.firstText(), document_.lastText(),
                              document_.tableSettings());
}

void TableMenu::SetStatistic(CellStatistic statistic) {
    TablePreferences choices = document_.tableChoices();
    choices.look.show.statistic = statistic;
    document_.SetTableChoices(choices);
}

void TableMenu::mMinSamples_Click() {
    const TablePreferences& current = document_.tableChoices();
    const auto chosen =
        dialogs_.GetInteger(&window_, "Minimum Samples per Cell",
                            "A cell with fewer samples shows N/A:", current.look.show.minCount, 1,
                            std::numeric_limits<int>::max());
    if (!chosen) return;
    TablePreferences choices = current;
    choices.look.show.minCount = *chosen;
    document_.SetTableChoices(choices);
}

void TableMenu::mFilter_Click() {
    // New conditions may load the included logs again, which waits for the running load.
    if (loading_.Busy()) return;
    QStringList current;
    for (const SampleCondition& condition : document_.tableChoices().conditions)
        current << QString::fromStdString(ConditionText(condition));
    const auto chosen = dialogs_.EditFilters(&window_, current, document_.ItemNames());
    if (!chosen) return;
    TablePreferences choices = document_.tableChoices();
    choices.conditions.clear();
    for (const QString& text : *chosen) {
        auto parsed = ParseCondition(text.toStdString());
        if (auto* condition = std::get_if<SampleCondition>(&parsed))
            choices.conditions.push_back(std::move(*condition));
    }
    document_.SetTableChoices(choices);
}

void TableMenu::ReloadIncludedLogs(bool always) {
    if (document_.includedLogs().empty()) return;
    if (!always && document_.ItemsIncludedLogsKeep().names == includedItems_) return;
    std::vector<std::string> paths;
    for (const IncludedFile& file : document_.includedLogs()) paths.push_back(file.path);
    // Should a load be under way, the included logs stay as they are.
    if (auto loaded = LoadIncludedLogs(paths)) document_.SetIncludedLogs(std::move(*loaded));
}

void TableMenu::mInclude_Click() {
    if (loading_.Busy()) return;
    // In the shown log's folder, nothing chosen: Enter must not pool the log with itself.
    const QStringList chosen = dialogs_.GetOpenFileNames(
        &window_, QFileInfo(QFile::decodeName(document_.shownPath().c_str())).absolutePath(),
        LogFileFilters(), 2);
    if (chosen.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& path : chosen) paths.push_back(QFile::encodeName(path).toStdString());
    if (auto loaded = LoadIncludedLogs(paths)) document_.AddIncludedLogs(std::move(*loaded));
}

// The computed items the tables and the retune read are computed there; one a log cannot
// compute leaves a condition naming it ignored for that log.
std::optional<std::vector<IncludedFile>> TableMenu::LoadIncludedLogs(
    const std::vector<std::string>& paths) {
    const ItemsNeeded needed = document_.ItemsIncludedLogsKeep();
    const Colour colour = document_.itemColour();
    std::vector<IncludedFile> loaded;
    const bool ran =
        loading_.LoadMany(paths, colour, {needed.names, 0}, [&](std::vector<LoadResult>& results) {
            QStringList failures;
            for (size_t i = 0; i < paths.size(); ++i) {
                if (auto* log = std::get_if<LogData>(&results[i])) {
                    AttachComputedItems(*log, needed.definitions, colour);
                    loaded.push_back({paths[i], std::move(*log)});
                } else {
                    failures << QString::fromLocal8Bit(
                        std::get<LoadError>(results[i]).message.c_str());
                }
            }
            if (!failures.isEmpty())
                dialogs_.Warning(&window_, "Include Other Logs",
                                 "These logs could not be included:\n" + failures.join('\n'));
        });
    if (!ran) return std::nullopt;
    includedItems_ = needed.names;
    return loaded;
}

void TableMenu::mCopyTable_Click() {
    const auto kind = TableKindOf(document_.viewMode());
    if (!kind) return;
    CopyText(dialogs_, &window_, "Copy Table", "table",
             QString::fromStdString(
                 ShownCellsText(ShownTable(*kind), document_.tableChoices().look.show.statistic)));
}

// The command line that prints the shown table or the retune view's new map, for a terminal.
void TableMenu::mCopyCommand_Click() {
    const LogDocument& d = document_;
    if (d.viewMode() == ViewMode::Retune) {
        const auto& map = d.retuneMap();
        if (!map) return;
        const RetunePreferences& choices = d.retuneChoices();
        const RetuneCommand command = WindowRetuneCommand(
            d.shownPath(), d.log(), d.firstText(), d.lastText(), d.tableSettings(),
            {choices.factor, choices.settings}, map->path, map->text, d.definitions());
        CopyText(dialogs_, &window_, "Copy Command", "command",
                 QString::fromLocal8Bit(RetuneCommandLine(command)));
        return;
    }
    const auto kind = TableKindOf(d.viewMode());
    if (!kind) return;
    const TableCommand command =
        WindowTableCommand(*kind, d.shownPath(), d.log(), d.firstText(), d.lastText(),
                           d.tableSettings(), d.definitions());
    CopyText(dialogs_, &window_, "Copy Command", "command",
             QString::fromLocal8Bit(ShellCommandLine(TableCommandWords(command))));
}

void TableMenu::mSaveTable_Click() {
    const auto kind = TableKindOf(document_.viewMode());
    if (!kind) return;
    const QString name = dialogs_.GetSaveFileName(
        &window_, strTableFileName, {"CSV Files (*.csv)", "Text Files (*.txt)"}, "csv");
    if (name.isEmpty()) return;
    strTableFileName = name;
    QString error;
    if (!WriteFileAtomically(
            name,
            ShownCellsFileText(QFile::encodeName(name).toStdString(), ShownTable(*kind),
                               document_.tableChoices().look.show.statistic),
            &error))
        dialogs_.Warning(&window_, "Save Table As",
                         "The table could not be saved; an existing file is unchanged:\n" + error);
}

}  // namespace grafolux
