#pragma once
// The scatter plot and the histogram: the View menu's entries that choose them, the scatter's
// items and the histogram's bins (kept in the preferences file), their numbers and commands out
// through the clipboard, and over the scatter plot a tooltip of X, Y and the samples in the pixel
// under the mouse and a double-click that marks that pixel's samples on the graph.

#include <QObject>
#include <memory>
#include <optional>

#include "plots/ScatterDrawing.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class GraphReadout;
class LogDocument;
class PictureBox;
struct DrawingArea;

class PlotView : public QObject {
    Q_OBJECT
public:
    PlotView(LogDocument& document, const DrawingArea& area, ActionRegistry& actions,
             Dialogs& dialogs, GraphReadout& readout, PictureBox& canvas, QWidget& window);

    // The scatter plot was drawn: its pixels, none when it shows no point.
    void ShowScatter(std::shared_ptr<const ScatterGrids> grids);

private:
    void mScatterPlot_Click();
    void mHistogramBins_Click();
    void mCopyTable_Click();
    void mCopyCommand_Click();
    // The point lies on the last drawing's plot.
    bool OnPlot(QPoint point) const;
    void ShowPixelTip(QPoint point, QPoint globalPoint);
    void MarkPixel(QPoint point);

    LogDocument& document_;
    const DrawingArea& area_;
    Dialogs& dialogs_;
    GraphReadout& readout_;
    PictureBox& canvas_;
    QWidget& window_;
    std::shared_ptr<const ScatterGrids> shownGrids_;  // of the last drawing, for the mouse
};

}  // namespace grafolux
