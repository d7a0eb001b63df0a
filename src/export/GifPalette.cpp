#include "export/GifPalette.h"

#include <algorithm>

namespace grafolux {

namespace {

constexpr int kCubeLevels[5] = {0, 64, 128, 192, 255};

// Nearest of the five levels; ties go to the even level number.
constexpr int CubeLevel(int value) {
    const int below = value / 64, rest = value % 64;
    return (rest > 32 || (rest == 32 && below % 2 == 1)) ? below + 1 : below;
}

// Per channel, the level already weighted by the channel's place in the cube.
struct CubeTables {
    std::array<uint8_t, 256> red{}, green{}, blue{};
    constexpr CubeTables() {
        for (int v = 0; v < 256; ++v) {
            red[v] = static_cast<uint8_t>(CubeLevel(v));
            green[v] = static_cast<uint8_t>(5 * CubeLevel(v));
            blue[v] = static_cast<uint8_t>(25 * CubeLevel(v));
        }
    }
};
constexpr CubeTables kCube;

uint8_t CubeIndexOf(QRgb pixel) {
    return static_cast<uint8_t>(kCube.red[qRed(pixel)] + kCube.green[qGreen(pixel)] +
                                kCube.blue[qBlue(pixel)]);
}

GifPalette MakeCube() {
    GifPalette cube{};
    int n = 0;
    for (int b : kCubeLevels)
        for (int g : kCubeLevels)
            for (int r : kCubeLevels) {
                cube[3 * n] = static_cast<uint8_t>(r);
                cube[3 * n + 1] = static_cast<uint8_t>(g);
                cube[3 * n + 2] = static_cast<uint8_t>(b);
                ++n;
            }
    return cube;
}

GifPalette PaletteOf(const QImage& indexed) {
    GifPalette palette{};
    const QList<QRgb> table = indexed.colorTable();
    const qsizetype count = std::min<qsizetype>(table.size(), 256);
    for (qsizetype n = 0; n < count; ++n) {
        palette[3 * n] = static_cast<uint8_t>(qRed(table[n]));
        palette[3 * n + 1] = static_cast<uint8_t>(qGreen(table[n]));
        palette[3 * n + 2] = static_cast<uint8_t>(qBlue(table[n]));
    }
    return palette;
}

}  // namespace

const GifPalette& ColourCube() {
    static const GifPalette cube = MakeCube();
    return cube;
}

uint8_t CubeIndex(int red, int green, int blue) { return CubeIndexOf(qRgb(red, green, blue)); }

uint8_t PaletteIndexOf(const GifPalette& palette, Colour colour) {
    for (int n = 0; n < 256; ++n)
        if (RGB(palette[3 * n], palette[3 * n + 1], palette[3 * n + 2]) == colour)
            return static_cast<uint8_t>(n);
    return 0;
}

IndexedRows::IndexedRows(const QImage& pic) {
    if (pic.format() == QImage::Format_Indexed8) {
        image_ = pic;
        palette_ = PaletteOf(pic);
    } else {
        image_ =
            pic.format() == QImage::Format_RGB32 ? pic : pic.convertToFormat(QImage::Format_RGB32);
        palette_ = ColourCube();
        buffer_.resize(static_cast<size_t>(std::max(image_.width(), 0)));
    }
}

const uint8_t* IndexedRows::row(int y) {
    if (image_.format() == QImage::Format_Indexed8) return image_.constScanLine(y);
    const auto* pixels = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    uint8_t* const indices = buffer_.data();
    const size_t width = buffer_.size();
    // Charts are long runs of one colour: look up a colour only when it changes.
    QRgb last = 0;  // the cube index of 0 is 0
    uint8_t index = 0;
    for (size_t x = 0; x < width; ++x) {
        const QRgb pixel = pixels[x];
        if (pixel != last) {
            last = pixel;
            index = CubeIndexOf(pixel);
        }
        indices[x] = index;
    }
    return buffer_.data();
}

}  // namespace grafolux
