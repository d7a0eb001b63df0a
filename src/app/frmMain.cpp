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
#include "app/Icons.h"
#include "app/PictureBox.h"
#include "app/RecentList.h"
#include "draw/DisplayText.h"
#include "files/FileChecks.h"
#include "logdata/LogLoader.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "views/DelayedRedraw.h"
#include "views/FormLayout.h"
#include "views/ViewDrawing.h"

namespace grafolux {

namespace {

constexpr int kTimerIntervalMs = 100;

QRect PixelRect(const TwipRect& r) {
    return QRect(TwipsToPixels(r.Left), TwipsToPixels(r.Top), TwipsToPixels(r.Width),
                 TwipsToPixels(r.Height));
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QWidget* EtchedLine(QWidget* parent, const char* name, const QColor& colour) {
    auto* line = Named(new QWidget(parent), name);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

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
    ApplyDefaultSize();
    Form_Load();
    // A file dropped on the window opens as through "Open Data File".
    new FileDropTarget(
        *this, [this] { return blnLoading; },
        [this](const QString& path) { LoadLogFile(QFile::encodeName(path).toStdString()); });
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    form_ = new QWidget(this);
    setCentralWidget(form_);
    // The controls' sizes are made for a small sans-serif font.
    form_->setFont(QFont("Arial", 8));
    form_->installEventFilter(this);
    CreateToolButtons();
    CreateDrawingArea();
    CreateItemPanel();
    CreateRangeAndProgress();
    Line1 = EtchedLine(form_, "Line1", QColor(128, 128, 128));
    Line2 = EtchedLine(form_, "Line2", Qt::white);
    Line3 = EtchedLine(form_, "Line3", QColor(128, 128, 128));
    Line4 = EtchedLine(form_, "Line4", Qt::white);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
}

// The picture buttons of the left column. Every control gets its place from Form_Resize.
void frmMain::CreateToolButtons() {
    const auto toolButton = [this](const char* name, const QString& tip, const QIcon& icon,
                                   void (frmMain::*handler)()) {
        auto* button = Named(new QToolButton(form_), name);
        button->setToolTip(tip);
        button->setIconSize(QSize(21, 21));
        button->setIcon(icon);
        connect(button, &QToolButton::clicked, this, handler);
        return button;
    };
    bZoomIn = toolButton("bZoomIn", "Zoom In", ZoomInIcon(), &frmMain::bZoomIn_Click);
    bZoomOut = toolButton("bZoomOut", "Zoom Out", ZoomOutIcon(), &frmMain::bZoomOut_Click);
    bData = toolButton("bData", "Graph", {}, &frmMain::bData_Click);
    bBLM = toolButton("bBLM", "BLM Table", {}, &frmMain::bBLM_Click);
    bINT = toolButton("bINT", "INT Table", {}, &frmMain::bINT_Click);
    bSaveGif = toolButton("bSaveGif", "Save As GIF", SaveGifIcon(), &frmMain::mGifSave_Click);
    bZoomIn->setShortcut(QKeySequence::ZoomIn);
    bZoomOut->setShortcut(QKeySequence::ZoomOut);
}

// The nested picture boxes the views draw on, the legend and the scroll bar under them.
void frmMain::CreateDrawingArea() {
    pbGraph = Named(new PictureBox(area_.pbGraph, form_), "pbGraph");
    pbGraphContainer = Named(new PictureBox(area_.pbGraphContainer, pbGraph), "pbGraphContainer");
    pbGraphContents =
        Named(new PictureBox(area_.pbGraphContents, pbGraphContainer), "pbGraphContents");
    pbLegend = Named(new PictureBox(area_.pbLegend, form_), "pbLegend");
    hsbGraph = Named(new QScrollBar(Qt::Horizontal, form_), "hsbGraph");
    connect(hsbGraph, &QScrollBar::valueChanged, this, &frmMain::hsbGraph_Change);
    connect(pbGraphContents, &PictureBox::MouseDown, this, &frmMain::pbGraphContents_MouseDown);
    connect(pbGraphContents, &PictureBox::MouseMove, this, &frmMain::pbGraphContents_MouseMove);
    connect(pbGraphContents, &PictureBox::MouseUp, this, &frmMain::pbGraphContents_MouseUp);
    CreateReadout();
}

// The current item: its choice, its value range, its lock, fill and colour.
void frmMain::CreateItemPanel() {
    lblItem = Named(new QLabel("Item:", form_), "lblItem");
    cbLabels = Named(new QComboBox(form_), "cbLabels");
    lblMinV = Named(new QLabel("Low Value:", form_), "lblMinV");
    lblMin = Named(new QLabel(form_), "lblMin");
    lblMaxV = Named(new QLabel("High Value:", form_), "lblMaxV");
    lblMax = Named(new QLabel(form_), "lblMax");
    chkDisplay = Named(new QCheckBox("Lock to graph", form_), "chkDisplay");
    chkFilled = Named(new QCheckBox("Filled", form_), "chkFilled");
    lblColor1 = Named(new QLabel("Color:", form_), "lblColor1");
    bColor = Named(new QPushButton(form_), "bColor");
    lblColor2 = Named(new QLabel("(Click to Change)", form_), "lblColor2");
    bPrev = Named(new QPushButton("Previous", form_), "bPrev");
    bNext = Named(new QPushButton("Next", form_), "bNext");

    QFont bold = lblMin->font();
    bold.setBold(true);
    lblMin->setFont(bold);
    lblMax->setFont(bold);
    lblMin->setToolTip("Lowest Value");
    lblMax->setToolTip("Highest Value");
    chkDisplay->setToolTip("Lock this item in the Graph");
    chkFilled->setToolTip("Fill this item");
    lblColor2->setToolTip("Change color for this item");
    bPrev->setToolTip("Previous data item");
    bNext->setToolTip("Next data item");
    bColor->setAutoFillBackground(true);
    bColor->setFlat(true);

    connect(cbLabels, &QComboBox::activated, this, &frmMain::cbLabels_Click);
    connect(bNext, &QPushButton::clicked, this, &frmMain::bNext_Click);
    connect(bPrev, &QPushButton::clicked, this, &frmMain::bPrev_Click);
    connect(chkDisplay, &QCheckBox::clicked, this, &frmMain::chkDisplay_Click);
    connect(chkFilled, &QCheckBox::clicked, this, &frmMain::chkFilled_Click);
    connect(bColor, &QPushButton::clicked, this, &frmMain::bColor_Click);
}

// The sample range boxes and the load's progress bar.
void frmMain::CreateRangeAndProgress() {
    lblFirst = Named(new QLabel("First Item:", form_), "lblFirst");
    tbFirst = Named(new QLineEdit(form_), "tbFirst");
    lblLast = Named(new QLabel("Last Item:", form_), "lblLast");
    tbLast = Named(new QLineEdit(form_), "tbLast");
    ProgressBar1 = Named(new QProgressBar(form_), "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    connect(tbFirst, &QLineEdit::returnPressed, this, &frmMain::tbFirst_LostFocus);
    connect(tbLast, &QLineEdit::returnPressed, this, &frmMain::tbLast_LostFocus);
    tbFirst->installEventFilter(this);
    tbLast->installEventFilter(this);
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
    mBugCorrect = mFile->addAction("&Correct Data for Kartlog BitOrder Bug", this,
                                   &frmMain::mBugCorrect_Click);
    mBugCorrect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mFile->addSeparator();
    mGifSave = mFile->addAction("Save As &GIF...", this, &frmMain::mGifSave_Click);
    mGifSave->setShortcut(QKeySequence::Save);
    mPngSave = mFile->addAction("Save As &PNG...", this, &frmMain::mPngSave_Click);
    mPngSave->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mRecentSeparator = mFile->addSeparator();
    mSep03 = mFile->addSeparator();
    mExit = mFile->addAction("E&xit", this, &QWidget::close);
    mExit->setShortcut(QKeySequence::Quit);
    for (QAction* action : {mOpen, mBugCorrect, mGifSave, mPngSave, mExit})
        action->setObjectName(action->text().remove('&').remove("...").simplified());
    CreateTableMenu();
}

void frmMain::Form_Load() {
    strAppTitle = "Grafolux v" + QString::number(kVersionMajor) + "." +
                  QString::number(kVersionMinor) + "-" + QString::number(kVersionRevision);
    setWindowTitle(strAppTitle);
    blnDrawEnabled = true;
    dblZoom = 1.0;
    SetViewMode(ViewMode::None);
    PaintBackgrounds(area_, colors_);
    SetColorButton(colors_.lngItemColor);
    lngCurItem = 1;
    for (QWidget* control : std::initializer_list<QWidget*>{
             chkDisplay, cbLabels, chkFilled, bPrev, bNext, tbFirst, tbLast, lblColor1, lblColor2,
             bColor, ProgressBar1, bData, bBLM, bINT, bSaveGif, bZoomIn, bZoomOut, hsbGraph})
        control->setEnabled(false);
    mGifSave->setEnabled(false);
    EnableTableMenu(false);
    mPngSave->setEnabled(false);
    lngRedrawAt = 0;
    blnFileLoaded = false;
    Timer1->start(kTimerIntervalMs);
    pbGraphContainer->setCursor(Qt::OpenHandCursor);
    LoadSettings();
}

void frmMain::LoadSettings() {
    const Settings settings = LoadSettingsFile(strSettingsFile);
    strPreferencesFile = PreferencesFilePath(strSettingsFile);
    tablePrefs_ = LoadTablePreferences(strPreferencesFile);
    EnableTableMenu(blnFileLoaded);
    strRecent = settings.strRecent;
    strFileName = strRecent.empty() ? std::string() : strRecent.front();
    if (settings.window) {
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        const WindowState w = ClampToScreen(*settings.window, screen.width() * kTwipsPerPixel,
                                            screen.height() * kTwipsPerPixel);
        if (HasArea(w))
            setGeometry(TwipsToPixels(w.left), TwipsToPixels(w.top), TwipsToPixels(w.width),
                        TwipsToPixels(w.height));
        if (w.state == 2) setWindowState(windowState() | Qt::WindowMaximized);
    }
    BuildRecentMenu();
}

void frmMain::SaveSettings() {
    const QRect normal = normalGeometry();
    const WindowState window{normal.x() * kTwipsPerPixel, normal.y() * kTwipsPerPixel,
                             normal.width() * kTwipsPerPixel, normal.height() * kTwipsPerPixel,
                             isMaximized() ? 2 : 0};
    std::string error;
    if (!SaveSettingsFile(strSettingsFile, strRecent, window, &error))
        dialogs_.Warning(this, "Settings",
                         "The recently-opened list and the window's place could not be saved:\n" +
                             QString::fromLocal8Bit(error.c_str()));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (blnLoading) {  // the load's own frame is still on the stack: close when it returns
        blnCloseAfterLoad = true;
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
    if (watched == pbGraphContents && ReadoutEvent(event)) return true;
    if (event->type() == QEvent::FocusOut && LeavesForAnotherControl(*event)) {
        if (watched == tbFirst) tbFirst_LostFocus();
        if (watched == tbLast) tbLast_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Loading and the recently-opened list ----

void frmMain::mOpen_Click() {
    const QString path =
        dialogs_.GetOpenFileName(this, QFile::decodeName(strFileName.c_str()), LogFileFilters(), 2);
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

// Between loads the bar is disabled at 0 of a real range: a load that ended while the bar
// still showed "busy" (no total known yet) must not leave it moving.
void frmMain::ShowProgressIdle() {
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setEnabled(false);
}

void frmMain::ShowLoadProgress(int64_t done, int64_t total) {
    ProgressBar1->setMaximum(static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
    ProgressBar1->setValue(static_cast<int>(std::min<int64_t>(done, INT32_MAX)));
    EventPump::Pump();
}

void frmMain::LoadLogFile(const std::string& path) {
    if (!FileExists(path) || blnLoading) return;
    strFileName = path;
    AddRecent(strRecent, strFileName);
    BuildRecentMenu();

    ProgressBar1->setEnabled(true);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    blnLoading = true;
    EventPump pump;
    LoadResult result = LoadLog(path, colors_.lngItemColor, [&](int64_t done, int64_t total) {
        if (pump.Due()) ShowLoadProgress(done, total);
    });
    blnLoading = false;
    ShowProgressIdle();

    if (auto* loaded = std::get_if<LogData>(&result)) {
        // Only a complete log replaces the shown one.
        ForgetReadout();
        log_ = std::move(*loaded);
        cbLabels->clear();
        for (int32_t k = 1; k <= log_.lngItemCount; ++k)
            cbLabels->addItem(DisplayText(log_.udtItems[k].strName));
        lngCurItem = 1;
        blnDrawEnabled = false;
        tbFirst->setText("1");
        tbLast->setText(QString::number(log_.lngSampleCount));
        blnDrawEnabled = true;
        SetZoom(1.0);
        for (QWidget* control :
             std::initializer_list<QWidget*>{chkDisplay, cbLabels, bPrev, bNext, tbFirst, tbLast})
            control->setEnabled(true);
        chkFilled->setEnabled(false);
        mGifSave->setEnabled(true);
        mPngSave->setEnabled(true);
        blnFileLoaded = true;
        cbLabels->setCurrentIndex(0);
        dblZoom = 1.0;
        bZoomIn->setEnabled(true);
        area_.pbGraphContents.SetLeft(0);
        area_.pbGraphContents.SetTop(0);
        pbGraphContents->Sync();
        strFileTitle = FileTitle(path);
        ShowCaption();
        cbLabels->setFocus();
        for (QWidget* control : std::initializer_list<QWidget*>{bBLM, bINT, bData, bSaveGif})
            control->setEnabled(true);
        included_.clear();  // a new log starts on its own
        EnableTableMenu(true);
    }
    if (blnCloseAfterLoad) close();
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
    pbGraph->Sync();
    pbLegend->Sync();
    const std::pair<QWidget*, const TwipRect*> placed[] = {{bZoomIn, &f.bZoomIn},
                                                           {bZoomOut, &f.bZoomOut},
                                                           {bData, &f.bData},
                                                           {bBLM, &f.bBLM},
                                                           {bINT, &f.bINT},
                                                           {bSaveGif, &f.bSaveGif},
                                                           {hsbGraph, &f.hsbGraph},
                                                           {lblItem, &f.lblItem},
                                                           {cbLabels, &f.cbLabels},
                                                           {lblMinV, &f.lblMinV},
                                                           {lblMin, &f.lblMin},
                                                           {lblMaxV, &f.lblMaxV},
                                                           {lblMax, &f.lblMax},
                                                           {chkDisplay, &f.chkDisplay},
                                                           {chkFilled, &f.chkFilled},
                                                           {lblColor1, &f.lblColor1},
                                                           {bColor, &f.bColor},
                                                           {lblColor2, &f.lblColor2},
                                                           {lblFirst, &f.lblFirst},
                                                           {tbFirst, &f.tbFirst},
                                                           {lblLast, &f.lblLast},
                                                           {tbLast, &f.tbLast},
                                                           {bPrev, &f.bPrev},
                                                           {bNext, &f.bNext},
                                                           {ProgressBar1, &f.ProgressBar1}};
    for (const auto& [widget, rect] : placed) widget->setGeometry(PixelRect(*rect));
    const std::pair<QWidget*, const TwipLine*> lines[] = {
        {Line1, &f.Line1}, {Line2, &f.Line2}, {Line3, &f.Line3}, {Line4, &f.Line4}};
    for (const auto& [widget, line] : lines)
        widget->setGeometry(0, TwipsToPixels(line->Y), TwipsToPixels(line->X2), 1);
    lngRedrawAt = RedrawDeadline(clock_.elapsed());
}

void frmMain::Timer1_Timer() {
    if (!RedrawDue(lngRedrawAt, clock_.elapsed(), blnFileLoaded, blnLoading)) return;
    StoreScrollPos();
    RedrawCurrentView();
}

// The file's name without its folder, as the caption and the table legend show it.
QString frmMain::FileTitle(const std::string& path) {
    return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

}  // namespace grafolux
