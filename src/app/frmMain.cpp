#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "Version.h"
#include "app/ComparisonController.h"
#include "app/ComputedItemsController.h"
#include "app/Dialogs.h"
#include "app/FileDrop.h"
#include "app/FindController.h"
#include "app/GraphReadout.h"
#include "app/GraphView.h"
#include "app/ItemPanel.h"
#include "app/LogCorrection.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "app/PictureExport.h"
#include "app/RecentList.h"
#include "app/RetuneView.h"
#include "app/SampleRangeBoxes.h"
#include "app/TableCells.h"
#include "app/TableMenu.h"
#include "files/FileChecks.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "views/DelayedRedraw.h"
#include "views/FormLayout.h"
#include "views/ViewDrawing.h"

namespace grafolux {

constexpr int kTimerIntervalMs = 100;

frmMain::frmMain(Dialogs& dialogs, std::string settingsFile, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), strSettingsFile(std::move(settingsFile)) {
    clock_.start();
    CreateControls();
    CreateMenu();
    CreateControllers();
    ApplyDefaultSize();
    Form_Load();
    // A file dropped on the window opens as through "Open Data File".
    connect(new FileDropTarget(*this, *loading_), &FileDropTarget::FileDropped, this,
            [this](const QString& path) { LoadLogFile(QFile::encodeName(path).toStdString()); });
}

frmMain::~frmMain() = default;

const TablePreferences& frmMain::tablePreferences() const { return tables_->preferences(); }

size_t frmMain::includedLogCount() const { return tables_->includedLogCount(); }

void frmMain::CreateControls() {
    form_ = new QWidget(this);
    setCentralWidget(form_);
    // The controls' sizes are made for a small sans-serif font.
    form_->setFont(QFont("Arial", 8));
    form_->installEventFilter(this);
    ui_ = CreateFormControls(*form_, shown_.area);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
}

// Each feature's controller, and what each one tells the others.
void frmMain::CreateControllers() {
    loading_ = new LogLoading(*this, *ui_.ProgressBar1);
    tables_ = new TableMenu(shown_, dialogs_, *loading_, *this);
    mItems = menuBar()->addMenu("&Items");
    computed_ = new ComputedItemsController(shown_, dialogs_, *loading_, *mItems, *this);
    view_ = new GraphView(shown_, ui_, *tables_, this);
    items_ = new ItemPanel(shown_, ui_, dialogs_, *this);
    range_ = new SampleRangeBoxes(shown_, ui_, this);
    readout_ = new GraphReadout(shown_, ui_, *loading_, *this);
    cells_ = new TableCells(shown_, *ui_.pbGraphContents, *tables_, *loading_, *readout_, *this);
    export_ = new PictureExport(shown_, dialogs_, *this);
    correction_ = new LogCorrection(shown_, dialogs_, *this);
    find_ = new FindController(shown_, dialogs_, *readout_, *mItems, *this);
    retune_ = new RetuneView(shown_, dialogs_, *tables_, *view_, *readout_, *computed_,
                             *ui_.pbGraphContents, *this);
    compare_ = new ComparisonController(shown_, ui_, dialogs_, *loading_, *readout_, *computed_,
                                        *mFile, mBugCorrect, *this);

    connect(view_, &GraphView::ViewModeChanged, tables_, &TableMenu::ShowViewMode);
    connect(view_, &GraphView::ViewModeChanged, retune_, &RetuneView::ShowViewMode);
    connect(view_, &GraphView::GraphDrawn, items_, &ItemPanel::ShowGraph);
    connect(view_, &GraphView::TableDrawn, cells_, &TableCells::ShowTable);
    connect(view_, &GraphView::ViewDrawn, readout_, &GraphReadout::ShowReadout);
    connect(view_, &GraphView::ZoomChanged, this, &frmMain::ShowCaption);
    connect(view_, &GraphView::CanvasMoved, readout_, &GraphReadout::FollowCanvas);
    connect(items_, &ItemPanel::ItemChanged, view_, &GraphView::ShowGraph);
    connect(range_, &SampleRangeBoxes::RangeEntered, view_, &GraphView::ApplySampleRange);
    connect(tables_, &TableMenu::SettingsChanged, view_, &GraphView::RedrawTableView);
    connect(readout_, &GraphReadout::ScrollWanted, view_, &GraphView::ScrollCanvasTo);
    connect(readout_, &GraphReadout::DragInterrupted, view_, &GraphView::EndDrag);
    connect(readout_, &GraphReadout::GraphWanted, view_, &GraphView::ShowGraph);
    // A chosen range is shown whole: the zoom goes back to 1 before the range draws.
    connect(readout_, &GraphReadout::RangeChosen, view_, &GraphView::ZoomOutForChosenRange);
    connect(readout_, &GraphReadout::RangeChosen, range_, &SampleRangeBoxes::ShowRange);
    connect(view_, &GraphView::ViewDrawn, find_, &FindController::ShowView);
    connect(view_, &GraphView::ViewDrawn, compare_, &ComparisonController::ShowView);
    // Log B came, went or moved.
    connect(compare_, &ComparisonController::ComparisonChanged, this, [this] {
        ShowCaption();
        tables_->EnableTableMenu(shown_.blnFileLoaded);
        view_->StoreScrollPos();
        view_->RedrawCurrentView();
    });
    connect(find_, &FindController::GraphWanted, view_, &GraphView::ShowGraph);
    // New computed items: Find's runs, the item list, the further logs and the view follow.
    connect(computed_, &ComputedItemsController::ItemsChanged, this, [this] {
        find_->ForgetRuns();
        tables_->SetDefinitions(computed_->definitions());
        compare_->ApplyComputedItems();
        if (!shown_.blnFileLoaded) return;
        items_->ShowItemsAgain();
        view_->StoreScrollPos();
        view_->RedrawCurrentView();
    });

    connect(mGifSave, &QAction::triggered, export_, &PictureExport::mGifSave_Click);
    connect(ui_.bSaveGif, &QToolButton::clicked, export_, &PictureExport::mGifSave_Click);
    connect(mPngSave, &QAction::triggered, export_, &PictureExport::mPngSave_Click);
    connect(mBugCorrect, &QAction::triggered, correction_, &LogCorrection::mBugCorrect_Click);
}

// The default size: the client area below the menu bar is the layout's default, so the File
// menu must exist before the menu bar's height is read.
void frmMain::ApplyDefaultSize() {
    resize(TwipsToPixels(kDefaultClientWidth),
           TwipsToPixels(kDefaultClientHeight) + menuBar()->sizeHint().height());
}

void frmMain::CreateMenu() {
    mFile = menuBar()->addMenu("&File");
    mOpen = mFile->addAction("&Open Data File", this, &frmMain::mOpen_Click);
    mOpen->setShortcut(QKeySequence::Open);
    mBugCorrect = mFile->addAction("&Correct Data for Kartlog BitOrder Bug");
    mBugCorrect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mFile->addSeparator();
    mGifSave = mFile->addAction("Save As &GIF...");
    mGifSave->setShortcut(QKeySequence::Save);
    mPngSave = mFile->addAction("Save As &PNG...");
    mPngSave->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mRecentSeparator = mFile->addSeparator();
    mSep03 = mFile->addSeparator();
    mExit = mFile->addAction("E&xit", this, &QWidget::close);
    mExit->setShortcut(QKeySequence::Quit);
    for (QAction* action : {mOpen, mBugCorrect, mGifSave, mPngSave, mExit})
        action->setObjectName(action->text().remove('&').remove("...").simplified());
}

void frmMain::Form_Load() {
    strAppTitle = "Grafolux v" + QString::number(kVersionMajor) + "." +
                  QString::number(kVersionMinor) + "-" + QString::number(kVersionRevision);
    setWindowTitle(strAppTitle);
    shown_.dblZoom = 1.0;
    view_->SetViewMode(ViewMode::None);
    PaintBackgrounds(shown_.area, shown_.colors);
    items_->SetColorButton(shown_.colors.lngItemColor);
    shown_.lngCurItem = 1;
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.chkDisplay, ui_.cbLabels, ui_.chkFilled, ui_.bPrev, ui_.bNext, ui_.tbFirst,
             ui_.tbLast, ui_.lblColor1, ui_.lblColor2, ui_.bColor, ui_.ProgressBar1, ui_.bData,
             ui_.bBLM, ui_.bINT, ui_.bSaveGif, ui_.bZoomIn, ui_.bZoomOut, ui_.hsbGraph})
        control->setEnabled(false);
    mGifSave->setEnabled(false);
    tables_->EnableTableMenu(false);
    retune_->EnableRetuneMenu(false);
    mPngSave->setEnabled(false);
    lngRedrawAt = 0;
    shown_.blnFileLoaded = false;
    Timer1->start(kTimerIntervalMs);
    ui_.pbGraphContainer->setCursor(Qt::OpenHandCursor);
    LoadSettings();
}

