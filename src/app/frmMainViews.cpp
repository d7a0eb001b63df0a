// The window's view handlers: graph, tables, zoom and drag, the item panel, the sample range.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "app/Dialogs.h"
#include "app/GraphReadout.h"
#include "app/Icons.h"
#include "app/PictureBox.h"
#include "app/TableMenu.h"
#include "app/frmMain.h"
#include "graph/ZoomMath.h"
#include "logdata/Rounding.h"
#include "tables/CellStats.h"
#include "views/SampleRange.h"
#include "views/ViewDrawing.h"
#include "views/ViewMode.h"

namespace grafolux {

// ---- Views ----

ViewMode frmMain::SetViewMode(ViewMode lngMode) {
    const ViewMode old = shown_.lngViewMode;
    shown_.lngViewMode = lngMode;
    const ViewButtons buttons = ViewButtonsFor(lngMode, shown_.dblZoom);
    ui_.bData->setIcon(icons_.ViewButton(buttons.graphPicture, "GRAPH_DIS"));
    ui_.bBLM->setIcon(icons_.ViewButton(buttons.blmPicture, "BLM_DIS"));
    ui_.bINT->setIcon(icons_.ViewButton(buttons.intPicture, "INT_DIS"));
    ui_.bData->setProperty("picture", buttons.graphPicture);
    ui_.bBLM->setProperty("picture", buttons.blmPicture);
    ui_.bINT->setProperty("picture", buttons.intPicture);
    tables_->ShowViewMode(lngMode);
    ui_.bZoomIn->setEnabled(buttons.canZoomIn);
    ui_.bZoomOut->setEnabled(buttons.canZoomOut);
    return old;
}

void frmMain::StoreScrollPos() {
    shown_.lngScrollPos = ScrollPosFromLeft(shown_.area.pbGraphContents.Left(), shown_.dblZoom);
}

void frmMain::SyncSurfaces() {
    for (PictureBox* box : {ui_.pbGraph, ui_.pbGraphContainer, ui_.pbGraphContents, ui_.pbLegend})
        box->Sync();
}

void frmMain::DrawGraph() {
    SetViewMode(ViewMode::Graph);
    const GraphResult result = DrawGraphForRange(
        shown_.area, shown_.log, {shown_.lngCurItem, shown_.dblZoom, shown_.lngScrollPos},
        shown_.firstText, shown_.lastText, shown_.colors);
    ui_.lblMin->setText(result.lowText);
    ui_.lblMax->setText(result.highText);
    ShowItemPanel(result.itemColour, result.filled, result.locked);
    SyncSurfaces();
    readout_->ShowReadout(result.axis);
}

void frmMain::DrawCellTable(TableKind intTable) {
    const PooledTable drawn =
        DrawCellTableForRange(shown_.area, shown_.log, intTable, shown_.firstText, shown_.lastText,
                              shown_.colors, tables_->TableSettingsNow());
    readout_->ShowTable(intTable, drawn);
    SyncSurfaces();
    readout_->ShowReadout(std::nullopt);
}

void frmMain::RedrawTableView() {
    if (IsTableView(shown_.lngViewMode)) RedrawCurrentView();
}

void frmMain::RedrawCurrentView() {
    if (shown_.lngViewMode == ViewMode::Graph)
        DrawGraph();
    else if (const auto kind = TableKindOf(shown_.lngViewMode))
        DrawCellTable(*kind);
}

// ---- Item panel ----

void frmMain::SetColorButton(Colour colour) {
    QPalette palette = ui_.bColor->palette();
    palette.setColor(QPalette::Button, ToQColor(colour));
    ui_.bColor->setPalette(palette);
}

// The panel mirrors the current item: its colour, its fill and lock, and the colour and fill
// controls usable only for a locked item.
void frmMain::ShowItemPanel(Colour back, bool filled, bool locked) {
    SetColorButton(back);
    ui_.chkFilled->setChecked(filled);
    ui_.chkDisplay->setChecked(locked);
    ShowLockState(locked);
}

void frmMain::ShowLockState(bool locked) {
    ui_.cbLabels->setItemIcon(shown_.lngCurItem - 1, locked ? icons_.LockedItem() : QIcon());
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_.chkFilled, ui_.lblColor1, ui_.lblColor2, ui_.bColor})
        control->setEnabled(locked);
}

void frmMain::SelectItem(int32_t item) {
    shown_.lngCurItem = item;
    ui_.cbLabels->setCurrentIndex(item - 1);
    StoreScrollPos();
    DrawGraph();
}

void frmMain::cbLabels_Click(int index) {
    shown_.lngCurItem = index + 1;
    StoreScrollPos();
    DrawGraph();
}

void frmMain::bNext_Click() {
    SelectItem(shown_.lngCurItem + 1 > shown_.log.lngItemCount ? 1 : shown_.lngCurItem + 1);
}

void frmMain::bPrev_Click() {
    SelectItem(shown_.lngCurItem - 1 < 1 ? shown_.log.lngItemCount : shown_.lngCurItem - 1);
}

void frmMain::chkDisplay_Click() {
    ItemInfo& item = shown_.log.udtItems[shown_.lngCurItem];
    item.blnLocked = ui_.chkDisplay->isChecked();
    ShowLockState(item.blnLocked);
}

void frmMain::chkFilled_Click() {
    shown_.log.udtItems[shown_.lngCurItem].blnFilled = ui_.chkFilled->isChecked();
    StoreScrollPos();
    DrawGraph();
}

