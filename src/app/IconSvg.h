#pragma once
// Draws the application icon from its SVG file. Qt's SVG module is not among our dependencies,
// so this reads only the few shapes the icon is made of (rect, line, polyline, polygon, circle)
// with their paint attributes, and refuses anything else rather than draw it differently from
// the way a desktop's SVG renderer would.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace grafolux {

struct SvgDrawing {
    QImage image;   // null when the file could not be drawn
    QString error;  // why
};

// `svg` drawn antialiased over a transparent size x size image, its viewBox filling the image.
SvgDrawing DrawSvgIcon(const QByteArray& svg, int size);

}  // namespace grafolux
