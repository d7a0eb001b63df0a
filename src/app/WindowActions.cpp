#include "app/WindowActions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <stdexcept>

#include "app/LogDocument.h"
#include "tables/TableLegend.h"

namespace grafolux {

namespace {

using P = ActionPlace;
using E = Enabled;
using C = Checked;

QKeySequence Key(QKeyCombination key) { return QKeySequence(key); }

std::vector<ActionEntry> MakeEntries() {
    const QString dash = QString::fromUtf8("\u2013"), minus = QString::fromUtf8("\u2212");
    return {
        {ActionId::OpenLog, "OpenLog", "&Open Data File", {QKeySequence::Open}, {}, P::File},
        {ActionId::CompareWith,
         "CompareWith",
         "Compare &With...",
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
         {},
         P::File,
         E::LogShown},
        {ActionId::StopComparing,
         "StopComparing",
         "Stop Com&paring",
         {},
         {},
         P::File,
         E::Comparing},
        {ActionId::CorrectBitOrder,
         "CorrectBitOrder",
         "&Correct Data for Kartlog BitOrder Bug",
         {Key(Qt::CTRL | Qt::Key_K)},
         {},
         P::File},
        {ActionId::SaveGif,
         "SaveGif",
         "Save As &GIF...",
         {QKeySequence::Save},
         {},
         P::File,
         E::LogShown,
         C::Never,
         true},
        {ActionId::SavePng,
         "SavePng",
         "Save As &PNG...",
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
         {},
         P::File,
         E::LogShown},
        {ActionId::Exit, "Exit", "E&xit", {QKeySequence::Quit}, {}, P::FileEnd},

        {ActionId::ComputedItems, "ComputedItems", "&Computed Items...", {}, {}, P::Items},
        {ActionId::Find,
         "Find",
         "&Find...",
         {Key(Qt::CTRL | Qt::Key_G)},
         {},
         P::Items,
         E::LogShown,
         C::Never,
         true},
        {ActionId::FindNext,
         "FindNext",
         "Find &Next",
         {Key(Qt::Key_F3)},
         {},
         P::Items,
         E::LogShown},
        {ActionId::FindPrevious,
         "FindPrevious",
         "Find &Previous",
         {Key(Qt::SHIFT | Qt::Key_F3)},
         {},
         P::Items,
         E::LogShown},

        {ActionId::DistinctLockColours,
         "DistinctLockColours",
         "&Distinct Colours for Locked Items",
         {},
         {},
         P::View,
         E::Always,
         C::DistinctLockColours},
        {ActionId::KeepItemsAcrossLogs,
         "KeepItemsAcrossLogs",
         "&Keep Items Across Logs",
         {},
         {},
         P::View,
         E::Always,
         C::KeepItemsAcrossLogs},
        {ActionId::WheelZoom,
         "WheelZoom",
         "&Zoom with Ctrl + Wheel",
         {},
         "Ctrl + wheel",
         P::View,
         E::Always,
         C::WheelZoom},
        {ActionId::ReopenFromCache,
         "ReopenFromCache",
         "&Reopen Logs from Cache",
         {},
         {},
         P::View,
         E::Always,
         C::ReopenFromCache},
        {ActionId::ScatterPlot,
         "ScatterPlot",
         "&Scatter Plot...",
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
         {},
         P::View,
         E::LogShown,
         C::Never,
         true},
        {ActionId::Histogram,
         "Histogram",
         "&Histogram",
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
         {},
         P::View,
         E::LogShown},
        {ActionId::HistogramBins, "HistogramBins", "Histogram &Bins...", {}, {}, P::View},
        {ActionId::HistogramPercent,
         "HistogramPercent",
         "Histogram in Per&cent",
         {},
         {},
         P::View,
         E::Always,
         C::HistogramPercent},

        {ActionId::ShowMean,
         "ShowMean",
         StatisticTitle(CellStatistic::Mean),
         {},
         {},
         P::Table,
         E::Always,
         C::Mean},
        {ActionId::ShowCount,
         "ShowCount",
         StatisticTitle(CellStatistic::Count),
         {},
         {},
         P::Table,
         E::Always,
         C::Count},
        {ActionId::ShowMinimum,
         "ShowMinimum",
         StatisticTitle(CellStatistic::Minimum),
         {},
         {},
         P::Table,
         E::Always,
         C::Minimum},
        {ActionId::ShowMaximum,
         "ShowMaximum",
         StatisticTitle(CellStatistic::Maximum),
         {},
         {},
         P::Table,
         E::Always,
         C::Maximum},
        {ActionId::ShowStdDev,
         "ShowStdDev",
         StatisticTitle(CellStatistic::StdDev),
         {},
         {},
         P::Table,
         E::Always,
         C::StdDev},
        {ActionId::MinSamples,
         "MinSamples",
         "Minimum &Samples per Cell...",
         {},
         {},
         P::Table,
         E::Always,
         C::Never,
         true},
        {ActionId::FilterSamples,
         "FilterSamples",
         "&Filter Samples...",
         {QKeySequence::Find},
         {},
         P::Table},
        {ActionId::ColourCells,
         "ColourCells",
         "C&olour Cells",
         {},
         {},
         P::Table,
         E::Always,
         C::Coloured},
        {ActionId::IncludeLogs,
         "IncludeLogs",
         "&Include Other Logs...",
         {},
         {},
         P::Table,
         E::Always,
         C::Never,
         true},
        {ActionId::OnlyThisLog, "OnlyThisLog", "Only &This Log", {}, {}, P::Table, E::IncludedLogs},
        {ActionId::Difference,
         "Difference",
         "&Difference B " + minus + " A",
         {},
         {},
         P::Table,
         E::Comparing,
         C::Difference,
         true},
        {ActionId::CopyTable,
         "CopyTable",
         "&Copy Table",
         {QKeySequence::Copy},
         {},
         P::Table,
         E::TableOrHistogramView,
         C::Never,
         true},
        {ActionId::CopyCommand,
         "CopyCommand",
         "Copy Co&mmand",
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         {},
         P::Table,
         E::CommandView},
        {ActionId::SaveTable, "SaveTable", "Save Table &As...", {}, {}, P::Table, E::TableView},
        {ActionId::RetuneMap,
         "RetuneMap",
         "&Retune Map...",
         {},
         {},
         P::Table,
         E::LogShown,
         C::Never,
         true},
        {ActionId::PasteMap,
         "PasteMap",
         "&Paste Map",
         {QKeySequence::Paste},
         {},
         P::Table,
         E::LogShown},
        {ActionId::OpenMap, "OpenMap", "Op&en Map...", {}, {}, P::Table, E::LogShown},
        {ActionId::RetuneFactor, "RetuneFactor", "Ret&une Factor...", {}, {}, P::Table},
        {ActionId::BilinearCells,
         "BilinearCells",
         "&Bilinear Cells",
         {},
         {},
         P::Table,
         E::Always,
         C::Bilinear},
        {ActionId::NearestCells,
         "NearestCells",
         "&Nearest Cells",
         {},
         {},
         P::Table,
         E::Always,
         C::Nearest},
        {ActionId::MinWeight, "MinWeight", "Minimum &Weight...", {}, {}, P::Table},
        {ActionId::MaxChange, "MaxChange", "Maximum C&hange...", {}, {}, P::Table},
        {ActionId::CopyNewMap,
         "CopyNewMap",
         "Cop&y New Map",
         {QKeySequence::Copy},
         {},
         P::Table,
         E::NewMapShown},
        {ActionId::SaveNewMap,
         "SaveNewMap",
         "Sa&ve New Map As...",
         {},
         {},
         P::Table,
         E::NewMapShown},

        {ActionId::KeyboardShortcuts,
         "KeyboardShortcuts",
         "&Keyboard Shortcuts",
         {Key(Qt::Key_F1)},
         {},
         P::Help},

        {ActionId::SetMarkerA,
         "SetMarkerA",
         "Set Marker A Here",
         {Key(Qt::Key_A)},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::SetMarkerB,
         "SetMarkerB",
         "Set Marker B Here",
         {Key(Qt::Key_B)},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::ClearMarkers,
         "ClearMarkers",
         "Clear Markers",
         {Key(Qt::Key_Escape)},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::ShowMarkedSamples,
         "ShowMarkedSamples",
         "Show Samples A" + dash + "B",
         {},
         {},
         P::Canvas,
         E::OwnRule,
         C::Never,
         true},
        {ActionId::ShowAllSamples,
         "ShowAllSamples",
         "Show All Samples",
         {},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::CopyValues,
         "CopyValues",
         "Copy Values at Cursor",
         {},
         {},
         P::Canvas,
         E::OwnRule,
         C::Never,
         true},
        {ActionId::NextOccurrence,
         "NextOccurrence",
         "Next Occurrence",
         {Key(Qt::Key_N)},
         {},
         P::Canvas,
         E::OwnRule,
         C::Never,
         true},
        {ActionId::PreviousOccurrence,
         "PreviousOccurrence",
         "Previous Occurrence",
         {Key(Qt::SHIFT | Qt::Key_N)},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::ClearCellMarks,
         "ClearCellMarks",
         "Clear Cell Marks",
         {},
         {},
         P::Canvas,
         E::OwnRule},
        {ActionId::AlignB,
         "AlignB",
         "Align B at Marker A",
         {},
         {},
         P::Canvas,
         E::OwnRule,
         C::Never,
         true},

        {ActionId::ZoomKeys,
         "ZoomKeys",
         "Zoom the graph in / out",
         {QKeySequence::ZoomIn, QKeySequence::ZoomOut},
         {},
         P::KeysOnly},
        {ActionId::MoveCursor,
         "MoveCursor",
         "Move the graph's cursor by a sample (with Shift: ten)",
         {Key(Qt::Key_Left), Key(Qt::Key_Right)},
         {},
         P::KeysOnly},
        {ActionId::MoveB,
         "MoveB",
         "Move log B by a sample",
         {Key(Qt::ALT | Qt::Key_Left), Key(Qt::ALT | Qt::Key_Right)},
         {},
         P::KeysOnly},
        {ActionId::DragB, "DragB", "Move log B along the graph", {}, "Alt + drag", P::KeysOnly},
        {ActionId::SelectSamples,
         "SelectSamples",
         "Choose the samples to show",
         {},
         "Shift + drag",
         P::KeysOnly},
        {ActionId::PanCanvas, "PanCanvas", "Move a zoomed graph sideways", {}, "Drag", P::KeysOnly},
    };
}

}  // namespace

const std::vector<ActionEntry>& WindowActionEntries() {
    static const std::vector<ActionEntry> entries = MakeEntries();
    return entries;
}

const ActionEntry& EntryOf(ActionId id) {
    for (const ActionEntry& entry : WindowActionEntries())
        if (entry.id == id) return entry;
    throw std::logic_error("an action without an entry in the registry");
}

// What an action's text says without its mnemonic and its ellipsis.
static QString PlainText(QString text) { return text.remove('&').remove("...").simplified(); }

std::vector<ShortcutRow> ShortcutRows() {
    std::vector<ShortcutRow> rows;
    for (const ActionEntry& entry : WindowActionEntries()) {
        QStringList keys;
        for (const QKeySequence& key : entry.keys) keys << key.toString(QKeySequence::PortableText);
        if (!entry.keysText.isEmpty()) keys << entry.keysText;
        if (!keys.isEmpty()) rows.push_back({keys.join(", "), PlainText(entry.text)});
    }
    return rows;
}

ActionRegistry::ActionRegistry(const LogDocument& document, QWidget& window, QWidget& canvas)
    : QObject(&window), document_(document) {
    for (const ActionEntry& entry : WindowActionEntries()) {
        if (entry.place == ActionPlace::KeysOnly) continue;
        const bool onCanvas = entry.place == ActionPlace::Canvas;
        auto* action = new QAction(entry.text, onCanvas ? &canvas : &window);
        action->setObjectName(entry.name);
        action->setShortcuts(QList<QKeySequence>(entry.keys.begin(), entry.keys.end()));
        action->setCheckable(entry.checked != Checked::Never);
        if (onCanvas) {
            // The keys work while the canvas has the focus; its menu shows them.
            action->setShortcutContext(Qt::WidgetShortcut);
            canvas.addAction(action);
        }
        actions_[entry.id] = action;
    }
    for (auto signal : {&LogDocument::LogShown, &LogDocument::ComparisonChanged,
                        &LogDocument::IncludedLogsChanged, &LogDocument::RetuneMapChanged})
        connect(&document, signal, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::TableChoicesChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::RetuneChoicesChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::ViewModeChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::DifferenceChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::ViewChoicesChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::CacheChoicesChanged, this, &ActionRegistry::Refresh);
    connect(&document, &LogDocument::PlotChoicesChanged, this, &ActionRegistry::Refresh);
    Refresh();
}

void ActionRegistry::Bind(ActionId id, std::function<void()> handler, std::function<bool()> rule) {
    connect(action(id), &QAction::triggered, this, std::move(handler));
    if (rule) rules_[id] = std::move(rule);
    Refresh();
}

void ActionRegistry::AddTo(QMenu& menu, ActionPlace place) const {
    for (const ActionEntry& entry : WindowActionEntries()) {
        if (entry.place != place) continue;
        if (entry.separatorBefore) menu.addSeparator();
        menu.addAction(action(entry.id));
    }
}

bool ActionRegistry::IsEnabled(const ActionEntry& entry) const {
    const ViewMode view = document_.viewMode();
    switch (entry.enabled) {
        case Enabled::Always:
            return true;
        case Enabled::LogShown:
            return document_.loaded();
        case Enabled::Comparing:
            return document_.versus().has_value();
        case Enabled::TableView:
            return IsTableView(view);
        case Enabled::TableOrHistogramView:
            return IsTableView(view) || view == ViewMode::Histogram;
        case Enabled::CommandView:
            return IsTableView(view) || view == ViewMode::Retune || IsPlotView(view);
        case Enabled::NewMapShown:
            return view == ViewMode::Retune && document_.retuneMap().has_value();
        case Enabled::IncludedLogs:
            return !document_.includedLogs().empty();
        case Enabled::OwnRule: {
            const auto rule = rules_.find(entry.id);
            return rule != rules_.end() && rule->second();
        }
    }
    return false;
}

bool ActionRegistry::IsChecked(Checked checked) const {
    const CellStatistic statistic = document_.tableChoices().look.show.statistic;
    const CellWeighting weighting = document_.retuneChoices().settings.weighting;
    switch (checked) {
        case Checked::Never:
            return false;
        case Checked::Mean:
            return statistic == CellStatistic::Mean;
        case Checked::Count:
            return statistic == CellStatistic::Count;
        case Checked::Minimum:
            return statistic == CellStatistic::Minimum;
        case Checked::Maximum:
            return statistic == CellStatistic::Maximum;
        case Checked::StdDev:
            return statistic == CellStatistic::StdDev;
        case Checked::Coloured:
            return document_.tableChoices().look.coloured;
        case Checked::Difference:
            return document_.difference();
        case Checked::Bilinear:
            return weighting == CellWeighting::Bilinear;
        case Checked::Nearest:
            return weighting == CellWeighting::Nearest;
        case Checked::DistinctLockColours:
            return document_.viewChoices().distinctLockColours;
        case Checked::KeepItemsAcrossLogs:
            return document_.viewChoices().keepItemsAcrossLogs;
        case Checked::WheelZoom:
            return document_.viewChoices().wheelZoom;
        case Checked::ReopenFromCache:
            return !document_.cacheChoices().bypass;
        case Checked::HistogramPercent:
            return document_.plotChoices().percent;
    }
    return false;
}

void ActionRegistry::Refresh() {
    for (const ActionEntry& entry : WindowActionEntries()) {
        const auto found = actions_.find(entry.id);
        if (found == actions_.end()) continue;
        found->second->setEnabled(IsEnabled(entry));
        if (entry.checked != Checked::Never) found->second->setChecked(IsChecked(entry.checked));
    }
}

}  // namespace grafolux
