#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <limits>

#include "graph/Surface.h"

namespace grafolux {
namespace {

TEST(NearestWhole, SameAsNearbyintHalvesToEven) {
    const double cases[] = {0.5,  1.5,   2.5,        -0.5,         -1.5,       -2.5,
                            -0.0, 7.499, 1e15 + 0.5, 0x1p51 - 0.5, 0x1p51 + 1, 1e300};
    for (const double v : cases) EXPECT_EQ(NearestWhole(v), std::nearbyint(v)) << v;
}

TEST(TwipsToPixels, RoundsHalvesToEvenAndClamps) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double twips;
        int pixels;
    } cases[] = {{7.5, 0},
                 {22.5, 2},
                 {37.5, 2},
                 {-7.5, 0},
                 {-22.5, -2},
                 {7.6, 1},
                 {1e300, std::numeric_limits<int>::max()},
                 {-1e300, std::numeric_limits<int>::min()},
                 {nan, 0}};
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips), c.pixels) << c.twips;
}

// Straight lines are written into the image directly: the same pixels as the painter's.
TEST(SurfaceLine, StraightLinesAsThePainterDrawsThem) {
    const QLine cases[] = {{2, 3, 2, 17},  {2, 17, 2, 3},  {0, 5, 19, 5},  {19, 5, 0, 5},
                           {4, 4, 4, 4},   {-5, 8, 30, 8}, {7, -9, 7, 40}, {-3, 2, -3, 9},
                           {3, 25, 9, 25}, {1, 1, 18, 13}};
    for (const QLine& line : cases) {
        Surface surface;
        surface.SetSize(20 * kTwipsPerPixel, 20 * kTwipsPerPixel);
        surface.SetForeColor(RGB(0, 255, 255));
        surface.Line(line.x1() * 15.0, line.y1() * 15.0, line.x2() * 15.0, line.y2() * 15.0);
        QImage painted(20, 20, QImage::Format_RGB32);
        painted.fill(Qt::black);
        QPainter painter(&painted);
        painter.setPen(QPen(QColor(0, 255, 255), 1));
        painter.drawLine(line);
        painter.end();
        EXPECT_EQ(surface.image(), painted)
            << line.x1() << "," << line.y1() << " to " << line.x2() << "," << line.y2();
    }
}

}  // namespace
}  // namespace grafolux
