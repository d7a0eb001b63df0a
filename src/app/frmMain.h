#pragma once
// The main window: the form with its controls, layout and menus, start-up and shutdown with the
// settings and the recently-opened list, and the loading of a log. Each feature is a
// controller of its own; the form connects them.

#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdint>
#include <string>
#include <vector>

#include "app/FormControls.h"
#include "app/LogDocument.h"
#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"

class QAction;
class QMenu;
class QTimer;

namespace grafolux {

class ActionRegistry;
class ComparisonController;
class ComputedItemsController;
class Dialogs;
class FindController;
class GraphReadout;
class GraphView;
class ItemPanel;
class LogCorrection;
class LogLoading;
class PictureExport;
class PreferencesKeeper;
class RetuneView;
class PlotView;
class SampleRangeBoxes;
class TableCells;
class TableMenu;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Dialogs& dialogs, std::string settingsFile, QWidget* parent = nullptr);
    ~frmMain() override;

    void LoadLogFile(const std::string& path);

    // Read by the tests, as the user would see them.
    const LogDocument& document() const { return *document_; }
    const DrawingArea& area() const { return area_; }
    const std::vector<std::string>& recent() const { return strRecent; }
    const ActionRegistry& actions() const { return *actions_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and shutdown.
    void CreateControls();
    void CreateMenus();
    void CreateControllers();
    void ApplyDefaultSize();
    void Form_Load();
    void Form_Unload();
    void LoadSettings();
    void SaveSettings();

    // Loading and the recently-opened list.
    void mOpen_Click();
    void mRecent_Click(int index);
    void BuildRecentMenu();
    void ShowNewLog();
    void ShowCaption();

    // Layout and the delayed redraw.
    void Form_Resize();
    void RedrawWhenDue();

    Dialogs& dialogs_;
    std::string strSettingsFile;
    DrawingArea area_;
    DisplayColors colors_;
    LogDocument* document_;
    QString strAppTitle;
    std::vector<std::string> strRecent;
    int64_t lngRedrawAt = 0;  // milliseconds of clock_, 0 when no redraw is pending
    QElapsedTimer clock_;

    QWidget* form_ = nullptr;  // the client area
    FormControls ui_;
    QMenu* mFile;
    QMenu* mTable;
    QAction *mRecentSeparator, *mExitSeparator;
    std::vector<QAction*> mRecent;
    QTimer* redrawTimer_;

    ActionRegistry* actions_;
    PreferencesKeeper* preferences_;
    LogLoading* loading_;
    TableMenu* tables_;
    GraphView* view_;
    ItemPanel* items_;
    SampleRangeBoxes* range_;
    GraphReadout* readout_;
    TableCells* cells_;
    PictureExport* export_;
    LogCorrection* correction_;
    ComputedItemsController* computed_;
    FindController* find_;
    RetuneView* retune_;
    PlotView* plots_;
    ComparisonController* compare_;
};

}  // namespace grafolux
