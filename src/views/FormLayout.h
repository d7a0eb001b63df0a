#pragma once
// Where the window's controls go for a client area of a given size, in twips: the drawing
// area takes what the fixed parts leave, the bottom panel keeps its distance from the bottom
// edge and the value displays from the right edge.

namespace grafolux {

constexpr double kMinClientWidth = 10440;
constexpr double kMinClientHeight = 5010;
constexpr double kDefaultClientWidth = 10440;
constexpr double kDefaultClientHeight = 5970;

struct TwipRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// A horizontal line from x 0 to X2 at Y.
struct TwipLine {
    double Y = 0, X2 = 0;
};

struct FormLayout {
    TwipRect bZoomIn, bZoomOut, bData, bBLM, bINT, bSaveGif;  // the toolbar column, fixed
    TwipRect pbGraph, pbLegend, hsbGraph;
    TwipRect lblItem, cbLabels, lblMinV, lblMin, lblMaxV, lblMax;
    TwipRect chkDisplay, chkFilled, lblColor1, bColor, lblColor2, lblFirst, tbFirst, lblLast,
        tbLast;
    TwipRect bPrev, bNext, loadProgress;
    TwipLine Line1, Line2, Line3, Line4;
};

// Client width and height (raised to the minimum), and the window's outer width for the
// etched lines.
FormLayout LayoutForClientSize(double scaleWidth, double scaleHeight, double outerWidth);

// The layout of a window of the default size; its drawing area is what the command line draws
// when it is given no size.
FormLayout DefaultLayout();

}  // namespace grafolux
