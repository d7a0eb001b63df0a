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
class LogDocument;
struct FormControls;

class ItemPanel : public QObject {
    Q_OBJECT
public:
    ItemPanel(LogDocument& document, const FormControls& controls, Dialogs& dialogs,
              QWidget& window);

    // What the graph drew of the current item.
    void ShowGraph(const GraphResult& result);
    void SetColorButton(Colour colour);

private:
    // The log's items, the current one chosen.
    void ListItems();
    void ShowItemPanel(Colour back, bool filled, bool locked);
    void ShowLockState(bool locked);
    void cbLabels_Click(int index);
    void bNext_Click();
    void bPrev_Click();
    void chkDisplay_Click();
    void chkFilled_Click();
    void bColor_Click();

    LogDocument& document_;
    Dialogs& dialogs_;
    QWidget& window_;
    WindowIcons icons_;
    QComboBox* cbLabels;
    QLabel *lblMin, *lblMax, *lblColor1, *lblColor2;
    QCheckBox *chkDisplay, *chkFilled;
    QPushButton *bColor, *bPrev, *bNext;
};

}  // namespace grafolux
