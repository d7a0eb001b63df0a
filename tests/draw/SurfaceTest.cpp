#include <gtest/gtest.h>

#include <QPainter>

#include "draw/Surface.h"

namespace grafolux {
namespace {

// Straight lines go into the image directly: the pixels must be the painter's.
TEST(SurfaceLine, StraightLinesAsThePainterDrawsThem) {
    const QLine cases[] = {{2, 3, 2, 17}, {2, 17, 2, 3},  {19, 5, 0, 5},
                           {4, 4, 4, 4},  {-5, 8, 30, 8}, {7, -9, 7, 40}};
    for (const QLine& line : cases) {
        Surface surface;
        surface.SetSize(300, 300);
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
