#pragma once
// The main window: the form with its controls, layout and menus, start-up and shutdown with the
// settings and the recently-opened list, and the loading of a log. Each feature is a
// controller of its own; the form connects them.

#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdint>
#include <string>
#include <vector>

#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "settings/TablePreferences.h"

class QAction;
class QMenu;
class QTimer;

namespace grafolux {

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
class RetuneView;
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
    const LogData& log() const { return shown_.log; }
    const DisplayState& shown() const { return shown_; }
    const DrawingArea& area() const { return shown_.area; }
    const std::vector<std::string>& recent() const { return strRecent; }
    ViewMode viewMode() const { return shown_.lngViewMode; }
    double zoom() const { return shown_.dblZoom; }
    const TablePreferences& tablePreferences() const;
    size_t includedLogCount() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and shutdown.
    void CreateControls();
    void CreateMenu();
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
    void ShowLoadedLog(LogData& loaded, const std::string& path);
    void ShowCaption();

    // Layout and the delayed redraw.
    void Form_Resize();
    void Timer1_Timer();

    Dialogs& dialogs_;
    std::string strSettingsFile;
    DisplayState shown_;
    QString strAppTitle;
    std::vector<std::string> strRecent;
    int64_t lngRedrawAt = 0;  // milliseconds of clock_, 0 when no redraw is pending
    QElapsedTimer clock_;

    QWidget* form_ = nullptr;  // the client area
    FormControls ui_;
    QMenu* mFile;
    QMenu* mItems;
    QAction *mOpen, *mBugCorrect, *mGifSave, *mPngSave, *mRecentSeparator, *mSep03, *mExit;
    std::vector<QAction*> mRecent;
    QTimer* Timer1;

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
    ComparisonController* compare_;
};

}  // namespace grafolux
