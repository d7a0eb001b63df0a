#pragma once
// The main window: builds the controls, owns the loaded log and the display state, and
// connects the controls' events to the subsystems. Computation lives in the subsystems.

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "app/Icons.h"
#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "logdata/LogModel.h"
#include "tables/CellStats.h"
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

namespace grafolux {

class Dialogs;
class PictureBox;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Dialogs& dialogs, std::string settingsFile, QWidget* parent = nullptr);
    ~frmMain() override;

    void LoadLogFile(const std::string& path);

    // Read by the tests, as the user would see them.
    const LogData& log() const { return log_; }
    const DrawingArea& area() const { return area_; }
    const std::vector<std::string>& recent() const { return strRecent; }
    ViewMode viewMode() const { return lngViewMode; }
    double zoom() const { return dblZoom; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and shutdown.
    void CreateControls();
    void CreateToolButtons();
    void CreateDrawingArea();
    void CreateItemPanel();
    void CreateRangeAndProgress();
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
    void ShowLoadProgress(int64_t done, int64_t total);
    void ShowProgressIdle();

    // Layout and the delayed redraw.
    void Form_Resize();
    void Timer1_Timer();

    // Views.
    ViewMode SetViewMode(ViewMode lngMode);
    void DrawGraph();
    void DrawCellTable(TableKind intTable);
    void RedrawCurrentView();
    void StoreScrollPos();
    void SyncSurfaces();
    void ShowItemPanel(Colour back, bool filled, bool locked);
    void SetZoom(double dblNewZoom);
    void ShowCaption();
    void UpdateContainerCursor();

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
    void mGifSave_Click();
    void mPngSave_Click();
    // Asks where to save the composed view as a `suffix` file ("gif"), offering and remembering
    // `lastName`, and says why when `save` fails.
    void SaveViewAs(const QString& title, const QString& suffix, QString& lastName,
                    const std::function<bool(const QImage&, const QString&, QString*)>& save);
    void mBugCorrect_Click();

    void SelectItem(int32_t item);
    void ShowLockState(bool locked);
    void SetColorButton(Colour colour);

    Dialogs& dialogs_;
    WindowIcons icons_;

    // The log and the display state.
    LogData log_;
    DrawingArea area_;
    DisplayColors colors_;
    int32_t lngCurItem = 1;
    ViewMode lngViewMode = ViewMode::None;
    bool blnFileLoaded = false;
    bool blnDrawEnabled = true;
    bool blnLoading = false;
    bool blnCloseAfterLoad = false;
    double dblZoom = 1.0;
    int32_t lngScrollPos = 0;
    int32_t lngDragX = 0;
    int32_t lngDragLeft = 0;
    bool blnDragging = false;
    int64_t lngRedrawAt = 0;  // milliseconds of clock_, 0 when no redraw is pending
    QElapsedTimer clock_;
    QString strAppTitle;
    QString strFileTitle;
    std::string strFileName;
    QString strGifFileName;
    QString strPngFileName;
    std::string strSettingsFile;
    std::vector<std::string> strRecent;

    // Controls.
    QWidget* form_ = nullptr;  // the client area
    QToolButton *bZoomIn, *bZoomOut, *bData, *bBLM, *bINT, *bSaveGif;
    PictureBox *pbGraph, *pbGraphContainer, *pbGraphContents, *pbLegend;
    QScrollBar* hsbGraph;
    QLabel *lblItem, *lblMinV, *lblMin, *lblMaxV, *lblMax, *lblColor1, *lblColor2, *lblFirst,
        *lblLast;
    QComboBox* cbLabels;
    QCheckBox *chkDisplay, *chkFilled;
    QPushButton *bColor, *bPrev, *bNext;
    QLineEdit *tbFirst, *tbLast;
    QProgressBar* ProgressBar1;
    QWidget *Line1, *Line2, *Line3, *Line4;
    QMenu* mFile;
    QAction *mOpen, *mBugCorrect, *mGifSave, *mPngSave, *mRecentSeparator, *mSep03, *mExit;
    std::vector<QAction*> mRecent;
    QTimer* Timer1;
};

}  // namespace grafolux
