#pragma once
// Reading values off the graph: a cursor line with a readout of the items under it, markers A
// and B, a span chosen with Shift + drag, the samples of a cell shaded on the graph (shown from
// the first run; N / Shift+N bring the next and the previous one into the middle of the view),
// and the canvas' menu. What it keeps is in sample numbers, so that it survives zoom, scroll
// and redraws; it is drawn on an overlay, never into the views.

#include <QObject>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "graph/Markers.h"
#include "graph/SampleAxis.h"
#include "tables/CellSamples.h"
#include "views/FoundRuns.h"
#include "views/Readout.h"

class QContextMenuEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QWidget;

namespace grafolux {

class ActionRegistry;
class GraphOverlay;
class LogDocument;
class LogLoading;
class PictureBox;
struct DisplayColors;
struct DrawingArea;
struct FormControls;

class GraphReadout : public QObject {
    Q_OBJECT
public:
    GraphReadout(LogDocument& document, const DrawingArea& area, const DisplayColors& colors,
                 const FormControls& controls, ActionRegistry& actions, const LogLoading& loading,
                 QWidget& window);

    // After each drawing of a view; a table view has no axis.
    void ShowReadout(const std::optional<SampleAxis>& axis);
    // The canvas was scrolled.
    void FollowCanvas();
    // A Find's runs, marked along the graph and counted in the readout (none: no Find), and
    // what it says over the canvas (empty: nothing).
    void ShowFind(std::shared_ptr<const FoundRuns> found, const QString& notice);
    // The run of `marks` from `start` (within the graph's range) in the middle of the view, the
    // cursor at its start.
    void ShowRun(const SampleMarks& marks, int32_t start);
    // Samples to mark on the graph, found again at each drawing for its range (first, last)
    // and named in the readout: a cell's of a table or of the retune view.
    using CellMarker = std::function<SampleMarks(int32_t first, int32_t last)>;
    // Marks them and shows the graph at their first run, or centred on the marked sample
    // `centre`.
    void MarkOnGraph(const QString& name, CellMarker marker,
                     std::optional<int32_t> centre = std::nullopt);
    // The sample under the cursor line while it shows.
    std::optional<int32_t> cursor() const { return cursor_; }
    const Markers& markers() const { return markers_; }

signals:
    void ScrollWanted(int32_t left);  // the canvas' left, to show the cursor
    void DragInterrupted();           // the menu took the release of the button
    void RangeChosen(int32_t first, int32_t last);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A new log: nothing of the old one is pointed at any more.
    void ForgetLog();
    bool ReadoutEvent(QEvent* event);  // an event of the canvas; true when it is taken
    bool Canvas_MouseMove(QMouseEvent* event);
    bool Canvas_MousePress(QMouseEvent* event);
    bool Canvas_MouseRelease(QMouseEvent* event);
    bool Canvas_KeyPress(QKeyEvent* event);
    bool Canvas_ContextMenu(QContextMenuEvent* event);
    void Canvas_Leave();
    int32_t SampleAt(QPointF canvasPoint) const;
    std::optional<int32_t> HereSample() const;
    std::optional<int32_t> CursorInNewView() const;
    void ShowCursor(std::optional<int32_t> sample);
    std::vector<ReadoutRow> ReadoutAt(int32_t sample, bool exact = false) const;
    void RefreshReadout();
    void MoveCursorTo(int32_t sample);
    void PlaceCursor(int32_t sample, int32_t left);
    void ShowMarks();
    void SetMarkerHere(std::optional<int32_t>& marker);
    void mClearMarkers_Click();
    void mShowMarkedSamples_Click();
    void mShowAllSamples_Click();
    void mCopyValues_Click();
    void mNextOccurrence_Click();
    void mPreviousOccurrence_Click();
    void mClearCellMarks_Click();

    LogDocument& document_;
    const DrawingArea& area_;
    const DisplayColors& colors_;
    ActionRegistry& actions_;
    const LogLoading& loading_;
    QWidget* pbGraphContainer;
    PictureBox* pbGraphContents;

    std::optional<SampleAxis> axis_;     // of the graph shown; none in a table view
    std::optional<int32_t> cursor_;      // the sample under the cursor line while it shows
    bool cursorByKeys_ = false;          // the keys placed it, not the mouse
    std::optional<QPoint> mouse_;        // over the canvas, in pixels of the visible frame
    std::optional<int32_t> menuSample_;  // where the context menu was opened
    Markers markers_;
    std::optional<std::pair<int32_t, int32_t>> span_;  // Shift-drag: from, to
    struct MarkedCell {
        QString name;
        CellMarker marker;
        SampleMarks marks;  // over the graph's range
    };
    std::optional<MarkedCell> marked_;
    std::shared_ptr<const FoundRuns> found_;
    QString findNotice_;

    GraphOverlay* overlay_;
    QMenu* menu_;
};

}  // namespace grafolux
