#pragma once
// The window's actions in one registry: each has an id, a name for tests and scripts, its text,
// its shortcut, where it is offered and the rule that enables it. The menus, the canvas' menu and
// Help → Keyboard Shortcuts are built from it; keys that work without a menu entry (the cursor's
// arrows, Alt + drag …) are listed in it too, so that the shortcuts list is complete.

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "app/Dialogs.h"

class QAction;
class QMenu;
class QWidget;

namespace grafolux {

class LogDocument;

enum class ActionId {
    // File
    OpenLog,
    CompareWith,
    StopComparing,
    CorrectBitOrder,
    SaveGif,
    SavePng,
    Exit,
    // Items
    ComputedItems,
    Find,
    FindNext,
    FindPrevious,
    // View
    DistinctLockColours,
    KeepItemsAcrossLogs,
    WheelZoom,
    ReopenFromCache,
    ScatterPlot,
    Histogram,
    HistogramBins,
    HistogramPercent,
    // Table
    ShowMean,
    ShowCount,
    ShowMinimum,
    ShowMaximum,
    ShowStdDev,
    MinSamples,
    FilterSamples,
    ColourCells,
    IncludeLogs,
    OnlyThisLog,
    Difference,
    CopyTable,
    CopyCommand,
    SaveTable,
    RetuneMap,
    PasteMap,
    OpenMap,
    RetuneFactor,
    BilinearCells,
    NearestCells,
    MinWeight,
    MaxChange,
    CopyNewMap,
    SaveNewMap,
    // Help
    KeyboardShortcuts,
    // The canvas' menu
    SetMarkerA,
    SetMarkerB,
    ClearMarkers,
    ShowMarkedSamples,
    ShowAllSamples,
    CopyValues,
    NextOccurrence,
    PreviousOccurrence,
    ClearCellMarks,
    AlignB,
    // Keys without a menu entry
    ZoomKeys,
    MoveCursor,
    MoveB,
    DragB,
    SelectSamples,
    PanCanvas,
};

// Where an action is offered.
enum class ActionPlace { File, FileEnd, Items, View, Table, Help, Canvas, KeysOnly };

// When an action can be used.
enum class Enabled {
    Always,
    LogShown,
    Comparing,
    TableView,
    TableOrHistogramView,  // a view with a table of numbers to copy
    CommandView,           // a view that a grafolux-cli command draws or prints
    NewMapShown,           // the retune view with a map
    IncludedLogs,          // further logs count in the tables
    OwnRule,               // the controller that handles it says
};

// What a check mark shows.
enum class Checked {
    Never,
    Mean,
    Count,
    Minimum,
    Maximum,
    StdDev,
    Coloured,
    Difference,
    Bilinear,
    Nearest,
    DistinctLockColours,
    KeepItemsAcrossLogs,
    WheelZoom,
    ReopenFromCache,
    HistogramPercent,
};

struct ActionEntry {
    ActionId id;
    const char* name;  // the action's object name
    QString text;      // with its mnemonic
    std::vector<QKeySequence> keys;
    QString keysText;  // for an entry whose keys are no sequence ("Alt + drag"); else empty
    ActionPlace place;
    Enabled enabled = Enabled::Always;
    Checked checked = Checked::Never;
    bool separatorBefore = false;
};

// Every action of the window and every key it takes, in the order of the menus.
const std::vector<ActionEntry>& WindowActionEntries();
const ActionEntry& EntryOf(ActionId id);

// The rows of Help → Keyboard Shortcuts: every entry that has keys, in the registry's order.
std::vector<ShortcutRow> ShortcutRows();

class ActionRegistry : public QObject {
    Q_OBJECT
public:
    // The actions of the menus belong to `window`, the canvas' to `canvas`, whose shortcuts work
    // while it has the focus.
    ActionRegistry(const LogDocument& document, QWidget& window, QWidget& canvas);

    QAction* action(ActionId id) const { return actions_.at(id); }
    // Runs `handler` when the action is triggered; `rule` decides an OwnRule action's state.
    void Bind(ActionId id, std::function<void()> handler, std::function<bool()> rule = {});
    // Adds the actions of `place` to `menu`, in order, with their separators.
    void AddTo(QMenu& menu, ActionPlace place) const;
    // Enables and checks every action by its rule, as the document and the controllers are now.
    void Refresh();

private:
    bool IsEnabled(const ActionEntry& entry) const;
    bool IsChecked(Checked checked) const;

    const LogDocument& document_;
    std::map<ActionId, QAction*> actions_;
    std::map<ActionId, std::function<bool()>> rules_;
};

}  // namespace grafolux
