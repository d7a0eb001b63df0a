#pragma once
// A picture box with retained drawing: an image in device pixels, addressed in twips
// (15 to a pixel), with a fore colour, a font and a print position.

#include <QFont>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

#include "logdata/Colour.h"
#include "logdata/Rounding.h"

namespace grafolux {

constexpr int kTwipsPerPixel = 15;

// To nearest, halves to even, as std::nearbyint in the default rounding mode but without
// the library call (drawing rounds twice per sample): within 2^51, adding 1.5 * 2^52
// leaves no bits for a fraction.
inline double NearestWhole(double value) {
    constexpr double kShift = 0x1.8p52;
    return std::fabs(value) < 0x1p51 ? (value + kShift) - kShift : std::nearbyint(value);
}

// Twips to device pixels, to nearest with halves to even; clamped, so that no coordinate
// can overflow.
inline int TwipsToPixels(double twips) {
    const double pixels = NearestWhole(twips / kTwipsPerPixel);
    return std::fabs(pixels) < 0x1p30 ? static_cast<int>(pixels) : RoundTo<int>(pixels);
}

// A dashed line's pattern along the canvas: `on` pixel columns drawn, then `off` left out,
// from column 0.
struct Dash {
    int on = 0, off = 0;
};
// Whether column x is drawn (without a pattern, every column is).
bool DashColumnOn(int x, const Dash& dash);

QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);

class Surface {
public:
    Surface();

    // Geometry inside the parent surface or window, in twips; stored as whole pixels.
    double Left() const { return leftPx_ * kTwipsPerPixel; }
    double Top() const { return topPx_ * kTwipsPerPixel; }
    double Width() const { return image_.width() * kTwipsPerPixel; }
    double Height() const { return image_.height() * kTwipsPerPixel; }
    void SetLeft(double twips) { leftPx_ = TwipsToPixels(twips); }
    void SetTop(double twips) { topPx_ = TwipsToPixels(twips); }
    // A new size keeps nothing of the old picture: the surface is cleared.
    void SetSize(double widthTwips, double heightTwips);
    // The last SetSize asked for a picture that memory could not hold; the surface is empty.
    bool OutOfMemory() const { return outOfMemory_; }
    int leftPx() const { return leftPx_; }
    int topPx() const { return topPx_; }

    void SetBackColor(Colour colour);
    Colour BackColor() const { return backColor_; }
    void SetForeColor(Colour colour) { foreColor_ = colour; }
    Colour ForeColor() const { return foreColor_; }
    void SetFont(const QString& name, double pointSize, bool bold = false);
    const QFont& font() const { return font_; }

    double CurrentX = 0;
    double CurrentY = 0;

    // Erases everything to the back colour and puts the print position at the origin.
    void Cls();
    // Line in the fore colour; the print position moves to its end.
    void Line(double x1, double y1, double x2, double y2);
    // Rectangle between two corners in `colour`, outlined or filled.
    void Box(double x1, double y1, double x2, double y2, Colour colour, bool filled);
    // Quadrilaterals in device pixels, each filled and outlined in `colour`, one painter.
    void FillQuadsPixels(std::span<const std::array<QPoint, 4>> quads, Colour colour);
    // Many lines in device pixels with one painter, in `colour`; the print position stays.
    void LinesPixels(std::span<const QLine> lines, Colour colour);
    // The same lines, only in the columns the dash draws.
    void DashedLinesPixels(std::span<const QLine> lines, Colour colour, const Dash& dash);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // Prints at the print position (its top-left), without background.
    void Print(const QString& text);
    // Prints with its top-left at (x, y).
    void PrintAt(double x, double y, const QString& text);

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

private:
    QImage image_;
    int leftPx_ = 0;
    int topPx_ = 0;
    Colour backColor_ = 0;
    Colour foreColor_ = 0;
    QFont font_;
    bool outOfMemory_ = false;
};

}  // namespace grafolux
