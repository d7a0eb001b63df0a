#include "graph/ZoomMath.h"

#include <algorithm>

#include "draw/Surface.h"
#include "logdata/Rounding.h"

namespace grafolux {

namespace {

constexpr int64_t kDragTwipsPerPixel = 15;  // a drag moves by screen pixels of 15 twips

// A canvas Left in pixels, kept where the canvas covers the frame, as twips.
int32_t CoveringLeft(int64_t left, double containerWidth, double contentsWidth) {
    left = std::min<int64_t>(std::max<int64_t>(left, TwipsToPixels(containerWidth - contentsWidth)),
                             0);
    return RoundLong(static_cast<double>(left * kTwipsPerPixel));
}

}  // namespace

double ClampZoom(double zoom) {
    if (zoom >= kMaxZoom) return kMaxZoom;
    if (!(zoom > kMinZoom)) return kMinZoom;  // NaN too
    return zoom;
}

int32_t ScrollPosFromLeft(double contentsLeft, double zoom) {
    return RoundLong(contentsLeft / ClampZoom(zoom));
}

ScrollBarSetup ScrollBarFor(double contentsWidth, double contentsLeft, double zoom) {
    ScrollBarSetup bar;
    zoom = ClampZoom(zoom);
    if (zoom == kMinZoom) return bar;  // nothing to scroll, and no page to divide by
    const double t = (contentsWidth - contentsWidth / zoom) / kTwipsPerScrollUnit;
    bar.max = std::max<int16_t>(RoundInteger(t), 0);
    bar.largeChange = std::max<int16_t>(RoundInteger(t / (zoom - 1)), 1);
    bar.value = ScrollValueFor(contentsLeft, bar.max);
    return bar;
}

int16_t ScrollValueFor(double contentsLeft, int16_t max) {
    return std::clamp<int16_t>(RoundInteger(-contentsLeft / kTwipsPerScrollUnit), 0,
                               std::max<int16_t>(max, 0));
}

int32_t LeftForScrollValue(int16_t value) { return -kTwipsPerScrollUnit * int32_t{value}; }

int32_t DragLeft(int32_t dragLeft, int32_t dragX, int32_t x, double containerWidth,
                 double contentsWidth) {
    // In 64 bits, then clamped: a far move cannot overflow.
    const int64_t moved = int64_t{dragLeft} + (int64_t{x} - dragX) * kDragTwipsPerPixel;
    int32_t newLeft = RoundLong(static_cast<double>(std::min<int64_t>(moved, 0)));
    const double leftmost = containerWidth - contentsWidth;
    if (leftmost > newLeft) newLeft = RoundLong(leftmost);
    return newLeft;
}

int32_t LeftShowingColumn(int column, double contentsLeft, double containerWidth,
                          double contentsWidth) {
    const int64_t left = TwipsToPixels(contentsLeft), frame = TwipsToPixels(containerWidth);
    int64_t newLeft = left;
    if (column + left < 0)
        newLeft = -int64_t{column};
    else if (column + left >= frame)
        newLeft = frame - 1 - column;
    return CoveringLeft(newLeft, containerWidth, contentsWidth);
}

int32_t LeftCentringColumns(int first, int last, double containerWidth, double contentsWidth) {
    const int64_t frame = TwipsToPixels(containerWidth), span = int64_t{last} - first + 1;
    const int64_t left = span >= frame ? -int64_t{first} : (frame - span) / 2 - first;
    return CoveringLeft(left, containerWidth, contentsWidth);
}

int32_t LeftPlacingColumnAt(int column, int x, double containerWidth, double contentsWidth) {
    return CoveringLeft(int64_t{x} - column, containerWidth, contentsWidth);
}

}  // namespace grafolux
