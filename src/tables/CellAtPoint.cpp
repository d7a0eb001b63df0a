#include "tables/CellAtPoint.h"

#include <cmath>

#include "draw/DrawingArea.h"
#include "tables/CellTableDrawing.h"

namespace grafolux {

std::optional<CellAddress> CellAtPoint(const Surface& canvas, QPoint pixel) {
    const double H = canvas.Height() - kBottomStrip, Wc = canvas.Width();
    const double x = pixel.x() * double{kTwipsPerPixel}, y = pixel.y() * double{kTwipsPerPixel};
    // Row k spans H - h k .. H - h (k - 1), column m w (m - 1) .. w m, less the offset.
    const double row = std::ceil((H - y) / (H / kTableRows));
    const double column = std::floor((x + kColumnOffset) / (Wc / kTableColumns)) + 1;
    if (!(row >= 1 && row <= kTableRows && column >= 1 && column <= kTableColumns))
        return std::nullopt;
    return CellAddress{static_cast<int>(row), static_cast<int>(column)};
}

}  // namespace grafolux
