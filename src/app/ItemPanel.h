#pragma once
// The current item's panel: the item list with Previous and Next, its value range on the
// graph, and its lock, fill and colour, which change the graph.

#include <QObject>
#include <cstdint>

#include "app/Icons.h"
#include "graph/GraphDrawing.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace grafolux {

class Dialogs;
struct DisplayState;
struct FormControls;

class ItemPanel : public QObject {
    Q_OBJECT
public:
    ItemPanel(DisplayState& shown, const FormControls& controls, Dialogs& dialogs, QWidget& window);

    // A new log: its items listed, the first one current.
    void ShowItems();
    // The log's items changed (computed items came or went): listed again, the current item as
    // the display state holds it.
    void ShowItemsAgain();
    // What the graph drew of the current item.
    void ShowGraph(const GraphResult& result);
    void SetColorButton(Colour colour);

signals:
    // The graph is to show another item, or the current one in another look.
    void ItemChanged();

private:
    void ListItems();
    void ShowItemPanel(Colour back, bool filled, bool locked);
    void ShowLockState(bool locked);
    void SelectItem(int32_t item);
    void cbLabels_Click(int index);
    void bNext_Click();
    void bPrev_Click();
    void chkDisplay_Click();
    void chkFilled_Click();
    void bColor_Click();

    DisplayState& shown_;
    Dialogs& dialogs_;
    QWidget& window_;
    WindowIcons icons_;
    QComboBox* cbLabels;
    QLabel *lblMin, *lblMax, *lblColor1, *lblColor2;
    QCheckBox *chkDisplay, *chkFilled;
    QPushButton *bColor, *bPrev, *bNext;
};

}  // namespace grafolux