void frmMain::LoadSettings() {
    const Settings settings = LoadSettingsFile(strSettingsFile);
    tables_->LoadPreferences(strSettingsFile);
    retune_->LoadPreferences(strSettingsFile);
    computed_->LoadPreferences(strSettingsFile);
    loading_->LoadPreferences(strSettingsFile);
    tables_->SetDefinitions(computed_->definitions());
    strRecent = settings.strRecent;
    shown_.strFileName = strRecent.empty() ? std::string() : strRecent.front();
    if (settings.window) {
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        const WindowState w = ClampToScreen(*settings.window, screen.width() * kTwipsPerPixel,
                                            screen.height() * kTwipsPerPixel);
        if (HasArea(w))
            setGeometry(TwipsToPixels(w.left), TwipsToPixels(w.top), TwipsToPixels(w.width),
                        TwipsToPixels(w.height));
        if (w.state == kWindowMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    }
    BuildRecentMenu();
}

void frmMain::SaveSettings() {
    const QRect normal = normalGeometry();
    const WindowState window{normal.x() * kTwipsPerPixel, normal.y() * kTwipsPerPixel,
                             normal.width() * kTwipsPerPixel, normal.height() * kTwipsPerPixel,
                             isMaximized() ? kWindowMaximized : 0};
    std::string error;
    if (!SaveSettingsFile(strSettingsFile, strRecent, window, &error))
        dialogs_.Warning(this, "Settings",
                         "The recently-opened list and the window's place could not be saved:\n" +
                             QString::fromLocal8Bit(error.c_str()));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (loading_->PostponeClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload() {
    Timer1->stop();
    SaveSettings();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Loading and the recently-opened list ----

void frmMain::mOpen_Click() {
    const QString path = dialogs_.GetOpenFileName(
        this, QFile::decodeName(shown_.strFileName.c_str()), LogFileFilters(), 2);
    if (!path.isEmpty()) LoadLogFile(QFile::encodeName(path).toStdString());
}

void frmMain::mRecent_Click(int index) {
    if (index < 1 || index > static_cast<int>(strRecent.size())) return;
    const std::string path = strRecent[index - 1];  // the load rebuilds the list
    LoadLogFile(path);
}

void frmMain::BuildRecentMenu() {
    for (QAction* action : mRecent) {
        mFile->removeAction(action);
        action->deleteLater();
    }
    mRecent.clear();
    mRecentSeparator->setVisible(!strRecent.empty());
    for (size_t k = 0; k < strRecent.size(); ++k) {
        // The path as it is: a "&" in it is not a mnemonic.
        QString caption = QFile::decodeName(strRecent[k].c_str());
        auto* action = new QAction(caption.replace('&', "&&"), mFile);
        action->setObjectName(QString("mRecent%1").arg(k + 1));
        const int index = static_cast<int>(k) + 1;
        connect(action, &QAction::triggered, this, [this, index] { mRecent_Click(index); });
        mFile->insertAction(mSep03, action);
        mRecent.push_back(action);
    }
}

// Every load of an existing file goes to the recently-opened list; one that fails says why,
// and the shown log stays.
void frmMain::LoadLogFile(const std::string& path) {
    if (loading_->Busy()) return;
    if (FileExists(path)) {
        shown_.strFileName = path;
        AddRecent(strRecent, shown_.strFileName);
        BuildRecentMenu();
    }
    LoadOptions options;
    options.needsSamples = true;
    loading_->LoadOne(
        path, shown_.colors.lngItemColor, options,
        [&](LogData& loaded) { ShowLoadedLog(loaded, path); },
        [&](const LoadError& error) {
            dialogs_.Warning(
                this, "Open Data File",
                "The log could not be opened:\n" + QString::fromLocal8Bit(error.message.c_str()));
        });
}

// Only a complete log replaces the shown one.
void frmMain::ShowLoadedLog(LogData& loaded, const std::string& path) {
    computed_->AttachTo(loaded);
    readout_->ForgetLog();
    find_->ForgetLog();
    shown_.log = std::move(loaded);
    items_->ShowItems();
    range_->ShowWholeLog();
    view_->ShowNewLog();
    for (QWidget* control : std::initializer_list<QWidget*>{ui_.chkDisplay, ui_.cbLabels, ui_.bPrev,
                                                            ui_.bNext, ui_.tbFirst, ui_.tbLast})
        control->setEnabled(true);
    ui_.chkFilled->setEnabled(false);
    mGifSave->setEnabled(true);
    mPngSave->setEnabled(true);
    shown_.blnFileLoaded = true;
    shown_.strShownFile = path;
    shown_.strFileTitle = FileTitle(path);
    ShowCaption();
    ui_.cbLabels->setFocus();
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_.bBLM, ui_.bINT, ui_.bData, ui_.bSaveGif})
        control->setEnabled(true);
    tables_->ForgetIncludedLogs();
    retune_->EnableRetuneMenu(true);
    find_->EnableFind(true);
    compare_->ShowNewLog();
}

void frmMain::ShowCaption() {
    // Concatenated: a file name may hold "%1" and the like.
    const QString versus = shown_.versus ? " vs " + shown_.versus->title : QString();
    setWindowTitle(strAppTitle + " - " + shown_.strFileTitle + versus + " (" +
                   QString::number(shown_.dblZoom * 100) + "%)");
}

// ---- Layout and the delayed redraw ----

void frmMain::Form_Resize() {
    const FormLayout f =
        LayoutForClientSize(form_->width() * kTwipsPerPixel, form_->height() * kTwipsPerPixel,
                            width() * kTwipsPerPixel);
    for (const auto& [surface, rect] : {std::pair{&shown_.area.pbGraph, &f.pbGraph},
                                        std::pair{&shown_.area.pbLegend, &f.pbLegend}}) {
        surface->SetLeft(rect->Left);
        surface->SetTop(rect->Top);
        surface->SetSize(rect->Width, rect->Height);
    }
    ui_.pbGraph->Sync();
    ui_.pbLegend->Sync();
    PlaceControls(ui_, f);
    lngRedrawAt = RedrawDeadline(clock_.elapsed());
}

void frmMain::Timer1_Timer() {
    if (!RedrawDue(lngRedrawAt, clock_.elapsed(), shown_.blnFileLoaded, loading_->Busy())) return;
    view_->StoreScrollPos();
    view_->RedrawCurrentView();
}

}  // namespace grafolux
