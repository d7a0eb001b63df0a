#include "views/Readout.h"

#include <QRect>
#include <algorithm>
#include <limits>

#include "draw/DisplayText.h"
#include "draw/NumberFormat.h"
#include "graph/GraphDrawing.h"
#include "logdata/TextFields.h"
#include "tables/CellColours.h"

namespace grafolux {

namespace {

constexpr int kBoxMargin = 4;    // pixels between the box and the frame's edge
constexpr int kMouseReach = 24;  // the box moves aside when the mouse comes this near
constexpr double kReadableContrast = 4.5;
// A logged value rarely has more; a computed one would show the noise of its arithmetic.
constexpr int kShownDigits = 10;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

QString Number(int64_t n) { return QString::number(n); }

}  // namespace

std::vector<ReadoutRow> ReadoutRows(const LogData& log, const ReadoutRequest& request,
                                    const DisplayColors& colors) {
    // References, not a structured binding: clang 14 cannot capture one in the lambda below.
    const std::optional<int32_t>& a = request.markers.a;
    const std::optional<int32_t>& b = request.markers.b;
    const LogData* versus = request.versus;
    const int64_t sampleB = int64_t{request.sample} - request.offset;
    const bool inB = versus && sampleB >= 1 && sampleB <= versus->lngSampleCount;
    std::vector<ReadoutRow> rows;
    if (a || b || versus) {
        ReadoutRow heading{colors.lngTextColor, {"", versus ? "Log A" : "Cursor"}};
        if (versus) heading.cells << "Log B" << QString::fromUtf8("Log B \u2212 A");
        if (a) heading.cells << "A";
        if (b) heading.cells << "B";
        if (a && b) heading.cells << QString::fromUtf8("B \u2212 A");
        rows.push_back(heading);
    }
    ReadoutRow sample{colors.lngTextColor, {"Sample", Number(request.sample)}};
    if (versus)
        sample.cells << (inB ? Number(sampleB) : FormatGeneral(kMissing))
                     << Number(sampleB - request.sample);
    if (a) sample.cells << Number(*a);
    if (b) sample.cells << Number(*b);
    if (a && b) sample.cells << Number(int64_t{*b} - *a);
    rows.push_back(sample);

    const auto number = [exact = request.exact](double value) {
        return exact && value == value ? QString::fromStdString(ShortestText(value))
                                       : FormatGeneral(value, kShownDigits);
    };
    const auto itemRow = [&](int32_t k, Colour colour) {
        ReadoutRow row{colour, {DisplayText(log.udtItems[static_cast<size_t>(k)].strName)}};
        row.item = true;
        const double value = log.sample(k, request.sample);
        row.cells << number(value);
        if (versus) {
            const int32_t itemB = versus->itemNamed(log.udtItems[static_cast<size_t>(k)].strName);
            const double valueB =
                inB && itemB != 0 ? versus->sample(itemB, static_cast<int32_t>(sampleB)) : kMissing;
            row.cells << number(valueB) << number(Difference(value, valueB));
        }
        if (a) row.cells << number(log.sample(k, *a));
        if (b) row.cells << number(log.sample(k, *b));
        if (a && b) row.cells << number(Difference(log.sample(k, *a), log.sample(k, *b)));
        rows.push_back(row);
    };
    itemRow(request.item, kCurrentCurveColor);
    for (int32_t k = 1; k <= log.lngItemCount; ++k)
        if (k != request.item && log.udtItems[static_cast<size_t>(k)].blnLocked)
            itemRow(k, log.udtItems[static_cast<size_t>(k)].colour);

    if (!request.cell.isEmpty())
        rows.push_back({colors.lngCellMarkColor, {"Cell", request.cell}, true});
    if (!request.find.isEmpty())
        rows.push_back({colors.lngFindMarkColor, {"Find", request.find}, true});
    return rows;
}

Colour ReadoutTextColour(Colour colour, Colour background) {
    return ContrastRatio(colour, background) >= kReadableContrast ? colour
                                                                  : ReadableTextOn(background);
}

QString ReadoutText(const std::vector<ReadoutRow>& rows) {
    QString text;
    for (const ReadoutRow& row : rows) text += row.cells.join('\t') + '\n';
    return text;
}

QPoint ReadoutBoxPlace(QSize box, QSize frame, QPoint mouse) {
    const QPoint corners[] = {
        {kBoxMargin, kBoxMargin},
        {frame.width() - box.width() - kBoxMargin, kBoxMargin},
        {kBoxMargin, frame.height() - box.height() - kBoxMargin},
    };
    for (const QPoint& corner : corners)
        if (!QRect(corner, box)
                 .adjusted(-kMouseReach, -kMouseReach, kMouseReach, kMouseReach)
                 .contains(mouse))
            return {std::max(corner.x(), 0), std::max(corner.y(), 0)};
    return corners[0];
}

}  // namespace grafolux
