#include "app/GraphOverlay.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace grafolux {

namespace {

constexpr int kPadding = 4;     // pixels around the readout's text
constexpr int kColumnGap = 10;  // between the readout's columns
constexpr int kTickHeight = 4;  // cell marks along the bottom edge
constexpr int kBoxAlpha = 208;  // the box darkens what lies under it
constexpr int kBandAlpha = 96;  // the span band lets the curves show through

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
    if (!rows.empty()) {
        const QFontMetrics metrics(font());
        // Words at the end of a row run on: they widen the box, not their column.
        columnWidths_.clear();
        for (const ReadoutRow& row : rows)
            for (qsizetype i = 0; i < row.cells.size() - (row.text ? 1 : 0); ++i) {
                if (columnWidths_.size() <= static_cast<size_t>(i)) columnWidths_.push_back(0);
                int& width = columnWidths_[static_cast<size_t>(i)];
                width = std::max(width, metrics.horizontalAdvance(row.cells[i]));
            }
        int width = 0;
        for (const ReadoutRow& row : rows) {
            const qsizetype last = row.cells.size() - 1;
            width = std::max(width,
                             CellLeft(last) + (row.text ? metrics.horizontalAdvance(row.cells[last])
                                                        : columnWidths_[last]));
        }
        const QSize size(width + 2 * kPadding,
                         2 * kPadding + metrics.height() * static_cast<int>(rows.size()));
        box = QRect(ReadoutBoxPlace(size, this->size(), mouse), size);
    }
    if (rows == rows_ && box == box_) return;
    update(box_);
    update(box);
    rows_ = std::move(rows);
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

void GraphOverlay::SetTicks(std::vector<ColumnSpan> ticks) {
    if (ticks == ticks_) return;
    ticks_ = std::move(ticks);
    update(0, height() - kTickHeight, width(), kTickHeight);
}

void GraphOverlay::SetFindTicks(std::vector<ColumnSpan> ticks) {
    if (ticks == findTicks_) return;
    findTicks_ = std::move(ticks);
    update(0, height() - 2 * kTickHeight, width(), kTickHeight);
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
    return QRect(QPoint(kPadding, height() - 2 * kTickHeight - kPadding - size.height()), size);
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
    for (const ColumnSpan& tick : ticks_)
        painter.fillRect(SpanRect(tick, height() - kTickHeight, kTickHeight),
                         ToQColor(colors_.lngCellMarkColor));
    for (const ColumnSpan& tick : findTicks_)
        painter.fillRect(SpanRect(tick, height() - 2 * kTickHeight, kTickHeight),
                         ToQColor(colors_.lngFindMarkColor));
    const std::pair<std::optional<int>, Colour> lines[] = {{markerA_, colors_.lngMarkerAColor},
                                                           {markerB_, colors_.lngMarkerBColor},
                                                           {cursor_, colors_.lngCursorColor}};
    for (const auto& [column, colour] : lines)
        if (column) painter.fillRect(ColumnRect(*column), ToQColor(colour));
    if (!notice_.isEmpty() && event->rect().intersects(NoticeRect())) {
        const QRect notice = NoticeRect();
        painter.fillRect(notice, QColor(0, 0, 0, kBoxAlpha));
        painter.setPen(ToQColor(colors_.lngFindMarkColor));
        painter.drawText(notice.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                         Qt::AlignLeft | Qt::AlignVCenter, ShownNotice());
    }
    if (!rows_.empty() && event->rect().intersects(box_)) PaintReadout(painter);
}

void GraphOverlay::PaintReadout(QPainter& painter) const {
    painter.fillRect(box_, QColor(0, 0, 0, kBoxAlpha));
    painter.setPen(ToQColor(colors_.lngGridColor));
    painter.drawRect(box_.adjusted(0, 0, -1, -1));
    const QFontMetrics metrics(font());
    int y = box_.top() + kPadding + metrics.ascent();
    for (const ReadoutRow& row : rows_) {
        painter.setPen(ToQColor(row.colour));
        for (qsizetype i = 0; i < row.cells.size(); ++i) {
            // Names and words from the left, numbers to the right of their columns.
            const bool words = i == 0 || (row.text && i == row.cells.size() - 1);
            const int shift = words ? 0
                                    : columnWidths_[static_cast<size_t>(i)] -
                                          metrics.horizontalAdvance(row.cells[i]);
            painter.drawText(box_.left() + kPadding + CellLeft(i) + shift, y, row.cells[i]);
        }
        y += metrics.height();
    }
}

}  // namespace grafolux
