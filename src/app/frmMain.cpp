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
#include "app/PlotView.h"
#include "app/PreferencesKeeper.h"
#include "app/RecentList.h"
#include "app/RetuneView.h"
#include "app/SampleRangeBoxes.h"
#include "app/TableCells.h"
#include "app/TableMenu.h"
#include "app/WindowActions.h"
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
    document_ = new LogDocument(colors_.lngItemColor, this);
    CreateControls();
    actions_ = new ActionRegistry(*document_, *this, *ui_.pbGraphContents);
    CreateMenus();
    CreateControllers();
    ApplyDefaultSize();
    Form_Load();
    // A file dropped on the window opens as through "Open Data File".
    connect(new FileDropTarget(*this, *loading_), &FileDropTarget::FileDropped, this,
            [this](const QString& path) { LoadLogFile(QFile::encodeName(path).toStdString()); });
}

// The controls go first: their last events reach the controllers' filters, which read the
// document, while both are still there.
frmMain::~frmMain() { delete form_; }

void frmMain::CreateControls() {
    form_ = new QWidget(this);
    setCentralWidget(form_);
    // The controls' sizes are made for a small sans-serif font.
    form_->setFont(QFont("Arial", 8));
    form_->installEventFilter(this);
    ui_ = CreateFormControls(*form_, area_);
    redrawTimer_ = new QTimer(this);
    connect(redrawTimer_, &QTimer::timeout, this, &frmMain::RedrawWhenDue);
}

// The menus as the registry lists their actions; the File menu holds the recently-opened logs
// before Exit.
void frmMain::CreateMenus() {
    mFile = menuBar()->addMenu("&File");
    actions_->AddTo(*mFile, ActionPlace::File);
    mRecentSeparator = mFile->addSeparator();
    mExitSeparator = mFile->addSeparator();
    actions_->AddTo(*mFile, ActionPlace::FileEnd);
    mTable = menuBar()->addMenu("&Table");
    actions_->AddTo(*mTable, ActionPlace::Table);
    actions_->AddTo(*menuBar()->addMenu("&Items"), ActionPlace::Items);
    actions_->AddTo(*menuBar()->addMenu("&View"), ActionPlace::View);
    actions_->AddTo(*menuBar()->addMenu("&Help"), ActionPlace::Help);
    actions_->Bind(ActionId::OpenLog, [this] { mOpen_Click(); });
    actions_->Bind(ActionId::Exit, [this] { close(); });
    // Each View choice flips as its entry is chosen; the registry checks it from the document.
    const auto viewChoice = [this](ActionId id, bool ViewPreferences::*choice) {
        actions_->Bind(id, [this, choice] {
            ViewPreferences choices = document_->viewChoices();
            choices.*choice = !(choices.*choice);
            document_->SetViewChoices(choices);
        });
    };
    viewChoice(ActionId::DistinctLockColours, &ViewPreferences::distinctLockColours);
    viewChoice(ActionId::KeepItemsAcrossLogs, &ViewPreferences::keepItemsAcrossLogs);
    viewChoice(ActionId::WheelZoom, &ViewPreferences::wheelZoom);
    actions_->Bind(ActionId::ReopenFromCache, [this] {
        CachePreferences choices = document_->cacheChoices();
        choices.bypass = !choices.bypass;
        document_->SetCacheChoices(choices);
    });
    actions_->Bind(ActionId::KeyboardShortcuts,
                   [this] { dialogs_.ShowShortcuts(this, ShortcutRows()); });
}

// Each feature's controller. They follow the document; the view subscribes last, so that it
// draws once the others have followed a change.
void frmMain::CreateControllers() {
    LogDocument& document = *document_;
    preferences_ = new PreferencesKeeper(document, strSettingsFile, dialogs_, *this);
    loading_ = new LogLoading(document, *this, *ui_.loadProgress);
    tables_ = new TableMenu(document, *actions_, dialogs_, *loading_, *this);
    computed_ = new ComputedItemsController(document, *actions_, dialogs_, *loading_, *this);
    items_ = new ItemPanel(document, ui_, dialogs_, *this);
    range_ = new SampleRangeBoxes(document, ui_, this);
    readout_ = new GraphReadout(document, area_, colors_, ui_, *actions_, *loading_, *this);
    cells_ = new TableCells(document, area_, *ui_.pbGraphContents, *loading_, *readout_, *this);
    export_ = new PictureExport(document, area_, *actions_, dialogs_, *this);
    correction_ = new LogCorrection(document, *actions_, dialogs_, *this);
    find_ = new FindController(document, *actions_, dialogs_, *readout_, *this);
    retune_ = new RetuneView(document, area_, *actions_, dialogs_, *readout_, *ui_.pbGraphContents,
                             *this);
    plots_ =
        new PlotView(document, area_, *actions_, dialogs_, *readout_, *ui_.pbGraphContents, *this);
    compare_ =
        new ComparisonController(document, ui_, *actions_, dialogs_, *loading_, *readout_, *this);
    view_ = new GraphView(document, area_, colors_, ui_, this);

    connect(view_, &GraphView::GraphDrawn, items_, &ItemPanel::ShowGraph);
    connect(view_, &GraphView::TableDrawn, cells_, &TableCells::ShowTable);
    connect(view_, &GraphView::RetuneDrawn, retune_, &RetuneView::ShowRetune);
    connect(view_, &GraphView::ScatterDrawn, plots_, &PlotView::ShowScatter);
    connect(view_, &GraphView::ViewDrawn, readout_, &GraphReadout::ShowReadout);
    connect(view_, &GraphView::ViewDrawn, find_, &FindController::ShowView);
    connect(view_, &GraphView::ViewDrawn, compare_, &ComparisonController::ShowView);
    connect(view_, &GraphView::CanvasMoved, readout_, &GraphReadout::FollowCanvas);
    connect(view_, &GraphView::CanvasMoved, find_, &FindController::FollowCanvas);
    connect(readout_, &GraphReadout::ScrollWanted, view_, &GraphView::ScrollCanvasTo);
    connect(readout_, &GraphReadout::DragInterrupted, view_, &GraphView::EndDrag);
    // A chosen range is shown whole: the zoom goes back to 1 before the range draws.
    connect(readout_, &GraphReadout::RangeChosen, view_, &GraphView::ZoomOutForChosenRange);
    connect(readout_, &GraphReadout::RangeChosen, range_, &SampleRangeBoxes::ShowRange);
    connect(ui_.bSaveGif, &QToolButton::clicked, actions_->action(ActionId::SaveGif),
            &QAction::trigger);

    connect(&document, &LogDocument::LogShown, this, &frmMain::ShowNewLog);
    connect(&document, &LogDocument::ComparisonChanged, this, &frmMain::ShowCaption);
    connect(&document, &LogDocument::ZoomChanged, this, &frmMain::ShowCaption);
}

