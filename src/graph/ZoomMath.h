#pragma once
// Zoom, scroll and drag arithmetic of the graph canvas, in twips.

#include <cstdint>

namespace grafolux {

constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 10.0;
constexpr double kZoomStep = 0.5;

double ClampZoom(double zoom);

// lngScrollPos: the canvas Left at zoom 1, rounded half to even.
int32_t ScrollPosFromLeft(double contentsLeft, double zoom);

struct ScrollBarSetup {
    int16_t max = 0;
    int16_t largeChange = 1;
    int16_t value = 0;  // kept within 0..max
};
ScrollBarSetup ScrollBarFor(double contentsWidth, double contentsLeft, double zoom);

// The canvas Left after dragging from screen x `dragX` to `x` (pixels), starting at
// `dragLeft`; kept between (containerWidth - contentsWidth) and 0.
int32_t DragLeft(int32_t dragLeft, int32_t dragX, int32_t x, double containerWidth,
                 double contentsWidth);

}  // namespace grafolux
