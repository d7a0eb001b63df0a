#pragma once
// The main window: builds the controls, owns the loaded log and the display state, and
// connects the controls' events to the subsystems. Computation lives in the subsystems.

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "app/Icons.h"
#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "logdata/LogModel.h"
#include "settings/TablePreferences.h"
#include "tables/CellStats.h"
#include "views/Readout.h"
#include "views/ViewDrawing.h"
#include "views/ViewMode.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;
class QMouseEvent;
class QContextMenuEvent;
class QHelpEvent;
class QKeyEvent;

namespace grafolux {

class Dialogs;
class GraphReadout;
class LogCorrection;
class LogLoading;
class PictureExport;
class TableMenu;
class PictureBox;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Dialogs& dialogs, std::string settingsFile, QWidget* parent = nullptr);
    ~frmMain() override;

    void LoadLogFile(const std::string& path);

    // Read by the tests, as the user would see them.
    const LogData& log() const { return shown_.log; }
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
    void ConnectControls();
    void CreateMenu();
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

    // Layout and the delayed redraw.
    void Form_Resize();
    void Timer1_Timer();

    // Views.
    ViewMode SetViewMode(ViewMode lngMode);
    void DrawGraph();
    void DrawCellTable(TableKind intTable);
    void RedrawTableView();
    void ShowTable(TableKind kind);
    void RedrawCurrentView();
    void StoreScrollPos();
    void SyncSurfaces();
    void ShowItemPanel(Colour back, bool filled, bool locked);
    void SetZoom(double dblNewZoom);
    void ShowCaption();
    void UpdateContainerCursor();
    void ScrollCanvasTo(int32_t left);

    // Handlers.
    void bZoomIn_Click();
    void bZoomOut_Click();
    void hsbGraph_Change(int value);
    void pbGraphContents_MouseDown(QMouseEvent* event);
    void pbGraphContents_MouseMove(QMouseEvent* event);
    void pbGraphContents_MouseUp(QMouseEvent* event);
    void cbLabels_Click(int index);
    void bNext_Click();
    void bPrev_Click();
    void chkDisplay_Click();
    void chkFilled_Click();
    void bColor_Click();
    void bData_Click();
    void bBLM_Click();
    void bINT_Click();
    void tbFirst_LostFocus();
    void tbLast_LostFocus();
    void ApplySampleRange();

    void ShowRange(int32_t first, int32_t last);

    void SelectItem(int32_t item);
    void ShowLockState(bool locked);
    void SetColorButton(Colour colour);

    Dialogs& dialogs_;
    WindowIcons icons_;

    // The log and the display state.
    DisplayState shown_;
    int32_t lngDragX = 0;
    int32_t lngDragLeft = 0;
    bool blnDragging = false;
    int64_t lngRedrawAt = 0;  // milliseconds of clock_, 0 when no redraw is pending
    QElapsedTimer clock_;
    QString strAppTitle;
    std::string strSettingsFile;
    std::vector<std::string> strRecent;

    // Controls.
    QWidget* form_ = nullptr;  // the client area
    FormControls ui_;
    QMenu* mFile;
    QAction *mOpen, *mBugCorrect, *mGifSave, *mPngSave, *mRecentSeparator, *mSep03, *mExit;
    std::vector<QAction*> mRecent;
    QTimer* Timer1;
    LogLoading* loading_;
    PictureExport* export_;
    TableMenu* tables_;
    GraphReadout* readout_;
    LogCorrection* correction_;
};

}  // namespace grafolux
