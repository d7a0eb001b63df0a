#pragma once
// Zoom, scroll and drag arithmetic of the graph canvas, in twips.

#include <cstdint>

namespace grafolux {

constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 10.0;
constexpr double kZoomStep = 0.5;

// The zoom kept within kMinZoom..kMaxZoom.
double ClampZoom(double zoom);

// lngScrollPos: the canvas Left at zoom 1, rounded half to even.
int32_t ScrollPosFromLeft(double contentsLeft, double zoom);

// One scroll bar unit is 15 twips; the bar's values are 16-bit.
constexpr int kTwipsPerScrollUnit = 15;

struct ScrollBarSetup {
    int16_t max = 0;
    int16_t largeChange = 1;  // one page: the container width in scroll units, at least 1
    int16_t value = 0;        // kept within 0..max
};
// The scroll bar for a zoomed canvas (zoom above 1).
ScrollBarSetup ScrollBarFor(double contentsWidth, double contentsLeft, double zoom);

// The scroll Value that shows the canvas at `contentsLeft`, kept within 0..max.
int16_t ScrollValueFor(double contentsLeft, int16_t max);

// The canvas Left that a scroll Value stands for.
int32_t LeftForScrollValue(int16_t value);

// The canvas Left after dragging from screen x `dragX` to `x` (pixels), starting at
// `dragLeft`; kept between (containerWidth - contentsWidth) and 0.
int32_t DragLeft(int32_t dragLeft, int32_t dragX, int32_t x, double containerWidth,
                 double contentsWidth);

// The canvas Left, in whole pixels of twips, that brings canvas pixel `column` into view
// with the least move; kept between (containerWidth - contentsWidth) and 0.
int32_t LeftShowingColumn(int column, double contentsLeft, double containerWidth,
                          double contentsWidth);

// The canvas Left, in whole pixels of twips, that puts canvas pixels first..last in the middle
// of the frame, or the first at the frame's left edge when they are wider than it; kept
// between (containerWidth - contentsWidth) and 0.
int32_t LeftCentringColumns(int first, int last, double containerWidth, double contentsWidth);

// The canvas Left, in whole pixels of twips, that puts canvas pixel `column` at pixel `x` of the
// frame; kept between (containerWidth - contentsWidth) and 0.
int32_t LeftPlacingColumnAt(int column, int x, double containerWidth, double contentsWidth);

}  // namespace grafolux
