#include "app/ItemPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/Dialogs.h"
#include "app/FormControls.h"
#include "app/LogDocument.h"
#include "draw/DisplayText.h"

namespace grafolux {

ItemPanel::ItemPanel(LogDocument& document, const FormControls& c, Dialogs& dialogs,
                     QWidget& window)
    : QObject(&window),
      document_(document),
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
    connect(&document, &LogDocument::LogShown, this, &ItemPanel::ListItems);
    connect(&document, &LogDocument::DefinitionsChanged, this, [this] {
        if (document_.loaded()) ListItems();
    });
    connect(&document, &LogDocument::CurrentItemChanged, cbLabels,
            [this](int32_t item) { cbLabels->setCurrentIndex(item - 1); });
    connect(&document, &LogDocument::ItemLockChanged, this,
            [this](int32_t, bool locked) { ShowLockState(locked); });
}

void ItemPanel::ListItems() {
    const LogData& log = document_.log();
    cbLabels->clear();
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        const ItemInfo& item = log.udtItems[k];
        cbLabels->addItem(DisplayText(item.strName));
        if (item.blnLocked) cbLabels->setItemIcon(k - 1, icons_.LockedItem());
    }
    cbLabels->setCurrentIndex(document_.currentItem() - 1);
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
    cbLabels->setItemIcon(document_.currentItem() - 1, locked ? icons_.LockedItem() : QIcon());
    for (QWidget* control :
         std::initializer_list<QWidget*>{chkFilled, lblColor1, lblColor2, bColor})
        control->setEnabled(locked);
}

void ItemPanel::cbLabels_Click(int index) { document_.SetCurrentItem(index + 1); }

void ItemPanel::bNext_Click() {
    const int32_t item = document_.currentItem();
    document_.SetCurrentItem(item + 1 > document_.log().lngItemCount ? 1 : item + 1);
}

void ItemPanel::bPrev_Click() {
    const int32_t item = document_.currentItem();
    document_.SetCurrentItem(item - 1 < 1 ? document_.log().lngItemCount : item - 1);
}

void ItemPanel::chkDisplay_Click() {
    document_.SetLocked(document_.currentItem(), chkDisplay->isChecked());
}

void ItemPanel::chkFilled_Click() {
    document_.SetFilled(document_.currentItem(), chkFilled->isChecked());
}

void ItemPanel::bColor_Click() {
    const int32_t item = document_.currentItem();
    const auto chosen =
        dialogs_.GetColor(&window_, ToQColor(document_.log().udtItems[item].colour));
    if (!chosen) return;
    SetColorButton(FromQColor(*chosen));
    document_.SetItemColour(item, FromQColor(*chosen));
}

}  // namespace grafolux