// The default size: the client area below the menu bar is the layout's default, so the menus
// must exist before the menu bar's height is read.
void frmMain::ApplyDefaultSize() {
    resize(TwipsToPixels(kDefaultClientWidth),
           TwipsToPixels(kDefaultClientHeight) + menuBar()->sizeHint().height());
}

void frmMain::Form_Load() {
    strAppTitle = "Grafolux v" + QString::number(kVersionMajor) + "." +
                  QString::number(kVersionMinor) + "-" + QString::number(kVersionRevision);
    setWindowTitle(strAppTitle);
    PaintBackgrounds(area_, colors_);
    items_->SetColorButton(colors_.lngItemColor);
    EnableLogControls(ui_, false);
    mTable->menuAction()->setEnabled(false);
    lngRedrawAt = 0;
    redrawTimer_->start(kTimerIntervalMs);
    ui_.pbGraphContainer->setCursor(Qt::OpenHandCursor);
    LoadSettings();
}

void frmMain::LoadSettings() {
    const Settings settings = LoadSettingsFile(strSettingsFile);
    strRecent = settings.strRecent;
    document_->SetOfferedPath(strRecent.empty() ? std::string() : strRecent.front());
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
    redrawTimer_->stop();
    SaveSettings();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Loading and the recently-opened list ----

void frmMain::mOpen_Click() {
    const QString path = dialogs_.GetOpenFileName(
        this, QFile::decodeName(document_->offeredPath().c_str()), LogFileFilters(), 2);
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
        mFile->insertAction(mExitSeparator, action);
        mRecent.push_back(action);
    }
}

// Every load of an existing file goes to the recently-opened list; one that fails says why,
// and the shown log stays.
void frmMain::LoadLogFile(const std::string& path) {
    if (loading_->Busy()) return;
    if (FileExists(path)) {
        document_->SetOfferedPath(path);
        AddRecent(strRecent, path);
        BuildRecentMenu();
    }
    LoadOptions options;
    options.needsSamples = true;
    loading_->LoadOne(
        path, colors_.lngItemColor, options,
        [&](LogData& loaded) { document_->ShowLog(std::move(loaded), path); },
        [&](const LoadError& error) {
            dialogs_.Warning(
                this, "Open Data File",
                "The log could not be opened:\n" + QString::fromLocal8Bit(error.message.c_str()));
        });
}

// Only a complete log replaces the shown one; the view has drawn it by now.
void frmMain::ShowNewLog() {
    EnableLogControls(ui_, true);
    mTable->menuAction()->setEnabled(true);
    ShowCaption();
    ui_.cbLabels->setFocus();
}

void frmMain::ShowCaption() {
    // Concatenated: a file name may hold "%1" and the like.
    const auto& versus = document_->versus();
    setWindowTitle(strAppTitle + " - " + document_->shownTitle() +
                   (versus ? " vs " + versus->title : QString()) + " (" +
                   QString::number(document_->zoom() * 100) + "%)");
}

// ---- Layout and the delayed redraw ----

void frmMain::Form_Resize() {
    const FormLayout f =
        LayoutForClientSize(form_->width() * kTwipsPerPixel, form_->height() * kTwipsPerPixel,
                            width() * kTwipsPerPixel);
    for (const auto& [surface, rect] :
         {std::pair{&area_.pbGraph, &f.pbGraph}, std::pair{&area_.pbLegend, &f.pbLegend}}) {
        surface->SetLeft(rect->Left);
        surface->SetTop(rect->Top);
        surface->SetSize(rect->Width, rect->Height);
    }
    ui_.pbGraph->Sync();
    ui_.pbLegend->Sync();
    PlaceControls(ui_, f);
    lngRedrawAt = RedrawDeadline(clock_.elapsed());
}

void frmMain::RedrawWhenDue() {
    if (!RedrawDue(lngRedrawAt, clock_.elapsed(), document_->loaded(), loading_->Busy())) return;
    view_->Redraw();
}

}  // namespace grafolux
