#pragma once
// The retune view: a fuel map pasted or opened, retuned over the tables' logs under their
// filters, shown as a grid coloured by change beside the BLM and INT views. Its entries in the
// Table menu choose the factor, the cells' weighting, the minimum weight and the largest change
// (kept in the preferences file) and give the new map out through the clipboard or a file. A
// cell's tooltip gives its evidence; a double-click marks its samples on the graph.

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "settings/RetunePreferences.h"
#include "tables/FuelMap.h"
#include "tables/RetuneDrawing.h"
#include "views/ViewMode.h"

class QAction;
class QEvent;
class QMainWindow;

namespace grafolux {

class ComputedItemsController;
class Dialogs;
class GraphReadout;
class GraphView;
class PictureBox;
class TableMenu;
struct DisplayState;

class RetuneView : public QObject {
    Q_OBJECT
public:
    // Adds its entries to the Table menu.
    RetuneView(DisplayState& shown, Dialogs& dialogs, TableMenu& tables, GraphView& view,
               GraphReadout& readout, const ComputedItemsController& computed, PictureBox& canvas,
               QMainWindow& window);

    void LoadPreferences(const std::string& settingsFile);
    void EnableRetuneMenu(bool loaded);
    void ShowViewMode(ViewMode mode);

private:
    QString DrawRetune();
    std::optional<std::string> NewMapText(const QString& title, const std::string& path = {});
    QString CommandLine() const;
    void SetMap(const std::string& text, const std::string& path);
    void SetPreferences(const RetunePreferences& preferences);
    void ShowCellTip(QPoint point, QPoint globalPoint);
    void MarkCell(QPoint point);
    void mRetuneMap_Click();
    void mPasteMap_Click();
    void mOpenMap_Click();
    void mFactor_Click();
    void mCells_Click(CellWeighting weighting);
    void mMinWeight_Click();
    void mMaxChange_Click();
    void mCopyNewMap_Click();
    void mSaveNewMap_Click();

    DisplayState& shown_;
    Dialogs& dialogs_;
    TableMenu& tables_;
    GraphView& view_;
    GraphReadout& readout_;
    const ComputedItemsController& computed_;
    PictureBox& canvas_;
    QMainWindow& window_;

    RetunePreferences prefs_;
    std::string strPreferencesFile;
    std::optional<FuelMap> map_;
    std::string mapText_;                      // as pasted or read
    std::string mapPath_;                      // the file it was opened from; empty when pasted
    std::optional<RetuneResult> shownResult_;  // of the last drawing, for the tooltips
    QString strMapFileName, strNewMapFileName;

    QAction *mRetuneMap, *mPasteMap, *mOpenMap, *mFactor, *mBilinear, *mNearest, *mMinWeight,
        *mMaxChange, *mCopyNewMap, *mSaveNewMap;
};

}  // namespace grafolux
