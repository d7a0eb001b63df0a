#pragma once
// The pictures a GIF is made from: palette indices row by row with a 256-entry colour table.

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "logdata/Colour.h"

namespace grafolux {

// 256 entries of red, green, blue; entry n at bytes 3n, 3n+1, 3n+2.
using GifPalette = std::array<uint8_t, 768>;

// The five levels 0, 64, 128, 192, 255 per channel: entry 25 × b + 5 × g + r is
// (level r, level g, level b); entries 125 to 255 are black.
const GifPalette& ColourCube();

// Cube entry nearest to a colour, channel by channel. A channel halfway between two levels
// (32, 96, 160) goes to the even level number, as every other rounding in the program does.
// The encoder's own rule, open so that the tests and the fuzz target check the entries it writes.
uint8_t CubeIndex(int red, int green, int blue);

// First palette entry of the colour (red + 256 × green + 65536 × blue), or 0 when none has it.
uint8_t PaletteIndexOf(const GifPalette& palette, Colour colour);

// An 8-bit indexed picture keeps its palette and its indices; any other picture is mapped to
// the colour cube after Qt's conversion to RGB32 (which drops transparency). Holds its own
// shallow copy, so the caller may change its picture meanwhile.
class IndexedRows {
public:
    explicit IndexedRows(const QImage& pic);

    const GifPalette& bytPalette() const { return palette_; }
    // Row y (0 = top) as palette indices; valid until the next call.
    const uint8_t* row(int y);

private:
    QImage image_;  // Indexed8, or RGB32 for the cube
    GifPalette palette_{};
    std::vector<uint8_t> buffer_;
};

}  // namespace grafolux
