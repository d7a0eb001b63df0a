#include <gtest/gtest.h>

#include <QRectF>

#include "views/FormLayout.h"

using namespace grafolux;

namespace {

QRectF Rect(const TwipRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

}  // namespace

// The layout's numbers themselves are pinned by the window's default drawing area and by
// grafolux-cli export's default picture; here how the controls follow the form's size.
TEST(LayoutForClientSize, SmallerThanMinimumLaysOutForMinimum) {
    const FormLayout minimized = LayoutForClientSize(0, 0, 0);
    const FormLayout minimum = LayoutForClientSize(10440, 5010, 0);
    EXPECT_EQ(Rect(minimized.pbGraph), Rect(minimum.pbGraph));
    EXPECT_EQ(minimized.bPrev.Top, minimum.bPrev.Top);
}

TEST(LayoutForClientSize, WiderByThousandMovesRightColumnOnly) {
    const FormLayout a = LayoutForClientSize(10440, 5010, 0);
    const FormLayout b = LayoutForClientSize(11440, 5010, 0);
    for (auto member : {&FormLayout::pbGraph, &FormLayout::hsbGraph, &FormLayout::cbLabels,
                        &FormLayout::loadProgress})
        EXPECT_EQ((b.*member).Width - (a.*member).Width, 1000);
    for (auto member : {&FormLayout::pbLegend, &FormLayout::lblMinV, &FormLayout::lblMin,
                        &FormLayout::lblMaxV, &FormLayout::lblMax, &FormLayout::lblFirst,
                        &FormLayout::lblLast, &FormLayout::tbFirst, &FormLayout::tbLast})
        EXPECT_EQ((b.*member).Left - (a.*member).Left, 1000);
    for (auto member : {&FormLayout::lblItem, &FormLayout::chkDisplay, &FormLayout::chkFilled,
                        &FormLayout::lblColor1, &FormLayout::bColor, &FormLayout::lblColor2,
                        &FormLayout::bPrev, &FormLayout::bNext})
        EXPECT_EQ((b.*member).Left, (a.*member).Left);
    // The toolbar column never moves.
    for (auto member : {&FormLayout::bZoomIn, &FormLayout::bZoomOut, &FormLayout::bData,
                        &FormLayout::bBLM, &FormLayout::bINT, &FormLayout::bSaveGif}) {
        EXPECT_EQ((b.*member).Left, 45);
        EXPECT_EQ((b.*member).Top, (LayoutForClientSize(20000, 9000, 0).*member).Top);
    }
}

TEST(LayoutForClientSize, TallerByThousandMovesBottomPanelDown) {
    const FormLayout a = LayoutForClientSize(10440, 5010, 0);
    const FormLayout b = LayoutForClientSize(10440, 6010, 0);
    EXPECT_EQ(b.pbGraph.Height - a.pbGraph.Height, 1000);
    EXPECT_EQ(b.pbLegend.Height - a.pbLegend.Height, 1000);
    EXPECT_EQ(b.Line3.Y - a.Line3.Y, 1000);
    EXPECT_EQ(b.Line2.Y, a.Line2.Y);
    for (auto member :
         {&FormLayout::hsbGraph, &FormLayout::lblItem, &FormLayout::cbLabels, &FormLayout::tbFirst,
          &FormLayout::lblColor1, &FormLayout::bPrev, &FormLayout::loadProgress})
        EXPECT_EQ((b.*member).Top - (a.*member).Top, 1000);
}
