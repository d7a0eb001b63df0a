#include "app/GraphOverlay.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "draw/DrawingArea.h"

namespace grafolux {

namespace {

constexpr int kPadding = 4;      // pixels around the readout's text
constexpr int kColumnGap = 10;   // between the readout's columns
constexpr int kSwatchGap = 4;    // between a row's swatch and its text
constexpr int kNameWidth = 160;  // longer item names are cut short: the values stay in the box
constexpr int kBandAlpha = 96;   // the span band lets the curves show through
constexpr int kShadeAlpha = 64;  // a cell's samples shaded over the whole height
constexpr int kMarkStrip = 6;    // and a solid strip along the top edge, for single columns
constexpr int kTickHeight = 4;   // a Find's runs along the bottom edge

// The side of an item's colour swatch, about a capital letter's height.
int SwatchSide(const QFontMetrics& metrics) { return std::max(metrics.ascent() - 2, 4); }

}  // namespace

GraphOverlay::GraphOverlay(const Surface& canvas, const DisplayColors& colors, QWidget* frame)
    : QWidget(frame), canvas_(canvas), colors_(colors) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

QRect GraphOverlay::ColumnRect(int column) const {
    return QRect(column + canvas_.leftPx(), 0, 1, height());
}

QRect GraphOverlay::SpanRect(ColumnSpan span, int top, int spanHeight) const {
    return QRect(span.first + canvas_.leftPx(), top, span.last - span.first + 1, spanHeight);
}

void GraphOverlay::UpdateColumn(std::optional<int> column) {
    if (column) update(ColumnRect(*column));
}

void GraphOverlay::SetCursor(std::optional<int> column) {
    if (column == cursor_) return;
    UpdateColumn(cursor_);
    cursor_ = column;
    UpdateColumn(cursor_);
}

int GraphOverlay::CellLeft(qsizetype cell) const {
    int x = 0;
    for (qsizetype i = 0; i < cell && i < std::ssize(columnWidths_); ++i)
        x += columnWidths_[static_cast<size_t>(i)] + kColumnGap;
    return x;
}

void GraphOverlay::SetReadout(std::vector<ReadoutRow> rows, QPoint mouse) {
    QRect box;
    std::vector<QStringList> cells;
    if (!rows.empty()) {
        const QFontMetrics metrics(font());
        for (const ReadoutRow& row : rows) {
            cells.push_back(row.cells);
            if (row.item)
                cells.back()[0] = metrics.elidedText(row.cells[0], Qt::ElideRight, kNameWidth);
        }
        // Words at the end of a row run on: they widen the box, not their column.
        columnWidths_.clear();
        for (size_t r = 0; r < rows.size(); ++r)
            for (qsizetype i = 0; i < cells[r].size() - (rows[r].text ? 1 : 0); ++i) {
                if (columnWidths_.size() <= static_cast<size_t>(i)) columnWidths_.push_back(0);
                int& width = columnWidths_[static_cast<size_t>(i)];
                width = std::max(width, metrics.horizontalAdvance(cells[r][i]));
            }
        int width = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            const qsizetype last = cells[r].size() - 1;
            width = std::max(
                width, CellLeft(last) + (rows[r].text ? metrics.horizontalAdvance(cells[r][last])
                                                      : columnWidths_[last]));
        }
        const QSize size(width + SwatchSide(metrics) + kSwatchGap + 2 * kPadding,
                         2 * kPadding + metrics.height() * static_cast<int>(rows.size()));
        box = QRect(ReadoutBoxPlace(size, this->size(), mouse), size);
    }
    if (rows == rows_ && box == box_) return;
    update(box_);
    update(box);
    rows_ = std::move(rows);
    cells_ = std::move(cells);
    box_ = box;
}

void GraphOverlay::SetMarkers(std::optional<int> a, std::optional<int> b) {
    for (std::optional<int>* marker : {&markerA_, &markerB_}) UpdateColumn(*marker);
    markerA_ = a;
    markerB_ = b;
    for (std::optional<int>* marker : {&markerA_, &markerB_}) UpdateColumn(*marker);
}

void GraphOverlay::SetBand(std::optional<ColumnSpan> band) {
    if (band == band_) return;
    if (band_) update(SpanRect(*band_, 0, height()));
    band_ = band;
    if (band_) update(SpanRect(*band_, 0, height()));
}

void GraphOverlay::SetCellMarks(std::vector<ColumnSpan> marks) {
    if (marks == cellMarks_) return;
    cellMarks_ = std::move(marks);
    update();
}

