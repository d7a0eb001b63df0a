#pragma once
// Reading back the parts of a GIF we wrote: where things are, and the 9-bit codes.

#include <QByteArray>
#include <QImage>
#include <vector>

#include "export/GifPalette.h"

namespace grafolux::testing {

constexpr int kControlExtensionAt = 13 + 768;

inline bool HasControlExtension(const QByteArray& gif) {
    return static_cast<uint8_t>(gif[kControlExtensionAt]) == 0x21;
}

// The sub-blocks after the minimum code size, counts and terminator included (not the trailer).
inline QByteArray ImageData(const QByteArray& gif) {
    const int start = kControlExtensionAt + (HasControlExtension(gif) ? 8 : 0) + 11;
    return gif.mid(start, gif.size() - 1 - start);
}

inline std::vector<int> Codes(const QByteArray& gif) {
    const QByteArray blocks = ImageData(gif);
    QByteArray data;
    for (int at = 0; static_cast<uint8_t>(blocks[at]) != 0; at += 1 + uint8_t(blocks[at]))
        data += blocks.mid(at + 1, static_cast<uint8_t>(blocks[at]));
    std::vector<int> codes;
    for (qsizetype bit = 0; bit + 9 <= data.size() * 8; bit += 9) {
        int code = 0;
        for (int i = 0; i < 9; ++i)
            code |= ((static_cast<uint8_t>(data[(bit + i) / 8]) >> ((bit + i) % 8)) & 1) << i;
        codes.push_back(code);
    }
    return codes;
}

// The palette index each pixel of `pic` should get.
inline int ExpectedIndex(const QImage& pic, int x, int y) {
    if (pic.format() == QImage::Format_Indexed8) return pic.pixelIndex(x, y);
    const QRgb rgb = pic.pixel(x, y);
    return CubeIndex(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

}  // namespace grafolux::testing
