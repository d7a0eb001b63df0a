#include "draw/Surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <vector>

namespace grafolux {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;  // so that point sizes map to pixels as on screen

int Px(double twips) { return TwipsToPixels(twips); }

QImage NewImage(int width, int height, Colour back) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    image.fill(ToQColor(back));
    return image;
}

// Lines and text stay crisp: their exact colours must survive the GIF's colour cube.
void Prepare(QPainter& painter, Colour colour) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(colour), 1));
    painter.setBrush(Qt::NoBrush);
}

// A vertical or horizontal line is one unambiguous run of pixels, both ends included, as
// the painter draws it: written straight into the image, far quicker than a painter for the
// grid and the thousands of columns of a long curve. False for a slanted line.
bool FillStraight(QImage& image, uchar* bits, const QLine& line, QRgb pixel) {
    const bool vertical = line.x1() == line.x2();
    if (!vertical && line.y1() != line.y2()) return false;
    const int at = vertical ? line.x1() : line.y1();  // its column, or its row
    if (at < 0 || at >= (vertical ? image.width() : image.height())) return true;
    const auto [from, to] =
        std::minmax({vertical ? line.y1() : line.x1(), vertical ? line.y2() : line.x2()});
    const int low = std::max(from, 0);
    const int high = std::min(to, (vertical ? image.height() : image.width()) - 1);
    const qsizetype stride = image.bytesPerLine();
    for (int i = low; i <= high; ++i)
        reinterpret_cast<QRgb*>(bits + (vertical ? i : at) * stride)[vertical ? at : i] = pixel;
    return true;
}

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour FromQColor(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

Surface::Surface() : image_(NewImage(0, 0, 0)) { SetFont("Arial", 8); }

void Surface::SetSize(double widthTwips, double heightTwips) {
    const int width = Px(widthTwips), height = Px(heightTwips);
    if (width != image_.width() || height != image_.height())
        image_ = NewImage(width, height, backColor_);
    outOfMemory_ = width > 0 && height > 0 && image_.isNull();
}

void Surface::SetBackColor(Colour colour) { backColor_ = colour; }

void Surface::SetFont(const QString& name, double pointSize, bool bold) {
    font_ = QFont(name);
    font_.setPointSizeF(pointSize);
    font_.setBold(bold);
    font_.setStyleStrategy(QFont::NoAntialias);
}

void Surface::PrintAt(double x, double y, const QString& text) {
    CurrentX = x;
    CurrentY = y;
    Print(text);
}

void Surface::Cls() {
    image_.fill(ToQColor(backColor_));
    CurrentX = 0;
    CurrentY = 0;
}

void Surface::Line(double x1, double y1, double x2, double y2) {
    const QLine line(Px(x1), Px(y1), Px(x2), Px(y2));
    if (!image_.isNull() &&
        !FillStraight(image_, image_.bits(), line, ToQColor(foreColor_).rgb())) {
        QPainter painter(&image_);
        Prepare(painter, foreColor_);
        painter.drawLine(line);
    }
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Box(double x1, double y1, double x2, double y2, Colour colour, bool filled) {
    if (!image_.isNull()) {
        const QRect rect = QRect(QPoint(Px(x1), Px(y1)), QPoint(Px(x2), Px(y2))).normalized();
        QPainter painter(&image_);
        Prepare(painter, colour);
        if (filled)
            painter.fillRect(rect, ToQColor(colour));
        else
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::FillQuadsPixels(std::span<const std::array<QPoint, 4>> quads, Colour colour) {
    if (image_.isNull() || quads.empty()) return;
    QPainter painter(&image_);
    Prepare(painter, colour);
    painter.setBrush(ToQColor(colour));
    for (const auto& quad : quads) painter.drawPolygon(quad.data(), 4);
}

void Surface::LinesPixels(std::span<const QLine> lines, Colour colour) {
    if (image_.isNull() || lines.empty()) return;
    const QRgb pixel = ToQColor(colour).rgb();
    uchar* const bits = image_.bits();
    std::vector<QLine> slanted;
    for (const QLine& line : lines)
        if (!FillStraight(image_, bits, line, pixel)) slanted.push_back(line);
    if (slanted.empty()) return;
    QPainter painter(&image_);
    Prepare(painter, colour);
    painter.drawLines(slanted.data(), static_cast<int>(slanted.size()));
}

bool DashColumnOn(int x, const Dash& dash) {
    const int period = dash.on + dash.off;
    return period <= 0 || ((x % period) + period) % period < dash.on;
}

void Surface::DashedLinesPixels(std::span<const QLine> lines, Colour colour, const Dash& dash) {
    if (image_.isNull() || lines.empty()) return;
    const QRgb pixel = ToQColor(colour).rgb();
    uchar* const bits = image_.bits();
    std::vector<QLine> slanted;
    for (const QLine& line : lines) {
        if (line.x1() == line.x2()) {
            if (DashColumnOn(line.x1(), dash)) FillStraight(image_, bits, line, pixel);
        } else if (line.y1() == line.y2()) {
            // Each dash of a level line on its own.
            const auto [from, to] = std::minmax({line.x1(), line.x2()});
            for (int x = from; x <= to; ++x) {
                if (!DashColumnOn(x, dash)) continue;
                int end = x;
                while (end < to && DashColumnOn(end + 1, dash)) ++end;
                FillStraight(image_, bits, QLine(x, line.y1(), end, line.y1()), pixel);
                x = end;
            }
        } else {
            slanted.push_back(line);
        }
    }
    if (slanted.empty()) return;
    QRegion columns;
    const int period = std::max(dash.on + dash.off, 1);
    for (int x = 0; x < image_.width(); x += period)
        columns += QRect(x, 0, dash.on, image_.height());
    QPainter painter(&image_);
    Prepare(painter, colour);
    painter.setClipRegion(columns);
    painter.drawLines(slanted.data(), static_cast<int>(slanted.size()));
}

double Surface::TextWidth(const QString& text) const {
    return QFontMetricsF(font_, &image_).horizontalAdvance(text) * kTwipsPerPixel;
}

double Surface::TextHeight(const QString&) const {
    return std::ceil(QFontMetricsF(font_, &image_).height()) * kTwipsPerPixel;
}

void Surface::Print(const QString& text) {
    if (!image_.isNull()) {
        QPainter painter(&image_);
        Prepare(painter, foreColor_);
        painter.setFont(font_);
        const QFontMetricsF metrics(font_, &image_);
        painter.drawText(QPointF(Px(CurrentX), Px(CurrentY) + metrics.ascent()), text);
    }
    // As a picture box does: the next print goes to the start of the next line.
    CurrentY += TextHeight(text);
    CurrentX = 0;
}

}  // namespace grafolux
