#include "views/FormLayout.h"

#include <algorithm>
#include <cmath>

namespace grafolux {

FormLayout LayoutForClientSize(double scaleWidth, double scaleHeight, double outerWidth) {
    const double W = std::max(std::nearbyint(scaleWidth), kMinClientWidth);
    const double H = std::max(std::nearbyint(scaleHeight), kMinClientHeight);
    constexpr double kScrollBarHeight = 255;

    FormLayout f;
    constexpr double kButtonSide = 375;
    f.bZoomIn = {45, 105, kButtonSide, kButtonSide};
    f.bZoomOut = {45, 480, kButtonSide, kButtonSide};
    f.bData = {45, 1080, kButtonSide, kButtonSide};
    f.bBLM = {45, 1440, kButtonSide, kButtonSide};
    f.bINT = {45, 1815, kButtonSide, kButtonSide};
    f.bSaveGif = {45, 2400, kButtonSide, kButtonSide};
    f.pbGraph = {480, 105, W - 2385, H - 1635};
    const TwipRect& g = f.pbGraph;
    f.pbLegend = {g.Left + g.Width + 15, 105, 1815, g.Height};
    f.Line1 = {0, outerWidth};
    f.Line2 = {15, outerWidth};
    f.Line3 = {g.Top + g.Height + kScrollBarHeight + 75, outerWidth};
    f.Line4 = {g.Top + g.Height + kScrollBarHeight + 90, outerWidth};
    f.hsbGraph = {g.Left, g.Height + g.Top, g.Width, kScrollBarHeight};

    const double row1 = H - 1020, row2 = H - 690, row2Labels = H - 660, row3 = H - 330;
    f.lblItem = {120, row1, 375, 255};
    f.cbLabels = {600, row1 - 75, W - 5865, 330};
    f.lblMinV = {W - 5160, row1, 855, 255};
    f.lblMin = {W - 4200, row1 - 30, 1455, 255};
    f.lblMaxV = {W - 2520, row1, 855, 255};
    f.lblMax = {W - 1560, f.lblMin.Top, 1455, 255};
    f.chkDisplay = {600, row2, 1335, 255};
    f.chkFilled = {2040, row2, 735, 255};
    f.lblColor1 = {2880, row2Labels, 495, 255};
    f.lblColor2 = {3840, row2Labels, 1335, 255};
    f.bColor = {3480, row2, 255, 255};
    f.lblFirst = {f.lblMinV.Left, row2Labels, 855, 255};
    f.lblLast = {f.lblMaxV.Left, row2Labels, 855, 255};
    f.tbFirst = {f.lblMin.Left, row2, 1470, 285};
    f.tbLast = {f.lblMax.Left, row2, 1470, 285};
    f.bPrev = {120, row3, 855, 255};
    f.bNext = {1080, row3, 855, 255};
    f.loadProgress = {2040, row3, W - 2145, 255};
    return f;
}

FormLayout DefaultLayout() {
    return LayoutForClientSize(kDefaultClientWidth, kDefaultClientHeight, kDefaultClientWidth);
}

}  // namespace grafolux
