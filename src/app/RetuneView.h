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

#include "tables/Retune.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class GraphReadout;
class LogDocument;
class PictureBox;
struct DrawingArea;

class RetuneView : public QObject {
    Q_OBJECT
public:
    RetuneView(LogDocument& document, const DrawingArea& area, ActionRegistry& actions,
               Dialogs& dialogs, GraphReadout& readout, PictureBox& canvas, QWidget& window);

    // The retune view was drawn: what its cells say under the mouse.
    void ShowRetune(const std::optional<RetuneResult>& result);

private:
    std::optional<std::string> NewMapText(const QString& title, const std::string& path = {});
    void SetMap(const std::string& text, const std::string& path);
    void ShowCellTip(QPoint point, QPoint globalPoint);
    void MarkCell(QPoint point);
    void mPasteMap_Click();
    void mOpenMap_Click();
    void mFactor_Click();
    void SetWeighting(CellWeighting weighting);
    // The setting typed in a dialog titled `title`.
    void AskSetting(const QString& title, const QString& label, double RetuneSettings::*setting);
    void mMinWeight_Click();
    void mMaxChange_Click();
    void mCopyNewMap_Click();
    void mSaveNewMap_Click();

    LogDocument& document_;
    const DrawingArea& area_;
    Dialogs& dialogs_;
    GraphReadout& readout_;
    PictureBox& canvas_;
    QWidget& window_;
    std::optional<RetuneResult> shownResult_;  // of the last drawing, for the tooltips
    QString strMapFileName, strNewMapFileName;
};

}  // namespace grafolux
