// The window's view handlers: graph, tables, zoom and drag, the item panel, the sample range,
// the GIF and PNG export and the correction.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "app/Dialogs.h"
#include "app/EventPump.h"
#include "app/Icons.h"
#include "app/PictureBox.h"
#include "app/frmMain.h"
#include "correct/BitOrderCorrection.h"
#include "export/GifEncoder.h"
#include "export/PngWriter.h"
#include "graph/ZoomMath.h"
#include "logdata/Rounding.h"
#include "tables/CellStats.h"
#include "views/SampleRange.h"
#include "views/ViewDrawing.h"
#include "views/ViewExport.h"
#include "views/ViewMode.h"

namespace grafolux {

namespace {

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

// ---- Views ----

ViewMode frmMain::SetViewMode(ViewMode lngMode) {
    const ViewMode old = lngViewMode;
    lngViewMode = lngMode;
    const ViewButtons buttons = ViewButtonsFor(lngMode, dblZoom);
    bData->setIcon(icons_.ViewButton(buttons.graphPicture, "GRAPH_DIS"));
    bBLM->setIcon(icons_.ViewButton(buttons.blmPicture, "BLM_DIS"));
    bINT->setIcon(icons_.ViewButton(buttons.intPicture, "INT_DIS"));
    bData->setProperty("picture", buttons.graphPicture);
    bBLM->setProperty("picture", buttons.blmPicture);
    bINT->setProperty("picture", buttons.intPicture);
    bZoomIn->setEnabled(buttons.canZoomIn);
    bZoomOut->setEnabled(buttons.canZoomOut);
    mCopyTable->setEnabled(IsTableView(lngMode));
    mSaveTable->setEnabled(IsTableView(lngMode));
    return old;
}

void frmMain::StoreScrollPos() {
    lngScrollPos = ScrollPosFromLeft(area_.pbGraphContents.Left(), dblZoom);
}

void frmMain::SyncSurfaces() {
    for (PictureBox* box : {pbGraph, pbGraphContainer, pbGraphContents, pbLegend}) box->Sync();
}

void frmMain::DrawGraph() {
    if (!blnDrawEnabled) return;
    SetViewMode(ViewMode::Graph);
    const GraphResult result =
        DrawGraphForRange(area_, log_, {lngCurItem, dblZoom, lngScrollPos}, Bytes(tbFirst->text()),
                          Bytes(tbLast->text()), colors_);
    lblMin->setText(result.lowText);
    lblMax->setText(result.highText);
    ShowItemPanel(result.itemColour, result.filled, result.locked);
    SyncSurfaces();
    ShowReadout(result.axis);
}

void frmMain::DrawCellTable(TableKind intTable) {
    const PooledTable drawn =
        DrawCellTableForRange(area_, log_, intTable, Bytes(tbFirst->text()), Bytes(tbLast->text()),
                              colors_, TableSettingsNow());
    readout_.shownKind = intTable;
    readout_.shownTable.reset();
    if (GatheredFor(tablePrefs_.look.show.statistic) == Gathered::Everything)
        readout_.shownTable = drawn.table;
    SyncSurfaces();
    ShowReadout(std::nullopt);
}

// The table view's table with every statistic, for what its cells say under the mouse.
const CellTable& frmMain::ShownCellStatistics() {
    if (!readout_.shownTable)
        readout_.shownTable =
            TableForRange(log_, readout_.shownKind, Bytes(tbFirst->text()), Bytes(tbLast->text()),
                          TableSettingsNow(), Gathered::Everything)
                .table;
    return *readout_.shownTable;
}

// The table of the table view as drawn, for its numbers out.
PooledTable frmMain::ShownTable(TableKind kind) const {
    return TableForRange(log_, kind, Bytes(tbFirst->text()), Bytes(tbLast->text()),
                         TableSettingsNow());
}

void frmMain::RedrawCurrentView() {
    if (lngViewMode == ViewMode::Graph)
        DrawGraph();
    else if (const auto kind = TableKindOf(lngViewMode))
        DrawCellTable(*kind);
}

// ---- Item panel ----

void frmMain::SetColorButton(Colour colour) {
    QPalette palette = bColor->palette();
    palette.setColor(QPalette::Button, ToQColor(colour));
    bColor->setPalette(palette);
}

// The panel mirrors the current item: its colour, its fill and lock, and the colour and fill
// controls usable only for a locked item.
void frmMain::ShowItemPanel(Colour back, bool filled, bool locked) {
    SetColorButton(back);
    chkFilled->setChecked(filled);
    chkDisplay->setChecked(locked);
    ShowLockState(locked);
}

void frmMain::ShowLockState(bool locked) {
    cbLabels->setItemIcon(lngCurItem - 1, locked ? icons_.LockedItem() : QIcon());
    for (QWidget* control :
         std::initializer_list<QWidget*>{chkFilled, lblColor1, lblColor2, bColor})
        control->setEnabled(locked);
}

void frmMain::SelectItem(int32_t item) {
    lngCurItem = item;
    cbLabels->setCurrentIndex(item - 1);
    StoreScrollPos();
    DrawGraph();
}

void frmMain::cbLabels_Click(int index) {
    lngCurItem = index + 1;
    StoreScrollPos();
    DrawGraph();
}

void frmMain::bNext_Click() { SelectItem(lngCurItem + 1 > log_.lngItemCount ? 1 : lngCurItem + 1); }

void frmMain::bPrev_Click() { SelectItem(lngCurItem - 1 < 1 ? log_.lngItemCount : lngCurItem - 1); }

void frmMain::chkDisplay_Click() {
    ItemInfo& item = log_.udtItems[lngCurItem];
    item.blnLocked = chkDisplay->isChecked();
    ShowLockState(item.blnLocked);
}

void frmMain::chkFilled_Click() {
    log_.udtItems[lngCurItem].blnFilled = chkFilled->isChecked();
    StoreScrollPos();
    DrawGraph();
}

void frmMain::bColor_Click() {
    const auto chosen = dialogs_.GetColor(this, ToQColor(log_.udtItems[lngCurItem].lngColor));
    if (!chosen) return;
    log_.udtItems[lngCurItem].lngColor = FromQColor(*chosen);
    SetColorButton(log_.udtItems[lngCurItem].lngColor);
    StoreScrollPos();
    DrawGraph();
}

// ---- View buttons and the sample range ----

void frmMain::bData_Click() { SelectItem(lngCurItem); }

void frmMain::bBLM_Click() { ShowTable(TableKind::Blm); }

void frmMain::bINT_Click() { ShowTable(TableKind::Int); }

void frmMain::ShowTable(TableKind kind) {
    SetViewMode(TableView(kind));
    DrawCellTable(kind);
}

void frmMain::tbFirst_LostFocus() {
    if (!tbFirst->isEnabled()) return;
    tbFirst->setText(
        QString::fromStdString(NormalizeFirst(Bytes(tbFirst->text()), Bytes(tbLast->text()))));
    ApplySampleRange();
}

void frmMain::tbLast_LostFocus() {
    if (!tbLast->isEnabled()) return;
    tbLast->setText(QString::fromStdString(
        NormalizeLast(Bytes(tbLast->text()), Bytes(tbFirst->text()), log_.lngSampleCount)));
    ApplySampleRange();
}

void frmMain::ApplySampleRange() {
    if (!IsValidRange(Bytes(tbFirst->text()), Bytes(tbLast->text()), log_.lngSampleCount)) return;
    if (lngViewMode == ViewMode::Graph) StoreScrollPos();
    RedrawCurrentView();
}

// ---- Zoom, scroll and drag ----

void frmMain::ShowCaption() {
    // Concatenated: a file name may hold "%1" and the like.
    setWindowTitle(strAppTitle + " - " + strFileTitle + " (" + QString::number(dblZoom * 100) +
                   "%)");
}

void frmMain::UpdateContainerCursor() {
    // The hand shows while there is something to drag: above zoom 1.
    if (dblZoom <= kMinZoom)
        pbGraphContainer->unsetCursor();
    else
        pbGraphContainer->setCursor(blnDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void frmMain::SetZoom(double dblNewZoom) {
    StoreScrollPos();
    dblZoom = ClampZoom(dblNewZoom);
    bZoomIn->setEnabled(dblZoom < kMaxZoom);
    if (dblZoom <= kMinZoom) {
        bZoomOut->setEnabled(false);
        hsbGraph->setEnabled(false);
        DrawGraph();
    } else {
        DrawGraph();
        bZoomOut->setEnabled(true);
        hsbGraph->setEnabled(true);
        const ScrollBarSetup bar =
            ScrollBarFor(area_.pbGraphContents.Width(), area_.pbGraphContents.Left(), dblZoom);
        hsbGraph->setMaximum(bar.max);
        hsbGraph->setPageStep(bar.largeChange);
        hsbGraph->setValue(bar.value);
    }
    UpdateContainerCursor();
    ShowCaption();
}

void frmMain::bZoomIn_Click() { SetZoom(dblZoom + kZoomStep); }

void frmMain::bZoomOut_Click() { SetZoom(dblZoom - kZoomStep); }

void frmMain::hsbGraph_Change(int value) {
    area_.pbGraphContents.SetLeft(LeftForScrollValue(static_cast<int16_t>(value)));
    pbGraphContents->Sync();
}

void frmMain::pbGraphContents_MouseDown(QMouseEvent* event) {
    lngDragX = RoundLong(event->globalPosition().x());
    lngDragLeft = RoundLong(area_.pbGraphContents.Left());
    blnDragging = true;
    UpdateContainerCursor();
}

void frmMain::pbGraphContents_MouseMove(QMouseEvent* event) {
    if (lngViewMode == ViewMode::None || !(event->buttons() & Qt::LeftButton)) return;
    if (!blnDragging) pbGraphContents_MouseDown(event);
    const int32_t current = RoundLong(area_.pbGraphContents.Left());
    const int32_t newLeft = DragLeft(lngDragLeft, lngDragX, RoundLong(event->globalPosition().x()),
                                     area_.pbGraphContainer.Width(), area_.pbGraphContents.Width());
    if (newLeft != current) ScrollCanvasTo(newLeft);
}

void frmMain::ScrollCanvasTo(int32_t left) {
    area_.pbGraphContents.SetLeft(left);
    pbGraphContents->Sync();
    hsbGraph->setValue(ScrollValueFor(left, static_cast<int16_t>(hsbGraph->maximum())));
}

void frmMain::pbGraphContents_MouseUp(QMouseEvent*) {
    blnDragging = false;
    UpdateContainerCursor();
}

// ---- Picture export and correction ----

void frmMain::SaveViewAs(const QString& title, const QString& suffix, QString& lastName,
                         const std::function<bool(const QImage&, const QString&, QString*)>& save) {
    const QString filter = QString("%1 Files (*.%2)").arg(suffix.toUpper(), suffix);
    const QString name = dialogs_.GetSaveFileName(this, lastName, {filter}, suffix);
    if (name.isEmpty()) return;
    lastName = name;
    QString error;
    if (!save(ComposeView(area_, lngViewMode), name, &error))
        dialogs_.Warning(this, title, "The picture could not be saved:\n" + error);
}

void frmMain::mGifSave_Click() {
    SaveViewAs("Save As GIF", "gif", strGifFileName,
               [](const QImage& view, const QString& name, QString* error) {
                   GIF cGif;
                   EventPump pump;
                   cGif.Progress = [&pump](int) {
                       if (pump.Due()) EventPump::Pump();
                   };
                   return cGif.SaveGIF(view, name, false, 0, error);
               });
}

// The same view in full colour.
void frmMain::mPngSave_Click() { SaveViewAs("Save As PNG", "png", strPngFileName, SavePng); }

void frmMain::mBugCorrect_Click() {
    const QString path =
        dialogs_.GetOpenFileName(this, QFile::decodeName(strFileName.c_str()), LogFileFilters(), 2);
    if (path.isEmpty()) return;
    const CorrectionResult result = CorrectLogFile(QFile::encodeName(path).toStdString());
    if (result.ok)
        dialogs_.Information(this, "File Corrected",
                             "File has been corrected and saved as:\r\n\r\n" +
                                 QFile::decodeName(result.outputPath.c_str()));
    else
        dialogs_.Warning(this, "Correct Data",
                         "The file was not corrected:\n" + QString::fromStdString(result.error));
}

}  // namespace grafolux