void GraphOverlay::SetFindTicks(std::vector<ColumnSpan> ticks) {
    if (ticks == findTicks_) return;
    findTicks_ = std::move(ticks);
    update(0, height() - kTickHeight, width(), kTickHeight);
}

QString GraphOverlay::ShownNotice() const {
    // A long condition is cut to the frame's width.
    return QFontMetrics(font()).elidedText(notice_, Qt::ElideRight,
                                           std::max(width() - 4 * kPadding, 0));
}

QRect GraphOverlay::NoticeRect() const {
    if (notice_.isEmpty()) return {};
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(ShownNotice()) + 2 * kPadding,
                     metrics.height() + 2 * kPadding);
    // Above the strip of the sample axis' labels, over the plot's bottom left.
    const int plotBottom = height() - TwipsToPixels(kBottomStrip);
    return QRect(QPoint(kPadding, plotBottom - kPadding - size.height()), size);
}

void GraphOverlay::SetNotice(const QString& notice) {
    if (notice == notice_) return;
    update(NoticeRect());
    notice_ = notice;
    update(NoticeRect());
}

void GraphOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    if (band_) {
        QColor colour = ToQColor(colors_.lngSpanColor);
        colour.setAlpha(kBandAlpha);
        painter.fillRect(SpanRect(*band_, 0, height()), colour);
    }
    QColor shade = ToQColor(colors_.lngCellMarkColor);
    shade.setAlpha(kShadeAlpha);
    for (const ColumnSpan& mark : cellMarks_) {
        painter.fillRect(SpanRect(mark, 0, height()), shade);
        painter.fillRect(SpanRect(mark, 0, kMarkStrip), ToQColor(colors_.lngCellMarkColor));
    }
    for (const ColumnSpan& tick : findTicks_)
        painter.fillRect(SpanRect(tick, height() - kTickHeight, kTickHeight),
                         ToQColor(colors_.lngFindMarkColor));
    const std::pair<std::optional<int>, Colour> lines[] = {{markerA_, colors_.lngMarkerAColor},
                                                           {markerB_, colors_.lngMarkerBColor},
                                                           {cursor_, colors_.lngCursorColor}};
    for (const auto& [column, colour] : lines)
        if (column) painter.fillRect(ColumnRect(*column), ToQColor(colour));
    if (!notice_.isEmpty() && event->rect().intersects(NoticeRect())) {
        const QRect notice = NoticeRect();
        painter.fillRect(notice, ToQColor(colors_.lngBackColor));  // opaque, as the readout
        painter.setPen(ToQColor(colors_.lngFindMarkColor));
        painter.drawText(notice.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                         Qt::AlignLeft | Qt::AlignVCenter, ShownNotice());
    }
    if (!rows_.empty() && event->rect().intersects(box_)) PaintReadout(painter);
}

// On the canvas' own background, opaque, so that no curve runs through the text. An item's
// colour shows as it is in its swatch; its text takes it only where it reads well.
void GraphOverlay::PaintReadout(QPainter& painter) const {
    const QColor grid = ToQColor(colors_.lngGridColor);
    painter.fillRect(box_, ToQColor(colors_.lngBackColor));
    painter.setPen(grid);
    painter.drawRect(box_.adjusted(0, 0, -1, -1));
    const QFontMetrics metrics(font());
    const int side = SwatchSide(metrics);
    const int textLeft = box_.left() + kPadding + side + kSwatchGap;
    int y = box_.top() + kPadding + metrics.ascent();
    for (size_t r = 0; r < rows_.size(); ++r) {
        const ReadoutRow& row = rows_[r];
        const QStringList& cells = cells_[r];
        if (row.item) {
            const QRect swatch(box_.left() + kPadding, y - metrics.ascent() + 1, side, side);
            painter.fillRect(swatch, ToQColor(row.colour));
            painter.setPen(grid);  // a dark colour's swatch still shows its edge
            painter.drawRect(swatch.adjusted(-1, -1, 0, 0));
        }
        painter.setPen(ToQColor(ReadoutTextColour(row.colour, colors_.lngBackColor)));
        for (qsizetype i = 0; i < cells.size(); ++i) {
            // Names and words from the left, numbers to the right of their columns.
            const bool words = i == 0 || (row.text && i == cells.size() - 1);
            const int shift =
                words ? 0
                      : columnWidths_[static_cast<size_t>(i)] - metrics.horizontalAdvance(cells[i]);
            painter.drawText(textLeft + CellLeft(i) + shift, y, cells[i]);
        }
        y += metrics.height();
    }
}

}  // namespace grafolux
