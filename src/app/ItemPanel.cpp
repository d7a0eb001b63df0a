#include "app/ItemPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/Dialogs.h"
#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "draw/DisplayText.h"

namespace grafolux {

ItemPanel::ItemPanel(DisplayState& shown, const FormControls& c, Dialogs& dialogs, QWidget& window)
    : QObject(&window),
      shown_(shown),
      dialogs_(dialogs),
      window_(window),
      cbLabels(c.cbLabels),
      lblMin(c.lblMin),
      lblMax(c.lblMax),
      lblColor1(c.lblColor1),
      lblColor2(c.lblColor2),
      chkDisplay(c.chkDisplay),
      chkFilled(c.chkFilled),
      bColor(c.bColor),
      bPrev(c.bPrev),
      bNext(c.bNext) {
    connect(cbLabels, &QComboBox::activated, this, &ItemPanel::cbLabels_Click);
    connect(bNext, &QPushButton::clicked, this, &ItemPanel::bNext_Click);
    connect(bPrev, &QPushButton::clicked, this, &ItemPanel::bPrev_Click);
    connect(chkDisplay, &QCheckBox::clicked, this, &ItemPanel::chkDisplay_Click);
    connect(chkFilled, &QCheckBox::clicked, this, &ItemPanel::chkFilled_Click);
    connect(bColor, &QPushButton::clicked, this, &ItemPanel::bColor_Click);
}

void ItemPanel::ShowItems() {
    ListItems();
    shown_.lngCurItem = 1;
}

void ItemPanel::ShowItemsAgain() {
    ListItems();
    cbLabels->setCurrentIndex(shown_.lngCurItem - 1);
}

void ItemPanel::ListItems() {
    cbLabels->clear();
    for (int32_t k = 1; k <= shown_.log.lngItemCount; ++k) {
        const ItemInfo& item = shown_.log.udtItems[k];
        cbLabels->addItem(DisplayText(item.strName));
        if (item.blnLocked) cbLabels->setItemIcon(k - 1, icons_.LockedItem());
    }
}

void ItemPanel::ShowGraph(const GraphResult& result) {
    lblMin->setText(result.lowText);
    lblMax->setText(result.highText);
    ShowItemPanel(result.itemColour, result.filled, result.locked);
}

void ItemPanel::SetColorButton(Colour colour) {
    QPalette palette = bColor->palette();
    palette.setColor(QPalette::Button, ToQColor(colour));
    bColor->setPalette(palette);
}

// The panel mirrors the current item: its colour, its fill and lock, and the colour and fill
// controls usable only for a locked item.
void ItemPanel::ShowItemPanel(Colour back, bool filled, bool locked) {
    SetColorButton(back);
    chkFilled->setChecked(filled);
    chkDisplay->setChecked(locked);
    ShowLockState(locked);
}

void ItemPanel::ShowLockState(bool locked) {
    cbLabels->setItemIcon(shown_.lngCurItem - 1, locked ? icons_.LockedItem() : QIcon());
    for (QWidget* control :
         std::initializer_list<QWidget*>{chkFilled, lblColor1, lblColor2, bColor})
        control->setEnabled(locked);
}

void ItemPanel::SelectItem(int32_t item) {
    shown_.lngCurItem = item;
    cbLabels->setCurrentIndex(item - 1);
    emit ItemChanged();
}

void ItemPanel::cbLabels_Click(int index) {
    shown_.lngCurItem = index + 1;
    emit ItemChanged();
}

void ItemPanel::bNext_Click() {
    SelectItem(shown_.lngCurItem + 1 > shown_.log.lngItemCount ? 1 : shown_.lngCurItem + 1);
}

void ItemPanel::bPrev_Click() {
    SelectItem(shown_.lngCurItem - 1 < 1 ? shown_.log.lngItemCount : shown_.lngCurItem - 1);
}

void ItemPanel::chkDisplay_Click() {
    ItemInfo& item = shown_.log.udtItems[shown_.lngCurItem];
    item.blnLocked = chkDisplay->isChecked();
    ShowLockState(item.blnLocked);
}

void ItemPanel::chkFilled_Click() {
    shown_.log.udtItems[shown_.lngCurItem].blnFilled = chkFilled->isChecked();
    emit ItemChanged();
}

void ItemPanel::bColor_Click() {
    ItemInfo& item = shown_.log.udtItems[shown_.lngCurItem];
    const auto chosen = dialogs_.GetColor(&window_, ToQColor(item.colour));
    if (!chosen) return;
    item.colour = FromQColor(*chosen);
    SetColorButton(item.colour);
    emit ItemChanged();
}

}  // namespace grafolux