void frmMain::bColor_Click() {
    const auto chosen =
        dialogs_.GetColor(this, ToQColor(shown_.log.udtItems[shown_.lngCurItem].lngColor));
    if (!chosen) return;
    shown_.log.udtItems[shown_.lngCurItem].lngColor = FromQColor(*chosen);
    SetColorButton(shown_.log.udtItems[shown_.lngCurItem].lngColor);
    StoreScrollPos();
    DrawGraph();
}

// ---- View buttons and the sample range ----

void frmMain::bData_Click() { SelectItem(shown_.lngCurItem); }

void frmMain::bBLM_Click() { ShowTable(TableKind::Blm); }

void frmMain::bINT_Click() { ShowTable(TableKind::Int); }

void frmMain::ShowTable(TableKind kind) {
    SetViewMode(TableView(kind));
    DrawCellTable(kind);
}

void frmMain::tbFirst_LostFocus() {
    if (!ui_.tbFirst->isEnabled()) return;
    ui_.tbFirst->setText(QString::fromStdString(NormalizeFirst(shown_.firstText, shown_.lastText)));
    ApplySampleRange();
}

void frmMain::tbLast_LostFocus() {
    if (!ui_.tbLast->isEnabled()) return;
    ui_.tbLast->setText(QString::fromStdString(
        NormalizeLast(shown_.lastText, shown_.firstText, shown_.log.lngSampleCount)));
    ApplySampleRange();
}

// As typing the numbers into the range boxes and pressing Enter would.
void frmMain::ShowRange(int32_t first, int32_t last) {
    ui_.tbFirst->setText(QString::number(first));
    ui_.tbLast->setText(QString::number(last));
    tbLast_LostFocus();
}

void frmMain::ApplySampleRange() {
    if (!IsValidRange(shown_.firstText, shown_.lastText, shown_.log.lngSampleCount)) return;
    if (shown_.lngViewMode == ViewMode::Graph) StoreScrollPos();
    RedrawCurrentView();
}

// ---- Zoom, scroll and drag ----

void frmMain::ShowCaption() {
    // Concatenated: a file name may hold "%1" and the like.
    setWindowTitle(strAppTitle + " - " + shown_.strFileTitle + " (" +
                   QString::number(shown_.dblZoom * 100) + "%)");
}

void frmMain::UpdateContainerCursor() {
    // The hand shows while there is something to drag: above zoom 1.
    if (shown_.dblZoom <= kMinZoom)
        ui_.pbGraphContainer->unsetCursor();
    else
        ui_.pbGraphContainer->setCursor(blnDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void frmMain::SetZoom(double dblNewZoom) {
    StoreScrollPos();
    shown_.dblZoom = ClampZoom(dblNewZoom);
    ui_.bZoomIn->setEnabled(shown_.dblZoom < kMaxZoom);
    if (shown_.dblZoom <= kMinZoom) {
        ui_.bZoomOut->setEnabled(false);
        ui_.hsbGraph->setEnabled(false);
        DrawGraph();
    } else {
        DrawGraph();
        ui_.bZoomOut->setEnabled(true);
        ui_.hsbGraph->setEnabled(true);
        const ScrollBarSetup bar = ScrollBarFor(shown_.area.pbGraphContents.Width(),
                                                shown_.area.pbGraphContents.Left(), shown_.dblZoom);
        ui_.hsbGraph->setMaximum(bar.max);
        ui_.hsbGraph->setPageStep(bar.largeChange);
        ui_.hsbGraph->setValue(bar.value);
    }
    UpdateContainerCursor();
    ShowCaption();
}

void frmMain::bZoomIn_Click() { SetZoom(shown_.dblZoom + kZoomStep); }

void frmMain::bZoomOut_Click() { SetZoom(shown_.dblZoom - kZoomStep); }

void frmMain::hsbGraph_Change(int value) {
    shown_.area.pbGraphContents.SetLeft(LeftForScrollValue(static_cast<int16_t>(value)));
    ui_.pbGraphContents->Sync();
}

void frmMain::pbGraphContents_MouseDown(QMouseEvent* event) {
    lngDragX = RoundLong(event->globalPosition().x());
    lngDragLeft = RoundLong(shown_.area.pbGraphContents.Left());
    blnDragging = true;
    UpdateContainerCursor();
}

void frmMain::pbGraphContents_MouseMove(QMouseEvent* event) {
    if (shown_.lngViewMode == ViewMode::None || !(event->buttons() & Qt::LeftButton)) return;
    if (!blnDragging) pbGraphContents_MouseDown(event);
    const int32_t current = RoundLong(shown_.area.pbGraphContents.Left());
    const int32_t newLeft =
        DragLeft(lngDragLeft, lngDragX, RoundLong(event->globalPosition().x()),
                 shown_.area.pbGraphContainer.Width(), shown_.area.pbGraphContents.Width());
    if (newLeft != current) ScrollCanvasTo(newLeft);
}

void frmMain::ScrollCanvasTo(int32_t left) {
    shown_.area.pbGraphContents.SetLeft(left);
    ui_.pbGraphContents->Sync();
    ui_.hsbGraph->setValue(ScrollValueFor(left, static_cast<int16_t>(ui_.hsbGraph->maximum())));
}

void frmMain::pbGraphContents_MouseUp(QMouseEvent*) {
    blnDragging = false;
    UpdateContainerCursor();
}

}  // namespace grafolux
