#pragma once
// A transparent layer over the visible frame of the drawing area: cursor line, markers, the
// span band, cell marks, a Find's marks and notice, and the readout box. It lies above the canvas,
// never in it, so saved pictures hold the view alone; every mouse event goes through it to the
// canvas. Columns are canvas pixels: the layer follows the canvas when it scrolls.

#include <QWidget>
#include <optional>
#include <vector>

#include "draw/DisplayColors.h"
#include "draw/Surface.h"
#include "views/MarkedColumns.h"
#include "views/Readout.h"

namespace grafolux {

class GraphOverlay : public QWidget {
    Q_OBJECT
public:
    GraphOverlay(const Surface& canvas, const DisplayColors& colors, QWidget* frame);

    // Each call repaints only what changed.
    void SetCursor(std::optional<int> column);
    void SetReadout(std::vector<ReadoutRow> rows, QPoint mouse);  // no rows: no box
    void SetMarkers(std::optional<int> a, std::optional<int> b);
    void SetBand(std::optional<ColumnSpan> band);
    void SetCellMarks(std::vector<ColumnSpan> marks);
    // A Find's runs, in a strip along the frame's bottom edge.
    void SetFindTicks(std::vector<ColumnSpan> ticks);
    // What a Find says, at the plot's bottom left above the sample labels; empty: nothing.
    void SetNotice(const QString& notice);

    // Where the box is, in the frame; empty when there is none. For the tests.
    QRect readoutRect() const { return box_; }
    const std::vector<ReadoutRow>& readoutRows() const { return rows_; }
    const QString& notice() const { return notice_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect ColumnRect(int column) const;
    QRect SpanRect(ColumnSpan span, int top, int height) const;
    QString ShownNotice() const;
    QRect NoticeRect() const;
    void PaintReadout(QPainter& painter) const;
    int CellLeft(qsizetype cell) const;  // of the readout's cell, from the text's left

    void UpdateColumn(std::optional<int> column);

    const Surface& canvas_;
    const DisplayColors& colors_;
    std::optional<int> cursor_, markerA_, markerB_;
    std::optional<ColumnSpan> band_;
    std::vector<ColumnSpan> cellMarks_;
    std::vector<ColumnSpan> findTicks_;
    QString notice_;
    std::vector<ReadoutRow> rows_;
    std::vector<QStringList> cells_;  // the rows' cells as shown: long names cut short
    std::vector<int> columnWidths_;   // of the readout's columns, pixels
    QRect box_;
};

}  // namespace grafolux
