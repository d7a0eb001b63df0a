#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <variant>

#include "Version.h"
#include "app/Dialogs.h"
#include "app/EventPump.h"
#include "app/FileDrop.h"
#include "app/GraphReadout.h"
#include "app/Icons.h"
#include "app/LogCorrection.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "app/PictureExport.h"
#include "app/RecentList.h"
#include "app/TableMenu.h"
#include "draw/DisplayText.h"
#include "logdata/LogLoader.h"
#include "logdata/TextFields.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "views/DelayedRedraw.h"
#include "views/FormLayout.h"
#include "views/ViewDrawing.h"

namespace grafolux {

namespace {

constexpr int kTimerIntervalMs = 100;

// A range box is normalised when the focus moves to another control of the window, not when a
// menu or popup opens or another application is switched to.
bool LeavesForAnotherControl(const QEvent& event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, std::string settingsFile, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), strSettingsFile(std::move(settingsFile)) {
    clock_.start();
    CreateControls();
    CreateMenu();
    export_ = new PictureExport(shown_, dialogs_, *this);
    connect(mGifSave, &QAction::triggered, export_, &PictureExport::mGifSave_Click);
    connect(ui_.bSaveGif, &QToolButton::clicked, export_, &PictureExport::mGifSave_Click);
    connect(mPngSave, &QAction::triggered, export_, &PictureExport::mPngSave_Click);
    tables_ = new TableMenu(shown_, dialogs_, *loading_, *this);
    connect(tables_, &TableMenu::SettingsChanged, this, &frmMain::RedrawTableView);
    readout_ = new GraphReadout(shown_, ui_, *tables_, *loading_, *this);
    connect(readout_, &GraphReadout::ScrollWanted, this, &frmMain::ScrollCanvasTo);
    connect(readout_, &GraphReadout::DragInterrupted, this,
            [this] { pbGraphContents_MouseUp(nullptr); });
    connect(readout_, &GraphReadout::GraphWanted, this, &frmMain::bData_Click);
    connect(readout_, &GraphReadout::RangeChosen, this, &frmMain::ShowRange);
    correction_ = new LogCorrection(shown_, dialogs_, *this);
    connect(mBugCorrect, &QAction::triggered, correction_, &LogCorrection::mBugCorrect_Click);
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
    ConnectControls();
    loading_ = new LogLoading(*this, *ui_.ProgressBar1);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
}

void frmMain::ConnectControls() {
    const FormControls& c = ui_;
    connect(c.bZoomIn, &QToolButton::clicked, this, &frmMain::bZoomIn_Click);
    connect(c.bZoomOut, &QToolButton::clicked, this, &frmMain::bZoomOut_Click);
    connect(c.bData, &QToolButton::clicked, this, &frmMain::bData_Click);
    connect(c.bBLM, &QToolButton::clicked, this, &frmMain::bBLM_Click);
    connect(c.bINT, &QToolButton::clicked, this, &frmMain::bINT_Click);
    connect(c.hsbGraph, &QScrollBar::valueChanged, this, &frmMain::hsbGraph_Change);
    connect(c.pbGraphContents, &PictureBox::MouseDown, this, &frmMain::pbGraphContents_MouseDown);
    connect(c.pbGraphContents, &PictureBox::MouseMove, this, &frmMain::pbGraphContents_MouseMove);
    connect(c.pbGraphContents, &PictureBox::MouseUp, this, &frmMain::pbGraphContents_MouseUp);
    connect(c.cbLabels, &QComboBox::activated, this, &frmMain::cbLabels_Click);
    connect(c.bNext, &QPushButton::clicked, this, &frmMain::bNext_Click);
    connect(c.bPrev, &QPushButton::clicked, this, &frmMain::bPrev_Click);
    connect(c.chkDisplay, &QCheckBox::clicked, this, &frmMain::chkDisplay_Click);
    connect(c.chkFilled, &QCheckBox::clicked, this, &frmMain::chkFilled_Click);
    connect(c.bColor, &QPushButton::clicked, this, &frmMain::bColor_Click);
    connect(c.tbFirst, &QLineEdit::textChanged, this,
            [this](const QString& text) { shown_.firstText = text.toUtf8().toStdString(); });
    connect(c.tbLast, &QLineEdit::textChanged, this,
            [this](const QString& text) { shown_.lastText = text.toUtf8().toStdString(); });
    connect(c.tbFirst, &QLineEdit::returnPressed, this, &frmMain::tbFirst_LostFocus);
    connect(c.tbLast, &QLineEdit::returnPressed, this, &frmMain::tbLast_LostFocus);
    c.tbFirst->installEventFilter(this);
    c.tbLast->installEventFilter(this);
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
    SetViewMode(ViewMode::None);
    PaintBackgrounds(shown_.area, shown_.colors);
    SetColorButton(shown_.colors.lngItemColor);
    shown_.lngCurItem = 1;
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.chkDisplay, ui_.cbLabels, ui_.chkFilled, ui_.bPrev, ui_.bNext, ui_.tbFirst,
             ui_.tbLast, ui_.lblColor1, ui_.lblColor2, ui_.bColor, ui_.ProgressBar1, ui_.bData,
             ui_.bBLM, ui_.bINT, ui_.bSaveGif, ui_.bZoomIn, ui_.bZoomOut, ui_.hsbGraph})
        control->setEnabled(false);
    mGifSave->setEnabled(false);
    tables_->EnableTableMenu(false);
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
    if (event->type() == QEvent::FocusOut && LeavesForAnotherControl(*event)) {
        if (watched == ui_.tbFirst) tbFirst_LostFocus();
        if (watched == ui_.tbLast) tbLast_LostFocus();
    }
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

void frmMain::LoadLogFile(const std::string& path) {
    if (!FileExists(path) || loading_->Busy()) return;
    shown_.strFileName = path;
    AddRecent(strRecent, shown_.strFileName);
    BuildRecentMenu();
    loading_->LoadOne(path, shown_.colors.lngItemColor, {},
                      [&](LogData& loaded) { ShowLoadedLog(loaded, path); });
}

// Only a complete log replaces the shown one.
void frmMain::ShowLoadedLog(LogData& loaded, const std::string& path) {
    readout_->ForgetLog();
    shown_.log = std::move(loaded);
    ui_.cbLabels->clear();
    for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k)
        ui_.cbLabels->addItem(DisplayText(shown_.log.udtItems[k].strName));
    shown_.lngCurItem = 1;
    ui_.tbFirst->setText("1");
    ui_.tbLast->setText(QString::number(shown_.log.lngSampleCount));
    SetZoom(1.0);
    for (QWidget* control : std::initializer_list<QWidget*>{ui_.chkDisplay, ui_.cbLabels, ui_.bPrev,
                                                            ui_.bNext, ui_.tbFirst, ui_.tbLast})
        control->setEnabled(true);
    ui_.chkFilled->setEnabled(false);
    mGifSave->setEnabled(true);
    mPngSave->setEnabled(true);
    shown_.blnFileLoaded = true;
    ui_.cbLabels->setCurrentIndex(0);
    shown_.dblZoom = 1.0;
    ui_.bZoomIn->setEnabled(true);
    shown_.area.pbGraphContents.SetLeft(0);
    shown_.area.pbGraphContents.SetTop(0);
    ui_.pbGraphContents->Sync();
    shown_.strFileTitle = FileTitle(path);
    ShowCaption();
    ui_.cbLabels->setFocus();
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_.bBLM, ui_.bINT, ui_.bData, ui_.bSaveGif})
        control->setEnabled(true);
    tables_->ForgetIncludedLogs();
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
    StoreScrollPos();
    RedrawCurrentView();
}

}  // namespace grafolux
